#pragma once

#include <string>
#include <string_view>

// The browser keeps folder and file names, typed text and stored paths in lower case where
// the file system ignores case (Windows). POSIX file systems tell case apart, so there they
// keep their own case: folding would make mixed-case folders unreachable. Drive letters are
// always lower case. Every place that would fold the case of a name asks here.
std::string FoldNameCase(std::string_view text);

// A..Z as a..z (drive letters, extensions compared without case); anything else unchanged.
inline char LowerAscii(char letter)
{
    return letter >= 'A' && letter <= 'Z' ? char(letter - 'A' + 'a') : letter;
}
