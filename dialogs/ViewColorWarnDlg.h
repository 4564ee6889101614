#pragma once

#include "ui/Dialog.h"

struct TViewSettings;

// The warning shown once the browser is set up on a display of few colours. OK with "Do not
// show this warning again" checked turns the warning off in the settings and writes that at
// once; Escape closes without looking at the box.
class TViewColorWarnDlg : public TDialog {
public:
    TViewColorWarnDlg(TWindow* parent, TViewSettings& settings);

    void EvCommand(int id) override;

protected:
    void CmOk() override;
    void paintEvent(QPaintEvent* event) override;

private:
    TViewSettings& m_settings;
};

// Whether the browser's set-up shows the warning: it is on and the screen has 14 bits per
// pixel or fewer.
bool ColorWarningWanted(const TViewSettings& settings, int screenBitsPerPixel);
