#include "browser/BrowserOptions.h"

#include "browser/BrowserLists.h"
#include "browser/BrowserPreview.h"
#include "dialogs/ViewOptionsDlg.h"
#include "platform/ProcessFlags.h"
#include "resources/BrowserIds.h"
#include "settings/ViewSettings.h"
#include "ui/Window.h"

bool MainWindowRebuildNeeded(const TOptionsBefore& before, TViewSettings& settings)
{
    if (!before.autoSizeMain && settings.AutoSizeMain
        && settings.ScreenLayout != settings.CurrentLayout)
        return true;
    if (!settings.AutoSizeMain && settings.SizeMain != settings.CurrentLayout) {
        settings.CurrentLayout = settings.SizeMain;
        return true;
    }
    return settings.AltFileSel != before.altFileSel;
}

TBrowserOptions::TBrowserOptions(TWindow& browser, TBrowserLists& lists, TBrowserPreview& preview)
    : m_browser(browser)
    , m_lists(lists)
    , m_preview(preview)
{
}

void TBrowserOptions::Run()
{
    TViewSettings& settings = Settings();
    const TOptionsBefore before { settings.AutoSizeMain, settings.AltFileSel, settings.ShowHidden };
    TViewOptionsDlg(&m_browser, settings).Execute();
    if (MainWindowRebuildNeeded(before, settings)) {
        // The main window closes as on Exit, and the program builds it again.
        ProcessFlags().restart = true;
        m_browser.PostCommand(CmExit);
        return;
    }
    if (settings.ShowHidden != before.showHidden)
        m_lists.EnterCaretFolder();
    m_preview.OptionsChanged();
    m_preview.RequestRefresh();
    m_lists.FocusFileList();
}
