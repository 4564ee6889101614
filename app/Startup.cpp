#include "app/Startup.h"

#include "app/ViewApp.h"
#include "platform/ProcessFlags.h"
#include "platform/Profile.h"
#include "resources/Templates.h"
#include "settings/ViewSettings.h"
#include "ui/ProgramState.h"

#include <QApplication>
#include <QIcon>

std::string HelpFilePath(const std::string& programPath)
{
    const std::string name = ProgramState().productName + ".hlp";
    const size_t separator = programPath.find_last_of('/');
    if (separator == std::string::npos)
        return name;
    return programPath.substr(0, separator + 1) + name;
}

void StartProgram(int argc, char** argv)
{
    ProcessFlags().optionsUnsaved = false;
    TProgramState& program = ProgramState();
    program.productName = "Pelorin";
    program.versionText = "  version 1.7";
    program.startupFile = argc > 1 ? argv[1] : "";
    const std::string programPath = argc > 0 ? argv[0] : "";
    TProfile::Instance().SetPrivateFile(PrivateProfilePath(programPath));
    Settings().LoadStartup();
    program.helpFile = HelpFilePath(programPath);
    TProcessFlags& flags = ProcessFlags();
    flags.restart = false;
    flags.viewerLoading = false;
    flags.previewBusy = false;
    program.win32s = false;
    program.oldNt = false;
    program.newShell = true;
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
    QApplication::setApplicationName("Pelorin");
    QApplication::setWindowIcon(ProgramIcon());
    StartProgram(argc, argv);
    return RunApplications([] { return std::make_unique<TViewApp>(); });
}
