#include "app/ViewApp.h"

#include "app/Layout.h"
#include "app/ViewFrameWindow.h"
#include "browser/ViewFileDlg.h"
#include "resources/Templates.h"
#include "settings/ViewSettings.h"
#include "ui/ProgramState.h"
#include "ui/Screen.h"

#include <QIcon>

TScreenExtent& MainScreen()
{
    static TScreenExtent screen;
    return screen;
}

TViewApp::TViewApp()
    : TApplication(ProgramState().productName)
{
}

void TViewApp::InitMainWindow()
{
    const TScreenInfo screen = ScreenInfo();
    MainScreen() = { screen.width, screen.height, screen.origin };
    TViewSettings& settings = Settings();
    settings.ScreenLayout = ScreenLayoutClass(screen.width);
    settings.CurrentLayout = ChooseLayout(settings.AutoSizeMain, settings.SizeMain, screen.width);
    auto* browser = new TViewFileDlg(
        nullptr, BrowserTemplateFor(settings.CurrentLayout, settings.AltFileSel));
    auto* frame = new TViewFrameWindow(Name(), browser);
    SetMainWindow(frame);
    frame->setWindowIcon(ProgramIcon());
}
