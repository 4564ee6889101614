#pragma once

class TFileWalk;
class TViewLoader;
class TViewWindow;

// The viewing window's walk through the browser's files: showing from the browser's cursor,
// the next and the previous file, Space's toggle of the selection, and the reload with GIF
// transparency toggled. Each is a move of the walk handed to the loader, so that it waits
// behind a running decode. A list that has become empty (the browser went to a folder
// without pictures) leaves nothing to show: the window closes.
class TViewNavigation {
public:
    TViewNavigation(TViewWindow& window, TFileWalk& walk, TViewLoader& loader);

    // Commands 126 (all files) and 143 (selected files only) of the browser.
    void Show(int command, bool selectedOnly);
    // Commands 301 (step 1) and 304 (step -1).
    void Step(int command, int step);
    // Command 302.
    void ToggleAndNext();
    // Command 325.
    void ReloadWithTransparencyToggled();

private:
    // Whether the walk has a file to show; closes the window when the list is empty.
    bool HasFiles();

    TViewWindow& m_window;
    TFileWalk& m_walk;
    TViewLoader& m_loader;
};
