// Deleting and copying the browser's selected files, against the floor of each in the same run:
// - 2,000 selected files deleted to the trash (the Delete command, from the command to the
//   last item gone) against 2,000 bare QFile::moveToTrash calls; goal within 1.5 times, so
//   no per-file cost that grows with the list;
// - about 2 GB of picture files (a few large, many small) copied into a subfolder (the Copy
//   command, from the command to the last file copied) against `cp` of the same files into
//   another subfolder; goal within 1.2 times.
// The browser runs on Qt's offscreen platform over a drive table that makes the benchmark's
// folder drive c:, with a home of its own so that the trash is a fresh one on the same disk.
// Everything is made in a temporary folder, removed at the end; the disk's free space is
// checked first and the copy scaled down, with a note, when it is short. Each timing starts
// on a synced disk, with a fresh trash or empty targets, and the two sides of each comparison
// take turns at going first. Means of the rounds; "delete" or "copy" as the argument runs
// that comparison alone.

#include "bench/BenchWindows.h"
#include "bench/DecoderBench.h"
#include "browser/DirListBox.h"
#include "browser/ViewFileDlg.h"
#include "browser/ViewGetDirDlg.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "resources/BrowserIds.h"
#include "resources/FileDialogIds.h"
#include "settings/ViewSettings.h"
#include "ui/ListBox.h"
#include "ui/ModalService.h"

#include <QApplication>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Even, so that each side goes first in half the rounds: the one that goes second runs on a
// file system still busy with the first one's files, and is slower for it.
constexpr int kRounds = 6;
constexpr int kDeleteCount = 2000;
constexpr double kDeleteLimit = 1.5;
constexpr double kCopyLimit = 1.2;
constexpr uint64_t kMiB = 1 << 20;
// The copy's files: four large ones and many small ones, about 2 GB in all.
constexpr int kLargeCount = 4;
constexpr uint64_t kLargeBytes = 400 * kMiB;
constexpr int kSmallCount = 400;
constexpr uint64_t kSmallBytes = 1 * kMiB;

// Answers the destination folder dialog with the subfolder it is told, and counts any other
// question (there should be none: ConfirmOn is off and no target exists).
class TBenchModal : public TModalService {
public:
    explicit TBenchModal(std::string folder)
        : m_folder(std::move(folder))
    {
        SetModalService(this);
    }
    ~TBenchModal() override { SetModalService(nullptr); }
    int Questions() const { return m_questions; }

    int MessageBox(
        QWidget*, const std::string& text, const std::string&, TMsgIcon, TMsgButtons) override
    {
        std::fprintf(stderr, "unexpected question: %s\n", text.c_str());
        ++m_questions;
        return kIdNo;
    }
    int ExecuteDialog(TDialog& dialog) override
    {
        dialog.Create();
        auto* destination = dynamic_cast<TViewGetDirDlg*>(&dialog);
        if (!destination)
            return kIdCancel;
        // A double click on the subfolder goes there; on the folder shown it accepts it.
        auto& list = *destination->ControlAs<TDirListBox>(IdDestFolderList);
        for (int i = 0; i < list.GetCount(); ++i) {
            if (list.GetString(i) == m_folder)
                list.SetCaretIndex(i);
        }
        destination->EvNotify(IdDestFolderList, TNotify::DblClk);
        return kIdOk;
    }
    std::optional<uint32_t> ChooseColor(QWidget*, uint32_t, std::array<uint32_t, 16>&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> GetSaveFileName(QWidget*, const TSaveFileRequest&) override
    {
        return std::nullopt;
    }

private:
    std::string m_folder;
    int m_questions = 0;
};

double Mean(const std::vector<double>& values)
{
    double sum = 0;
    for (double value : values)
        sum += value;
    return values.empty() ? 0 : sum / double(values.size());
}

void WriteFile(const fs::path& path, uint64_t bytes, std::vector<char>& buffer)
{
    std::ofstream out(path, std::ios::binary);
    for (uint64_t left = bytes; left > 0;) {
        const uint64_t piece = std::min<uint64_t>(left, buffer.size());
        // Each piece a little different, so that no two blocks of the files are the same.
        buffer[left % buffer.size()] ^= 0x5A;
        out.write(buffer.data(), std::streamsize(piece));
        left -= piece;
    }
    if (!out)
        std::fprintf(stderr, "bench_files: could not write %s\n", path.c_str());
}

void MakeDeleteFiles(const fs::path& folder, const char* prefix)
{
    fs::create_directories(folder);
    std::vector<char> buffer(2048, 'x');
    char name[64];
    for (int i = 0; i < kDeleteCount; ++i) {
        std::snprintf(name, sizeof name, "%s_%04d.jpg", prefix, i);
        WriteFile(folder / name, buffer.size(), buffer);
    }
}

// Writes back what is dirty, so that one timing does not pay for the last one's writes.
void SyncDisk() { ::sync(); }

void EmptyFolder(const fs::path& folder)
{
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
}

uint64_t FolderSize(const fs::path& folder)
{
    uint64_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        bytes += entry.file_size();
    return bytes;
}

uint64_t FreeBytes(const fs::path& folder)
{
    struct statvfs status = {};
    return ::statvfs(folder.c_str(), &status) == 0 ? uint64_t(status.f_bavail) * status.f_frsize
                                                   : 0;
}

// `cp` of the files into the folder, as a fresh process.
bool RunCp(const std::vector<std::string>& files, const fs::path& into)
{
    std::vector<std::string> arguments = { "cp", "--" };
    arguments.insert(arguments.end(), files.begin(), files.end());
    arguments.push_back(into.string() + "/");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawnp(&child, "cp", nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The browser in c:\<folder>\ with every file selected, nothing running.
void SelectEverything(TViewFileDlg& browser, const std::string& folder)
{
    browser.ChangeFolder(folder);
    browser.RefillFiles();
    QCoreApplication::processEvents();
    browser.ControlAs<TListBox>(IdFileList)->SetSel(-1, true);
    QCoreApplication::processEvents();
}

// The two timings of a comparison, each going first in half the rounds, while all goes well.
void TakeTurns(const std::function<void()>& one, const std::function<void()>& other, const bool& ok)
{
    for (int round = 0; round < kRounds && ok; ++round) {
        (round % 2 == 0 ? one : other)();
        (round % 2 == 0 ? other : one)();
    }
}

void PrintLine(const char* what, double milliseconds)
{
    std::printf("  %-52s %10.1f ms\n", what, milliseconds);
}

void PrintGoal(const char* what, double ratio, double limit)
{
    std::printf(
        "  %-52s %10.2f  goal %.1f  %s\n", what, ratio, limit, ratio <= limit ? "met" : "MISSED");
}

// 2,000 selected files deleted by the Delete command against bare moveToTrash calls.
bool CompareDeletes(TViewFileDlg& browser, const fs::path& root)
{
    // Each timing has a trash of its own, so that no file is removed while the runs last:
    // the file system makes new files (the trash's information files) more slowly while many
    // were just removed, and would time that rather than the deletes.
    int trashes = 0;
    const auto freshTrash = [&] {
        // A user's data folder exists; the trash in it is made by the first delete.
        const fs::path data = root / "home" / ("data" + std::to_string(++trashes));
        fs::create_directories(data);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
    };
    std::vector<double> deleteTimes, trashTimes;
    bool ok = true;
    const auto timeDelete = [&] {
        freshTrash();
        MakeDeleteFiles(root / "delete", "IMG");
        SelectEverything(browser, "c:\\delete\\");
        SyncDisk();
        deleteTimes.push_back(Milliseconds([&] { browser.SendCommand(CmDelete); }));
        ok = ok && browser.ControlAs<TListBox>(IdFileList)->GetCount() == 0
            && fs::is_empty(root / "delete");
    };
    const auto timeTrash = [&] {
        freshTrash();
        MakeDeleteFiles(root / "bare", "DSC");
        std::vector<QString> names;
        for (const auto& entry : fs::directory_iterator(root / "bare"))
            names.push_back(QString::fromStdString(entry.path().string()));
        // In the list's order, as the browser deletes them.
        std::sort(names.begin(), names.end());
        SyncDisk();
        trashTimes.push_back(Milliseconds([&] {
            for (const QString& name : names)
                ok = QFile::moveToTrash(name) && ok;
        }));
        // The toolkit falls back on the working folder when it cannot make the trash.
        ok = ok && fs::is_empty(root / "bare");
    };
    TakeTurns(timeDelete, timeTrash, ok);
    const double deleting = Mean(deleteTimes);
    const double trashing = Mean(trashTimes);
    std::printf(
        "\ndeleting %d selected files to the trash (means of %d rounds)\n", kDeleteCount, kRounds);
    PrintLine("the Delete command", deleting);
    PrintLine("bare QFile::moveToTrash", trashing);
    PrintGoal("Delete / moveToTrash", deleting / trashing, kDeleteLimit);
    return ok;
}

// About 2 GB of picture files copied by the Copy command against cp; scaled down when the disk
// cannot hold them three times over (the files, the copy and cp's copy) with 1 GB to spare.
bool CompareCopies(TViewFileDlg& browser, const fs::path& root)
{
    const uint64_t wanted = kLargeCount * kLargeBytes + kSmallCount * kSmallBytes;
    const uint64_t available = FreeBytes(root);
    double scale = 1.0;
    if (available < 3 * wanted + 1024 * kMiB) {
        scale = double(available > 1024 * kMiB ? available - 1024 * kMiB : 0) / double(3 * wanted);
        std::printf("note: %.1f GB free, the copy is scaled down to %.0f%%\n",
            double(available) / 1e9, scale * 100);
    }
    const uint64_t largeBytes = uint64_t(double(kLargeBytes) * scale);
    const uint64_t smallBytes = uint64_t(double(kSmallBytes) * scale);
    const fs::path pictures = root / "pictures";
    fs::create_directories(pictures);
    std::vector<std::string> files;
    std::vector<char> buffer(4 * kMiB);
    for (size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = char((i * 131 + i / 4093) & 0xFF);
    char name[64];
    for (int i = 0; i < kLargeCount + kSmallCount; ++i) {
        const bool large = i < kLargeCount;
        if (large)
            std::snprintf(name, sizeof name, "panorama %02d.bmp", i);
        else
            std::snprintf(name, sizeof name, "IMG_%04d.jpg", i);
        WriteFile(pictures / name, large ? largeBytes : smallBytes, buffer);
        files.push_back((pictures / name).string());
    }
    const uint64_t copyBytes = kLargeCount * largeBytes + kSmallCount * smallBytes;

    std::vector<double> copyTimes, cpTimes;
    bool ok = true;
    const auto timeCopy = [&] {
        EmptyFolder(pictures / "copies");
        SelectEverything(browser, "c:\\pictures\\");
        SyncDisk();
        copyTimes.push_back(Milliseconds([&] { browser.SendCommand(CmCopy); }));
        ok = ok && FolderSize(pictures / "copies") == copyBytes;
    };
    const auto timeCp = [&] {
        EmptyFolder(pictures / "cp");
        SyncDisk();
        cpTimes.push_back(Milliseconds([&] { ok = RunCp(files, pictures / "cp") && ok; }));
    };
    TakeTurns(timeCopy, timeCp, ok);
    const double copying = Mean(copyTimes);
    const double cp = Mean(cpTimes);
    std::printf("\ncopying %.2f GB: %d files of %.0f MiB, %d of %.2f MiB (means of %d rounds)\n",
        double(copyBytes) / 1e9, kLargeCount, double(largeBytes) / double(kMiB), kSmallCount,
        double(smallBytes) / double(kMiB), kRounds);
    PrintLine("the Copy command", copying);
    PrintLine("cp", cp);
    PrintGoal("Copy / cp", copying / cp, kCopyLimit);
    return ok;
}

} // namespace

// With "delete" or "copy" as its argument, only that comparison runs.
int main(int argc, char** argv)
{
    const auto application = StartWindowBenchmark(argc, argv);
    const std::string only = argc > 1 ? argv[1] : "";
    const fs::path root = fs::temp_directory_path()
        / ("pelorin-bench-files-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(root / "home");
    setenv("HOME", (root / "home").c_str(), 1);
    TProfile::Instance().SetPrivateFile((root / "Pelorin.ini").string());
    setenv(kDrivesVariable, ("c=" + root.string()).c_str(), 1);
    FileSystem().Reset();
    Settings().SavePath = false;
    Settings().ConfirmOn = false;
    Settings().ShiftForSelected = false;
    TBenchModal modal("copies");

    TViewFileDlg browser(nullptr, 176);
    browser.Create();
    browser.show();
    QCoreApplication::processEvents();
    bool ok = true;
    if (only != "copy")
        ok = CompareDeletes(browser, root) && ok;
    if (only != "delete")
        ok = CompareCopies(browser, root) && ok;
    if (!ok || modal.Questions() > 0)
        std::printf("bench_files: a delete or copy did not do all it should\n");

    std::error_code ignored;
    fs::remove_all(root, ignored);
    return ok ? 0 : 1;
}
