#pragma once

#include <string_view>

// Whether a file name matches a search pattern as the directory search matches them: '*'
// stands for any run of characters, '?' for one character, letters match without regard to
// their case (*.jpg lists IMG_0001.JPG), and a pattern ending in ".*" also takes names
// without a dot (abc.* lists abc, *.* lists every name).
bool MatchesPattern(std::string_view name, std::string_view pattern);
