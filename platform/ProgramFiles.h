#pragma once

#include <string>
#include <string_view>

// Where the program keeps its INI file and finds its help.
//
// A program in its build folder keeps both beside itself: the folder of the path it was
// started with, or the configuration folder for the INI file of a bare program name. An
// installed program cannot write its own folder, so it keeps its INI file in the user's
// configuration folder (${XDG_CONFIG_HOME:-~/.config}/Pelorin.ini) and opens its help from its
// data folder. The program is installed when that data folder lies where the install rules
// put it relative to the folder of the running executable (../share/pelorin in the usual
// layout); the build folder has none there.
struct TProgramFiles {
    std::string privateProfile;
    std::string helpFile;
};

// The data folder of an installed program, relative to the folder of its executable; the
// build takes it from the install layout.
std::string_view InstalledDataFolder();

// programPath: the path the process was started with; executableFolder: the folder of the
// running executable (empty when unknown, which counts as not installed).
TProgramFiles ProgramFiles(std::string_view programPath, std::string_view executableFolder);

// The folder of a program path up to and including its last separator; empty for a bare
// program name.
std::string_view ProgramFolder(std::string_view programPath);

// The help file of a program started as programPath: its folder up to the last separator,
// then "Pelorin.hlp"; a bare program name gives the bare file name.
std::string HelpFilePath(std::string_view programPath);
