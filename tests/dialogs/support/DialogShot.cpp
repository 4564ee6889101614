// Shows one of the dialogs, for the screenshots:
//
//     dialog_shot options [--ini FILE] | dialog_shot warning | dialog_shot info PICTURE
//
// The options start from the settings of the INI file (default: none, so the defaults); the
// image information lists a preview of the picture in the box of the largest browser. The
// program ends when the dialog closes.

#include "dialogs/ImageInfoDlg.h"
#include "dialogs/ViewColorWarnDlg.h"
#include "dialogs/ViewOptionsDlg.h"
#include "platform/Profile.h"
#include "preview/PreviewDib.h"
#include "settings/ViewSettings.h"
#include "ui/Application.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallWindowLayer();
    const std::string which = argc > 1 ? argv[1] : "";
    std::string ini;
    std::string picture;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--ini" && i + 1 < argc)
            ini = argv[++i];
        else
            picture = argument;
    }
    TProfile::Instance().SetPrivateFile(
        ini.empty() ? (std::filesystem::temp_directory_path() / "dialog-shot.ini").string() : ini);
    TViewSettings& settings = Settings();
    if (!ini.empty()) {
        settings.LoadStartup();
        settings.CurrentLayout
            = settings.AutoSizeMain ? 2 : settings.SizeMain; // a 1024 x 768 screen
        settings.LoadBrowserGroup();
    }
    if (which == "options") {
        TViewOptionsDlg(nullptr, settings).Execute();
        return 0;
    }
    if (which == "warning") {
        TViewColorWarnDlg(nullptr, settings).Execute();
        return 0;
    }
    if (which == "info" && !picture.empty()) {
        TPreviewDib preview(100, 100);
        preview.Load(std::filesystem::absolute(picture).string());
        TImageInfoDlg(nullptr, ImageInformationOf(preview, "c:\\pictures\\")).Execute();
        return 0;
    }
    std::fprintf(stderr,
        "usage: dialog_shot options [--ini FILE] | dialog_shot warning | dialog_shot info "
        "PICTURE\n");
    return 2;
}
