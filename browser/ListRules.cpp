#include "browser/ListRules.h"

#include <algorithm>
#include <cstdint>

namespace {

// Characters, not bytes: a UTF-8 continuation byte does not count.
size_t CharacterCount(std::string_view text)
{
    return size_t(std::ranges::count_if(text, [](char c) { return (uint8_t(c) & 0xC0) != 0x80; }));
}

} // namespace

std::string ShortFolderLabel(std::string_view fullFolder)
{
    constexpr size_t kLongest = 20;
    constexpr size_t kLongestTail = 13;
    if (CharacterCount(fullFolder) <= kLongest)
        return std::string(fullFolder);
    std::string_view tail = fullFolder.substr(3);
    while (CharacterCount(tail) > kLongestTail && std::ranges::count(tail, '\\') > 1)
        tail.remove_prefix(tail.find('\\') + 1);
    return std::string(fullFolder.substr(0, 3)) + "...\\" + std::string(tail);
}

std::string DestinationFolderLabel(std::string_view folder)
{
    constexpr size_t kLongest = 20;
    constexpr size_t kShortestDropped = 14;
    if (CharacterCount(folder) <= kLongest)
        return std::string(folder);
    std::string_view tail = folder.substr(3);
    while (CharacterCount(tail) >= kShortestDropped && tail.find('\\') != std::string_view::npos)
        tail.remove_prefix(tail.find('\\') + 1);
    return std::string(folder.substr(0, 3)) + "...\\" + std::string(tail);
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
