#pragma once

#include <functional>
#include <string>

class TDisplayDib;
class TFileWalk;
class TShownImage;
class TViewLayout;
class TViewPainter;
class TViewPlayback;
class TViewWindow;

// The way a walk through the files moves, which decides what a failed load offers next.
enum class TDirection { Forwards, Backwards };

// A decode of the viewing window runs on this thread while the flag is set: painting then
// shows only the background and loading commands defer themselves.
class TViewerLoading {
public:
    TViewerLoading();
    ~TViewerLoading();
    TViewerLoading(const TViewerLoading&) = delete;
    TViewerLoading& operator=(const TViewerLoading&) = delete;
};

// Loads the walk's current file into the viewing window, on the one thread, and keeps loads
// from overlapping. A decode handles a message after every row, so a command that would load
// again or close the window while one runs asks it to stop and comes back through the queue
// (the busy protocol). Warnings and failures are put to the user; a failure offers the next
// file in the walk's direction. A shown image starts the slideshow or its animation.
class TViewLoader {
public:
    TViewLoader(TViewWindow& window, TFileWalk& walk, TShownImage& image, TViewLayout& layout,
        TViewPainter& painter, TViewPlayback& playback);

    // Stops the slideshow and animation timers and, while a decode runs, asks it to stop:
    // true then, and the caller's request is to come back through the queue.
    bool InterruptDecode();
    // A command that loads: deferred behind a running decode; otherwise pick chooses the file
    // (false when there is none to load) and it is loaded with the loading flag set.
    void LoadFor(int command, TDirection direction, const std::function<bool()>& pick);

private:
    void Load(TDirection direction);
    void FinishLoad();
    void ReportLoadFailure(TDirection direction, const TDisplayDib* image);
    void ShowProgressText(const std::string& text, bool inClient);

    TViewWindow& m_window;
    TFileWalk& m_walk;
    TShownImage& m_image;
    TViewLayout& m_layout;
    TViewPainter& m_painter;
    TViewPlayback& m_playback;
};
