#pragma once

#include <memory>
#include <string>

class TCancelDialog;
class TWindow;

// One run of a delete or a copy: the cancel flag cleared and the progress window up over the
// browser, under the caller's caption, for as long as the object lives. While the window is
// up no other window of the program takes input (the browser is disabled, without being
// greyed); its Cancel takes effect when the run next asks GoOn.
class TFileRun {
public:
    TFileRun(TWindow& browser, const std::string& caption);
    ~TFileRun();
    TFileRun(const TFileRun&) = delete;
    TFileRun& operator=(const TFileRun&) = delete;

    // The progress text: "deleting file  'a.gif'  ...".
    void Show(const std::string& text);
    // Handles every message waiting, so that Cancel and painting work between files; false
    // once Cancel has been pressed.
    bool GoOn();

private:
    std::unique_ptr<TCancelDialog> m_progress;
};
