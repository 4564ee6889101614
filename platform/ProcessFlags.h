#pragma once

// Process-wide flags through which the windows and the decoders coordinate on the one
// user-interface thread. They are plain values: nothing runs concurrently with them.
struct TProcessFlags {
    bool loadAbort = false; // the viewing window asks the running display decode to stop
    bool viewerLoading = false; // a display decode is running
    bool previewBusy = false; // a preview decode is running
    bool previewAbort = false; // the browser asks the running preview decode to stop
    bool useTransparency = true; // GIF transparency is honoured; on at start-up
    bool restart = false; // the main window closes to be built again
    bool optionsUnsaved = false; // the options dialog holds changes not yet saved
};

inline TProcessFlags& ProcessFlags()
{
    static TProcessFlags flags;
    return flags;
}
