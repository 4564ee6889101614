// Shows one picture in the viewing window, for the screenshots: the options come from the
// command line and a hidden stand-in for the browser lists the picture.
//
//     view_shot [--fit] [--no-center] [--full-screen] [--fixed] [--ini FILE] PICTURE
//
// --fixed turns AutoSizeView off; --ini names the INI file the window reads (default: one
// beside the picture). The program runs until it is ended.

#include "platform/Profile.h"
#include "resources/BrowserIds.h"
#include "resources/ViewIds.h"
#include "settings/ViewSettings.h"
#include "ui/Application.h"
#include "ui/ListBox.h"
#include "view/ViewWindow.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallWindowLayer();
    TViewSettings& settings = Settings();
    std::string picture;
    std::string ini;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--fit")
            settings.Fit = true;
        else if (argument == "--no-center")
            settings.CenterImage = false;
        else if (argument == "--full-screen")
            settings.FullScreen = true;
        else if (argument == "--fixed")
            settings.AutoSizeView = false;
        else if (argument == "--ini" && i + 1 < argc)
            ini = argv[++i];
        else
            picture = argument;
    }
    if (picture.empty()) {
        std::fprintf(stderr,
            "usage: view_shot [--fit] [--no-center] [--full-screen] [--fixed] "
            "[--ini FILE] PICTURE\n");
        return 2;
    }
    const std::filesystem::path path = std::filesystem::absolute(picture);
    const std::string drive;
    const std::string folder = path.parent_path().string() + "/";
    TProfile::Instance().SetPrivateFile(ini.empty() ? folder + "Pelorin.ini" : ini);

    TWindow browser;
    auto* list = new TListBox(&browser, IdFileList);
    list->AddString(path.filename().string());
    list->SetCaretIndex(0);
    auto* view = new TViewWindow(&browser);
    view->SetBrowserFiles({ list, &drive, &folder });
    view->Create();
    view->PostCommand(CmShowFromCursor);
    return application.exec();
}
