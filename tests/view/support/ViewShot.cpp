// Shows pictures in the viewing window, for the screenshots: the options come from the
// command line and a hidden stand-in for the browser lists the pictures, which lie in one
// folder, and shows the first.
//
//     view_shot [--fit] [--no-center] [--full-screen] [--fixed] [--slideshow SECONDS]
//               [--ini FILE] PICTURE...
//
// --fixed turns AutoSizeView off; --slideshow sets SlideShowTimer; --ini names the INI file
// the window reads (default: one beside the pictures). The program runs until it is ended.

#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "resources/BrowserIds.h"
#include "resources/ViewIds.h"
#include "settings/ViewSettings.h"
#include "ui/Application.h"
#include "ui/ListBox.h"
#include "view/ViewWindow.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallWindowLayer();
    TViewSettings& settings = Settings();
    std::vector<std::string> pictures;
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
        else if (argument == "--slideshow" && i + 1 < argc)
            settings.SlideShowTimer = std::atoi(argv[++i]);
        else if (argument == "--ini" && i + 1 < argc)
            ini = argv[++i];
        else
            pictures.push_back(argument);
    }
    if (pictures.empty()) {
        std::fprintf(stderr,
            "usage: view_shot [--fit] [--no-center] [--full-screen] [--fixed] "
            "[--slideshow SECONDS] [--ini FILE] PICTURE...\n");
        return 2;
    }
    const std::string native
        = std::filesystem::absolute(pictures.front()).parent_path().string() + "/";
    TProfile::Instance().SetPrivateFile(ini.empty() ? native + "Pelorin.ini" : ini);
    // The window reads the browser's drive and folder texts.
    const std::string place = FileSystem().BrowserPath(native).value_or("c:\\");
    const std::string drive = place.substr(0, 2);
    const std::string folder = place.substr(2) + (place.ends_with('\\') ? "" : "\\");

    TWindow browser;
    auto* list = new TListBox(&browser, IdFileList);
    for (const std::string& picture : pictures)
        list->AddString(std::filesystem::path(picture).filename().string());
    list->SetCaretIndex(0);
    auto* view = new TViewWindow(&browser);
    view->SetBrowserFiles({ list, &drive, &folder });
    view->Create();
    view->PostCommand(CmShowFromCursor);
    return application.exec();
}
