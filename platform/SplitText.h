#pragma once

#include <string_view>
#include <vector>

// The pieces of text between separators, empty ones included: "a;;b" gives "a", "", "b", and
// an empty text one empty piece. The pieces point into the text.
inline std::vector<std::string_view> SplitText(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    size_t at = 0;
    for (;;) {
        const size_t end = text.find(separator, at);
        if (end == std::string_view::npos) {
            pieces.push_back(text.substr(at));
            return pieces;
        }
        pieces.push_back(text.substr(at, end - at));
        at = end + 1;
    }
}
