#include "browser/ListRules.h"

#include <algorithm>
#include <cstdint>

namespace {

// Characters, not bytes: a UTF-8 continuation byte does not count.
size_t CharacterCount(std::string_view text)
{
    return size_t(std::ranges::count_if(text, [](char c) { return (uint8_t(c) & 0xC0) != 0x80; }));
}

// A folder of up to 20 characters as it is; a longer one as its drive root, "...\" and its
// tail, which loses leading folders while dropMore says so.
template <class TDropMore> std::string ElidedFolder(std::string_view folder, TDropMore dropMore)
{
    constexpr size_t kLongest = 20;
    if (CharacterCount(folder) <= kLongest)
        return std::string(folder);
    std::string_view tail = folder.substr(3);
    while (dropMore(tail))
        tail.remove_prefix(tail.find('\\') + 1);
    return std::string(folder.substr(0, 3)) + "...\\" + std::string(tail);
}

} // namespace

std::string ShortFolderLabel(std::string_view fullFolder)
{
    constexpr size_t kLongestTail = 13;
    return ElidedFolder(fullFolder, [](std::string_view tail) {
        return CharacterCount(tail) > kLongestTail && std::ranges::count(tail, '\\') > 1;
    });
}

std::string DestinationFolderLabel(std::string_view folder)
{
    constexpr size_t kShortestDropped = 14;
    return ElidedFolder(folder, [](std::string_view tail) {
        return CharacterCount(tail) >= kShortestDropped
            && tail.find('\\') != std::string_view::npos;
    });
}

int FileColumnWidth(int averageCharWidth, int listWidth)
{
    const int half = std::max(averageCharWidth, 0) / 2;
    int width = std::max(averageCharWidth * 12 + half, 1);
    // Past the list's own width the remainder is the whole list, so the search ends there.
    while (width < listWidth && listWidth % width > half)
        ++width;
    return width;
}
