#pragma once

#include <string>

// What the windows share about the running program: its names, the file named on the
// command line, the help file, and the flags of the operating system it runs on. The
// program entry fills it once.
struct TProgramState {
    std::string productName = "Pelorin";
    std::string versionText = "  version 1.7";
    std::string startupFile;
    std::string helpFile;
    // The old platform variants whose scroll bar metrics and ranges differ do not exist
    // here; the newer shell (work area, recycle bin) always does.
    bool win32s = false;
    bool oldNt = false;
    bool newShell = true;
};

TProgramState& ProgramState();
