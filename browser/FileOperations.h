#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFileCopy;
class TFileDelete;
class TListBox;
class TWindow;

// Deleting and copying the browser's files: the file under the cursor, or in selected mode
// the selected files (the file under the cursor when none is selected). The browser has
// stopped the preview and closed the viewing window before a delete; a copy waits for
// nothing. A run walks the file list by index while it handles messages, so nothing else may
// change the list meanwhile: a second delete or copy asked for during a run is dropped, and
// what else would change the list (a drive come or gone) waits for the run's end.
class TBrowserFileOps {
public:
    TBrowserFileOps(TWindow& browser, TListBox& files, const std::string& fullFolder);
    ~TBrowserFileOps();

    void Delete(bool selectedMode);
    void Copy(bool selectedMode);

    // The folder of the last confirmed copy; empty until the first.
    const std::string& CopyDestination() const;

    bool Running() const { return m_running; }
    // Runs the work once the delete or copy that runs has ended.
    void AfterRun(std::function<void()> work) { m_afterRun.push_back(std::move(work)); }

private:
    void Run(const std::function<void()>& operation);

    std::unique_ptr<TFileDelete> m_delete;
    std::unique_ptr<TFileCopy> m_copy;
    bool m_running = false;
    std::vector<std::function<void()>> m_afterRun;
};
