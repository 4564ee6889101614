// The browser's preview under a moving cursor, through 6000 x 4000 baseline JPEG files: from
// the caret moving onto the next file while the previous file's thumbnail decodes (a key
// press handled by the file list halfway through that decode) to the first row of the new
// thumbnail painted, against the thumbnail of that file alone (command 134 to the whole
// thumbnail decoded and painted). The browser runs in its frame on Qt's offscreen platform
// over a drive table that makes the benchmark's folder drive c:. Medians of alternating runs.

#include "bench/BenchJpeg.h"
#include "bench/BenchWindows.h"
#include "bench/DecoderBench.h"
#include "browser/ViewFileDlg.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "preview/PreviewDib.h"
#include "resources/BrowserIds.h"
#include "settings/ViewSettings.h"
#include "ui/FrameWindow.h"
#include "ui/ListBox.h"
#include "ui/Screen.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

namespace {

using TClock = std::chrono::steady_clock;

constexpr int kRounds = 7;
// The new thumbnail's first row may come this much later than the whole thumbnail of the
// file alone takes.
constexpr double kSwitchLimit = 2.0;

double Milliseconds(TClock::time_point start, TClock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// Notes when the browser first paints while its preview holds a thumbnail of the file: the
// preview paints a row as soon as it is decoded, and the paint comes at the decode's next
// message step, after that row.
class TFirstRowWatch : public QObject {
public:
    TFirstRowWatch(TViewFileDlg& browser, std::string path)
        : m_browser(browser)
        , m_path(std::move(path))
    {
        browser.installEventFilter(this);
    }
    ~TFirstRowWatch() override { m_browser.removeEventFilter(this); }
    std::optional<TClock::time_point> Painted() const { return m_painted; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const TPreviewDib& preview = *m_browser.Preview();
        if (event->type() == QEvent::Paint && !m_painted && preview.FileName() == m_path
            && preview.Geometry().scaledHeight > 0)
            m_painted = TClock::now();
        return false;
    }

private:
    TViewFileDlg& m_browser;
    std::string m_path;
    std::optional<TClock::time_point> m_painted;
};

// Runs the work when a posted event reaches it, in the event loop's handling of posted
// events, where the program's commands run.
class TPostedRun : public QObject {
public:
    explicit TPostedRun(std::function<void()> work)
        : m_work(std::move(work))
    {
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        m_work();
        return true;
    }

private:
    std::function<void()> m_work;
};

void Settle()
{
    for (int pass = 0; pass < 4; ++pass)
        QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    const auto application = StartWindowBenchmark(argc, argv);
    const std::vector<uint8_t> jpeg
        = CompressRgbJpeg(kPictureWidth, kPictureHeight, 90, false, JpegPictureRow);
    const std::string first = WriteBenchFile("a.jpg", jpeg);
    const std::string second = WriteBenchFile("b.jpg", jpeg);
    const std::filesystem::path folder = std::filesystem::path(first).parent_path();
    TProfile::Instance().SetPrivateFile((folder / "Pelorin.ini").string());
    SetScreenOverride(MakeScreenInfo(1280, 1024));
    setenv(kDrivesVariable, ("c=" + folder.string()).c_str(), 1);
    FileSystem().Reset();
    Settings().SavePath = false;
    Settings().FileType = 4; // JPEG files

    auto* browser = new TViewFileDlg(nullptr, 176);
    TFrameWindow frame(nullptr, "Pelorin", browser, true);
    frame.Create();
    frame.show();
    Settle();
    auto& files = *browser->ControlAs<TListBox>(IdFileList);
    if (files.GetCount() != 2) {
        std::printf("the browser lists %d files, not 2\n", files.GetCount());
        return 1;
    }
    files.setFocus();

    std::vector<double> alone;
    std::vector<double> aloneFirstRow;
    std::vector<double> switched;
    std::vector<double> stopped;
    for (int round = 0; round < kRounds; ++round) {
        // The second file alone.
        files.SetCaretIndex(1);
        {
            TFirstRowWatch watch(*browser, second);
            const auto start = TClock::now();
            browser->SendCommand(CmRefreshPreview);
            alone.push_back(Milliseconds(start, TClock::now()));
            aloneFirstRow.push_back(watch.Painted() ? Milliseconds(start, *watch.Painted()) : -1);
        }
        // The first file decoding, and the cursor moving on to the second halfway through.
        files.SetCaretIndex(0);
        TFirstRowWatch watch(*browser, second);
        TClock::time_point moved;
        QTimer::singleShot(int(alone.back() / 2), &files, [&] {
            moved = TClock::now();
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QCoreApplication::sendEvent(&files, &down);
        });
        // As in the program, the request comes through the queue of posted events.
        TClock::time_point firstStopped;
        QEventLoop loop;
        TPostedRun request([&] {
            browser->SendCommand(CmRefreshPreview);
            firstStopped = TClock::now();
            loop.quit();
        });
        loop.exec();
        stopped.push_back(Milliseconds(moved, firstStopped));
        Settle();
        if (!watch.Painted() || browser->Preview()->FileName() != second) {
            std::printf("the second file's thumbnail was not painted after the move\n");
            return 1;
        }
        switched.push_back(Milliseconds(moved, *watch.Painted()));
    }

    const double ratio = Median(switched) / Median(alone);
    std::printf("\npreview under a moving cursor: baseline JPEG 6000 x 4000 in a %d x %d box "
                "(medians of %d alternating runs)\n",
        browser->PreviewRect().width(), browser->PreviewRect().height(), kRounds);
    std::printf(
        "  %-44s %10.2f ms\n", "thumbnail of the file alone, 134 to complete", Median(alone));
    std::printf(
        "  %-44s %10.2f ms\n", "  of which to its first row painted", Median(aloneFirstRow));
    std::printf(
        "  %-44s %10.2f ms\n", "move during a decode to the old decode stopped", Median(stopped));
    std::printf(
        "  %-44s %10.2f ms\n", "move during a decode to the new first row", Median(switched));
    std::printf("  goal: < %.1f x the thumbnail alone %17.3f  %s\n", kSwitchLimit, ratio,
        ratio < kSwitchLimit ? "met" : "MISSED");
    unsetenv(kDrivesVariable);
    return 0;
}
