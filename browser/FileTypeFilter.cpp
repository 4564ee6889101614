#include "browser/FileTypeFilter.h"

#include "platform/CasePolicy.h"
#include "platform/SplitText.h"

#include <algorithm>

namespace {

// The non-empty items of a pattern list.
std::vector<std::string_view> Items(std::string_view list)
{
    std::vector<std::string_view> items = SplitText(list, ';');
    std::erase_if(items, [](std::string_view item) { return item.empty(); });
    return items;
}

} // namespace

const std::array<TFileTypeEntry, 7>& FileTypeEntries()
{
    static const std::array<TFileTypeEntry, 7> entries = { {
        { "All files (*.*)", "*", ".*", "" },
        { "Supported files (*.bmp;*.gif;*.jpg;*.pcx;*.tga)", "*", ".*",
            "*.bmp;*.gif;*.jpg;*.pcx;*.tga" },
        { "BMP files (*.bmp)", "*", ".bmp", "" },
        { "GIF files (*.gif)", "*", ".gif", "" },
        { "JPEG files (*.jpg)", "*", ".jpg", "" },
        { "PCX files (*.pcx)", "*", ".pcx", "" },
        { "TGA files (*.tga)", "*", ".tga", "" },
    } };
    return entries;
}

int TypeEntryForExtension(std::string_view extensionPattern)
{
    const auto& entries = FileTypeEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i != kTypeSupported
            && std::ranges::equal(entries[i].extensionPattern, extensionPattern,
                [](char a, char b) { return LowerAscii(a) == LowerAscii(b); }))
            return int(i);
    }
    return -1;
}

bool HasWildcard(std::string_view text) { return text.find_first_of("*?") != text.npos; }

bool IsValidPatternList(std::string_view text)
{
    if (text.find_first_of("\\:") != text.npos)
        return false;
    return std::ranges::none_of(Items(text), [](std::string_view item) {
        return item.ends_with('.') || std::ranges::count(item, '.') > 1;
    });
}

std::vector<std::string> PatternListSearches(std::string_view patternList)
{
    std::vector<std::string> searches;
    for (std::string_view item : Items(patternList)) {
        const std::string text(item);
        if (item.starts_with('.'))
            searches.push_back("*" + text);
        else if (item.find('.') == std::string_view::npos)
            searches.push_back(text + ".*");
        else if (item.ends_with('.'))
            searches.push_back(text + "*");
        else
            searches.push_back(text);
    }
    return searches;
}
