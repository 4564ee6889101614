#include "platform/MountTable.h"

#include "platform/SplitText.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace {

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

std::string Unescape(std::string_view field)
{
    std::string text;
    text.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1])
            && IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
            text.push_back(
                char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
            continue;
        }
        text.push_back(field[i]);
    }
    return text;
}

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t at = 0;
    while (at < line.size()) {
        const size_t start = line.find_first_not_of(" \t", at);
        if (start == std::string_view::npos)
            break;
        const size_t end = std::min(line.find_first_of(" \t", start), line.size());
        fields.push_back(line.substr(start, end - start));
        at = end;
    }
    return fields;
}

bool ParseDevice(std::string_view field, uint32_t& major, uint32_t& minor)
{
    const size_t colon = field.find(':');
    if (colon == std::string_view::npos)
        return false;
    const char* end = field.data() + field.size();
    const auto first = std::from_chars(field.data(), field.data() + colon, major);
    const auto second = std::from_chars(field.data() + colon + 1, end, minor);
    return first.ec == std::errc() && second.ec == std::errc() && second.ptr == end;
}

} // namespace

std::vector<TMountEntry> ParseMountTable(std::string_view mountInfo)
{
    // mount id, parent id, major:minor, root, mount point, options, optional fields, then
    // "-", the file system type, the source and the super block options.
    std::vector<TMountEntry> entries;
    for (std::string_view line : SplitText(mountInfo, '\n')) {
        const std::vector<std::string_view> fields = SplitFields(line);
        size_t separator = 6;
        while (separator < fields.size() && fields[separator] != "-")
            ++separator;
        TMountEntry entry;
        if (separator + 2 >= fields.size()
            || !ParseDevice(fields[2], entry.deviceMajor, entry.deviceMinor))
            continue;
        entry.mountPoint = Unescape(fields[4]);
        entry.fileSystem = Unescape(fields[separator + 1]);
        entry.source = Unescape(fields[separator + 2]);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string ReadMountTable(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
