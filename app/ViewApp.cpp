#include "app/ViewApp.h"

#include "app/Layout.h"
#include "app/ViewFrameWindow.h"
#include "browser/ViewFileDlg.h"
#include "platform/Product.h"
#include "resources/Templates.h"
#include "settings/ViewSettings.h"
#include "ui/Screen.h"

#include <QIcon>

TViewApp::TViewApp(std::string startupFile)
    : TApplication(std::string(kProductName))
    , m_startupFile(std::move(startupFile))
{
}

void TViewApp::InitMainWindow()
{
    const TScreenInfo screen = ScreenInfo();
    TViewSettings& settings = Settings();
    settings.ScreenLayout = ScreenLayoutClass(screen.width);
    settings.CurrentLayout = ChooseLayout(settings.AutoSizeMain, settings.SizeMain, screen.width);
    auto* browser = new TViewFileDlg(
        nullptr, BrowserTemplateFor(settings.CurrentLayout, settings.AltFileSel), m_startupFile);
    auto* frame
        = new TViewFrameWindow(Name(), browser, { screen.width, screen.height, screen.origin });
    SetMainWindow(frame);
    frame->setWindowIcon(ProgramIcon());
}
