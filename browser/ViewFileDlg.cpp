#include "browser/ViewFileDlg.h"

#include "dialogs/ViewColorWarnDlg.h"
#include "dialogs/ViewOptionsDlg.h"
#include "platform/ProcessFlags.h"
#include "resources/BrowserIds.h"
#include "resources/Templates.h"
#include "settings/ViewSettings.h"
#include "ui/Screen.h"

bool& TViewFileDlg::BrowserCreatedBefore()
{
    static bool created = false;
    return created;
}

TViewFileDlg::TViewFileDlg(TWindow* parent, int templateId)
    : TDialog(parent, BrowserTemplate(templateId))
{
    if (!BrowserCreatedBefore()) {
        BrowserCreatedBefore() = true;
        Settings().LoadBrowserGroup();
    } else {
        Settings().CopyLayoutToSizeMain();
    }
}

TViewFileDlg::~TViewFileDlg() = default;

void TViewFileDlg::SetupWindow()
{
    TDialog::SetupWindow();
    SetAccelerators(&BrowserAccelerators());
    if (ColorWarningWanted(Settings(), ScreenInfo().colorDepth))
        PostCommand(CmColorWarning);
    // The browser is the last window a restart builds, so the restart is complete.
    ProcessFlags().restart = false;
}

void TViewFileDlg::EvCommand(int id)
{
    switch (id) {
    case CmExit:
        return Exit();
    case CmOptions:
        return Options();
    case CmColorWarning:
        return ColorWarning();
    default:
        return TDialog::EvCommand(id);
    }
}

void TViewFileDlg::Exit()
{
    // The main frame decides whether it may close: a running decode defers it.
    if (auto* frame = dynamic_cast<TWindow*>(window()); frame && frame != this)
        frame->CloseWindow();
}

void TViewFileDlg::Options() { TViewOptionsDlg(this, Settings()).Execute(); }

void TViewFileDlg::ColorWarning() { TViewColorWarnDlg(this, Settings()).Execute(); }

void TViewFileDlg::EvDeviceChange(uint32_t, uint32_t) { }
