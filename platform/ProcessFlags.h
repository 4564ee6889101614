#pragma once

// Every process-wide flag of the program. The first group is how the windows and the decoders
// coordinate on the one user-interface thread; they are plain values, since nothing runs
// concurrently with them. The platform flags are set once at start-up.
struct TProcessFlags {
    bool loadAbort = false; // the viewing window asks the running display decode to stop
    bool viewerLoading = false; // a display decode is running
    bool previewBusy = false; // a preview decode is running
    bool previewAbort = false; // the browser asks the running preview decode to stop
    bool useTransparency = true; // GIF transparency is honoured; on at start-up
    bool restart = false; // the main window closes to be built again
    bool optionsUnsaved = false; // the options dialog holds changes not yet saved
    bool cancel = false; // the progress window of a delete or a copy was cancelled

    // The old platform variants whose scroll bar metrics and ranges differ do not exist here;
    // the newer shell (work area, recycle bin) always does.
    bool win32s = false;
    bool oldNt = false;
    bool newShell = true;
};

inline TProcessFlags& ProcessFlags()
{
    static TProcessFlags flags;
    return flags;
}
