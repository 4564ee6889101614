#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// One entry of the browser's type combo box: its text and the patterns it lists.
struct TFileTypeEntry {
    std::string_view text;
    std::string_view namePattern;
    std::string_view extensionPattern; // with its dot
    std::string_view patternList; // empty: name pattern + extension pattern
};

// The seven entries in the combo box's order; an entry's index is the FileType setting.
const std::array<TFileTypeEntry, 7>& FileTypeEntries();
inline constexpr int kTypeAllFiles = 0;
inline constexpr int kTypeSupported = 1;

// The entry that lists exactly this extension pattern (".*" all files, ".gif" or ".GIF" GIF
// files ...: the search ignores the case of letters), or -1 when no entry does.
int TypeEntryForExtension(std::string_view extensionPattern);

bool HasWildcard(std::string_view text);

// Whether typed text holding ';' is a usable pattern list: no backslash or colon, and no
// non-empty item with more than one dot or ending with a dot.
bool IsValidPatternList(std::string_view text);

// The search patterns of a pattern list: each non-empty item, ".gif" as "*.gif", "abc" as
// "abc.*" and "abc." as "abc.*".
std::vector<std::string> PatternListSearches(std::string_view patternList);
