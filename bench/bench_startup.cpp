// Start-up: from process start to the browser painted with its lists filled, in a folder of
// 1,000 pictures, against a minimal Qt Widgets program that shows one empty window. Both are
// this program started again as a child (the same binary, so both load the same libraries):
// one runs the program's own entry, RunProgram, the other shows a bare QWidget. Each child
// writes a byte to a pipe once its window has been painted and flushed, then ends at once; the
// time runs from just before the child is spawned to that byte. Medians of alternating runs.
//
// On Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise; under xvfb-run with
// QT_QPA_PLATFORM=xcb the figures include the X server.

#include "app/Startup.h"
#include "bench/DecoderBench.h"
#include "platform/Volumes.h"

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 15;
constexpr int kPictures = 1000;
// The program may take this much longer than the minimal one: Qt's own start-up is the floor.
constexpr double kStartupLimit = 2.0;

constexpr const char* kChildVariable = "PELORIN_BENCH_STARTUP_CHILD";
constexpr const char* kPipeVariable = "PELORIN_BENCH_STARTUP_PIPE";

// Watches every paint of the child. Once a paint finds the window ready, the byte goes out
// after the rest of that paint pass, which flushes the window to the screen.
class TFirstPaintProbe : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_fired) {
            auto* widget = qobject_cast<QWidget*>(object);
            if (widget && Ready(*widget->window())) {
                m_fired = true;
                QTimer::singleShot(0, [] { Report(); });
            }
        }
        return false;
    }

private:
    // The minimal window is ready when painted; the program's when every list of the browser
    // is filled and one of them holds the pictures.
    static bool Ready(const QWidget& window)
    {
        if (std::string(std::getenv(kChildVariable)) == "minimal")
            return true;
        const auto lists = window.findChildren<QListWidget*>();
        bool pictures = false;
        for (const QListWidget* list : lists) {
            if (list->count() == 0)
                return false;
            pictures = pictures || list->count() >= kPictures;
        }
        return pictures;
    }

    [[noreturn]] static void Report()
    {
        const int pipe = std::atoi(std::getenv(kPipeVariable));
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(pipe, &byte, 1);
        std::_Exit(0);
    }

    bool m_fired = false;
};

void InstallProbe() { qApp->installEventFilter(new TFirstPaintProbe(qApp)); }

int RunChild(int argc, char** argv)
{
    qAddPreRoutine(InstallProbe);
    if (std::string(std::getenv(kChildVariable)) == "program")
        return RunProgram(argc, argv);
    QApplication application(argc, argv);
    QWidget window;
    window.resize(640, 480);
    window.show();
    return application.exec();
}

// One start of this program as the given child, with programPath as its argv[0]; the
// milliseconds to its report, or a negative number when it ended without one.
double StartChild(const std::string& kind, const std::string& programPath)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return -1;
    ::setenv(kChildVariable, kind.c_str(), 1);
    ::setenv(kPipeVariable, std::to_string(ends[1]).c_str(), 1);
    char* argv[] = { const_cast<char*>(programPath.c_str()), nullptr };
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv, environ);
    ::close(ends[1]);
    char byte = 0;
    const bool reported = spawned == 0 && ::read(ends[0], &byte, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    ::close(ends[0]);
    if (spawned == 0)
        ::waitpid(child, nullptr, 0);
    ::unsetenv(kChildVariable);
    ::unsetenv(kPipeVariable);
    return reported ? std::chrono::duration<double, std::milli>(end - start).count() : -1;
}

// The folder of pictures as drive c:, and the settings that open it: the browser starts in
// the folder it was left in, and no colour warning comes first.
std::string MakeRoot()
{
    const fs::path root
        = fs::temp_directory_path() / ("pelorin-bench-startup-" + std::to_string(::getpid()));
    fs::create_directories(root / "pictures");
    QImage picture(64, 48, QImage::Format_RGB888);
    char name[32];
    for (int i = 0; i < kPictures; ++i) {
        picture.fill(QColor::fromHsv(i * 7 % 360, 160, 220));
        std::snprintf(name, sizeof name, "IMG_%04d.bmp", (i * 7919) % kPictures);
        picture.save(QString::fromStdString((root / "pictures" / name).string()), "BMP");
    }
    std::ofstream(root / "Pelorin.ini")
        << "[Pelorin]\nSavePath=1\nLastPath=c:\\pictures\\\nShowColorWarning=0\n";
    ::setenv(kDrivesVariable, ("c=" + root.string()).c_str(), 1);
    return root.string();
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv(kChildVariable))
        return RunChild(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const std::string root = MakeRoot();
    // The program keeps its INI file beside the path it was started with.
    const std::string programPath = root + "/pelorin";
    std::vector<double> minimal;
    std::vector<double> program;
    bool failed = false;
    for (int round = 0; round < kRounds && !failed; ++round) {
        minimal.push_back(StartChild("minimal", programPath));
        program.push_back(StartChild("program", programPath));
        failed = minimal.back() < 0 || program.back() < 0;
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
    if (failed) {
        std::printf("start-up: a child ended without painting its window\n");
        return 1;
    }

    const double ratio = Median(program) / Median(minimal);
    std::printf("\nstart-up to the first paint, on the %s platform (medians of %d alternating "
                "runs)\n",
        qgetenv("QT_QPA_PLATFORM").constData(), kRounds);
    std::printf("  %-44s %10.2f ms\n  %-44s %10.2f ms\n", "browser, lists filled, 1000 pictures",
        Median(program), "minimal Qt Widgets program, empty window", Median(minimal));
    std::printf("  goal: <= %.2f x the minimal program %16.2f  %s\n", kStartupLimit, ratio,
        ratio <= kStartupLimit ? "met" : "NOT MET");
    return 0;
}
