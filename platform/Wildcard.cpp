#include "platform/Wildcard.h"

#include "platform/CasePolicy.h"

#include <algorithm>
#include <cstdint>

namespace {

// The length of the UTF-8 character at the start of text; a stray byte counts as one.
size_t CharacterLength(std::string_view text)
{
    size_t length = 1;
    while (length < text.size() && length < 4 && (uint8_t(text[length]) & 0xC0) == 0x80)
        ++length;
    return uint8_t(text[0]) < 0x80 ? 1 : length;
}

// Star matching with one point to come back to: the work is at most the product of the two
// lengths, whatever the pattern.
bool Matches(std::string_view name, std::string_view pattern)
{
    size_t n = 0;
    size_t p = 0;
    size_t starPattern = std::string_view::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = ++p;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            n += CharacterLength(name.substr(n));
            ++p;
        } else if (p < pattern.size() && LowerAscii(pattern[p]) == LowerAscii(name[n])) {
            ++n;
            ++p;
        } else if (starPattern != std::string_view::npos) {
            starName += CharacterLength(name.substr(starName));
            n = starName;
            p = starPattern;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix)
{
    return name.size() >= suffix.size()
        && std::equal(suffix.begin(), suffix.end(), name.end() - suffix.size(),
            [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

} // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern)
{
    // "*" then plain text, as every type filter is: the name's end is compared at once.
    if (pattern.starts_with('*') && pattern.find_first_of("*?", 1) == std::string_view::npos)
        return EndsWithIgnoringCase(name, pattern.substr(1));
    if (Matches(name, pattern))
        return true;
    return pattern.ends_with(".*") && name.find('.') == std::string_view::npos
        && Matches(name, pattern.substr(0, pattern.size() - 2));
}
