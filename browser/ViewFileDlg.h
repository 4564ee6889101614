#pragma once

#include "ui/Dialog.h"

// The file browser: the main window's content, built from one of the eight browser
// templates. Creating the first browser of the process loads the browser's group of
// settings; a browser built again for a restart keeps the settings in memory.
class TViewFileDlg : public TDialog {
public:
    TViewFileDlg(TWindow* parent, int templateId);
    ~TViewFileDlg() override;

    void EvCommand(int id) override;
    void EvDeviceChange(uint32_t event, uint32_t deviceType) override;

    // Whether a browser has been created in this process (tests start over with false).
    static bool& BrowserCreatedBefore();

protected:
    void SetupWindow() override;

private:
    void Exit();
    void Options();
    // The colour warning that the set-up posts on a display of few colours.
    void ColorWarning();
};
