#pragma once

#include "ui/Dialog.h"

// The about box: the product name followed by the version text, and OK.
class TViewAboutDlg : public TDialog {
public:
    explicit TViewAboutDlg(TWindow* parent);

protected:
    void SetupWindow() override;
};
