#pragma once

#include "preview/PreviewInfo.h"
#include "ui/Dialog.h"

// The image information dialog: the name and type of the file the preview decoded last, its
// header fields and the numbers its thumbnail was made with. It changes nothing.
class TImageInfoDlg : public TDialog {
public:
    TImageInfoDlg(TWindow* parent, TImageInformation info);

protected:
    void SetupWindow() override;

private:
    TImageInformation m_info;
};
