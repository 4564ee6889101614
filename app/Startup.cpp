#include "app/Startup.h"

#include "app/ViewApp.h"
#include "platform/ProcessFlags.h"
#include "platform/Product.h"
#include "platform/Profile.h"
#include "platform/ProgramFiles.h"
#include "resources/Templates.h"
#include "settings/ViewSettings.h"
#include "ui/HelpService.h"

#include <QApplication>
#include <QIcon>

std::string StartProgram(int argc, char** argv)
{
    TProcessFlags& flags = ProcessFlags();
    flags.optionsUnsaved = false;
    std::string startupFile = argc > 1 ? argv[1] : "";
    const std::string programPath = argc > 0 ? argv[0] : "";
    // The executable's own folder tells an installed program from one in its build folder.
    const std::string executableFolder
        = QCoreApplication::instance() ? QCoreApplication::applicationDirPath().toStdString() : "";
    const TProgramFiles files = ProgramFiles(programPath, executableFolder);
    TProfile::Instance().SetPrivateFile(files.privateProfile);
    Settings().LoadStartup();
    SetHelpFile(files.helpFile);
    flags.restart = false;
    flags.viewerLoading = false;
    flags.previewBusy = false;
    flags.win32s = false;
    flags.oldNt = false;
    flags.newShell = true;
    return startupFile;
}

int RunApplications(const std::function<std::unique_ptr<TApplication>()>& makeApplication)
{
    int result = 0;
    do {
        std::unique_ptr<TApplication> application = makeApplication();
        result = application->Run();
    } while (ProcessFlags().restart);
    return result;
}

int RunProgram(int argc, char** argv)
{
    // The toolkit takes its own options (-platform, -display ...) out of the arguments,
    // so the first one left is the start-up file.
    QApplication toolkit(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kProductName));
    // The desktop matches the windows to the installed entry (pelorin.desktop) by this name.
    QApplication::setDesktopFileName(QStringLiteral("pelorin"));
    QApplication::setWindowIcon(ProgramIcon());
    const std::string startupFile = StartProgram(argc, argv);
    return RunApplications([&] { return std::make_unique<TViewApp>(startupFile); });
}
