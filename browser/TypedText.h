#pragma once

#include "browser/TypedPath.h"

#include <string>
#include <string_view>

// What the browser makes of the text in its file name field, decided without the window:
// a pattern list to list, a place and patterns to go to (perhaps naming one file to show),
// a refusal with its message, or a drive to ask about.
struct TTypedText {
    enum class TKind {
        Refused, // a message box with an exclamation icon, and nothing else
        DriveNotReady, // the Retry and Cancel question about the drive of the text's first letter
        PatternList, // list the text's ';'-separated patterns
        Path, // list parsed.drive + parsed.folder under the patterns
    };
    TKind kind = TKind::Refused;
    std::string text; // as the case policy leaves it
    bool patternList = false; // the text held ';'
    std::string message; // Refused: the message box's text and caption
    std::string caption;
    bool selectField = false; // Refused: the field's text is selected afterwards
    int typeEntry = -1; // the type entry to select, -1 for none
    TTypedPath parsed; // Path
    std::string namePattern; // Path: "*" when one file was named
    std::string extensionPattern;
    std::string fileToOpen; // Path: the one file the text named
};

TTypedText InterpretTypedText(
    std::string_view typed, const TFolderQueries& folders, bool showHidden);
