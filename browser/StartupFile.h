#pragma once

#include <string>

class TBrowserLists;
class TWindow;

// The start-up file as the browser types it into its file name field: a path of this system
// (absolute, or relative to the working folder, a pattern too) in the browser's form
// ("c:\home\me\photo.gif"), with a backslash after a folder; a text in the browser's form
// that names nothing of this system ("d:\images\") as it is, and so is a path that no drive
// holds.
std::string StartupFileText(const std::string& argument);

// The last step of the browser's set-up: the colour warning when it is due, then the file
// named on the command line, applied as typed text, so that a file that exists is listed,
// selected and shown. The warning comes first through the queue (command 167), on its own
// once the window is up.
class TStartupFile {
public:
    TStartupFile(TWindow& browser, TBrowserLists& lists, std::string argument);

    void Begin();
    // Command 167.
    void ColorWarningThenFile();

private:
    void Open();

    TWindow& m_browser;
    TBrowserLists& m_lists;
    std::string m_argument;
};
