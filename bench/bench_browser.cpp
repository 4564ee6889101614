// Refills the browser's file list and folder list for a folder of 10,000 files and 1,000
// subfolders, and the file list for a folder of 100,000 files, against a bare directory read
// plus sort of the same names in the same run. The browser runs on Qt's offscreen platform
// over a drive table that makes the benchmark's folder drive c:.

#include "bench/BenchWindows.h"
#include "browser/DirListBox.h"
#include "browser/ViewFileDlg.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "resources/BrowserIds.h"
#include "settings/ViewSettings.h"
#include "ui/ListBox.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <dirent.h>

namespace fs = std::filesystem;

namespace {

void MakeFolder(const fs::path& folder, int files, int subfolders)
{
    static const char* const extensions[] = { "jpg", "gif", "bmp", "pcx", "tga" };
    fs::create_directories(folder);
    char name[64];
    for (int i = 0; i < files; ++i) {
        std::snprintf(name, sizeof name, "IMG_%06d.%s", (i * 7919) % files, extensions[i % 5]);
        std::ofstream(folder / name).put('x');
    }
    for (int i = 0; i < subfolders; ++i) {
        std::snprintf(name, sizeof name, "Folder %04d", (i * 31) % subfolders);
        fs::create_directory(folder / name);
    }
}

// The floor: every name of the folder read and sorted, nothing else.
void BareReadAndSort(benchmark::State& state, const std::string& folder)
{
    std::vector<std::string> names;
    for (auto _ : state) {
        names.clear();
        DIR* directory = ::opendir(folder.c_str());
        while (const dirent* entry = ::readdir(directory)) {
            if (entry->d_name[0] != '.')
                names.emplace_back(entry->d_name);
        }
        ::closedir(directory);
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.data());
    }
    state.counters["names"] = double(names.size());
    state.counters["per name"] = benchmark::Counter(double(names.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

class TBrowserBench {
public:
    explicit TBrowserBench(const std::string& folder)
    {
        m_browser.Create();
        m_browser.show();
        m_browser.ChangeFolder(folder);
        QCoreApplication::processEvents();
    }
    TViewFileDlg& Browser() { return m_browser; }
    TListBox& FileList() { return *m_browser.ControlAs<TListBox>(IdFileList); }
    TDirListBox& FolderList() { return *m_browser.ControlAs<TDirListBox>(IdFolderList); }

private:
    TViewFileDlg m_browser { nullptr, 176 };
};

// The file list refilled and laid out, as the user sees it after a change of folder or type.
void RefillFiles(benchmark::State& state, const std::string& folder)
{
    TBrowserBench bench(folder);
    for (auto _ : state) {
        bench.Browser().RefillFiles();
        QCoreApplication::processEvents();
    }
    const double count = bench.FileList().GetCount();
    state.counters["names"] = count;
    state.counters["per name"] = benchmark::Counter(
        count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void FillFolders(benchmark::State& state, const std::string& folder)
{
    TBrowserBench bench(folder);
    for (auto _ : state) {
        bench.FolderList().Fill(bench.Browser().FullFolder(), false);
        QCoreApplication::processEvents();
    }
    state.counters["items"] = bench.FolderList().GetCount();
}

} // namespace

int main(int argc, char** argv)
{
    const auto application = StartWindowBenchmark(argc, argv);

    const fs::path root = fs::temp_directory_path()
        / ("pelorin-bench-browser-" + std::to_string(QCoreApplication::applicationPid()));
    MakeFolder(root / "small", 10000, 1000);
    MakeFolder(root / "large", 100000, 0);
    TProfile::Instance().SetPrivateFile((root / "Pelorin.ini").string());
    setenv(kDrivesVariable, ("c=" + root.string()).c_str(), 1);
    Settings().SavePath = false;

    for (const auto& [name, label] : { std::pair { "small", "10000 files, 1000 folders" },
             std::pair { "large", "100000 files" } }) {
        const std::string native = (root / name).string();
        const std::string browser = std::string("c:\\") + name + "\\";
        benchmark::RegisterBenchmark((std::string("bare read and sort/") + label).c_str(),
            [native](benchmark::State& state) { BareReadAndSort(state, native); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("file list refill/") + label).c_str(),
            [browser](benchmark::State& state) { RefillFiles(state, browser); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("folder list fill/10000 files, 1000 folders",
        [](benchmark::State& state) { FillFolders(state, "c:\\small\\"); })
        ->Unit(benchmark::kMillisecond);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
