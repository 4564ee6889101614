#include "platform/IniFile.h"

#include "platform/CasePolicy.h"
#include "platform/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

namespace {

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return LowerAscii(x) == LowerAscii(y);
    });
}

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

enum class TLineKind { Other, Section, Entry };

struct TLine {
    TLineKind kind = TLineKind::Other;
    std::string_view name; // section or key name, trimmed
    std::string_view value; // entry value, trimmed
};

TLine ParseLine(std::string_view raw)
{
    const std::string_view text = Trim(raw);
    if (text.empty() || text.front() == ';')
        return {};
    if (text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string_view::npos)
            return {};
        return { TLineKind::Section, Trim(text.substr(1, close - 1)), {} };
    }
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return {};
    return { TLineKind::Entry, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1)) };
}

// Reads the whole file. A missing file is an empty one; any other failure is reported,
// because writing over a file that could not be read would lose its contents.
bool ReadWholeFile(const std::string& path, std::string& contents)
{
    contents.clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return errno == ENOENT;
    char buffer[16384];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        contents.append(buffer, count);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

std::vector<std::string_view> SplitLines(std::string_view contents)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < contents.size()) {
        size_t end = contents.find('\n', start);
        if (end == std::string_view::npos)
            end = contents.size();
        lines.push_back(contents.substr(start, end - start)); // keeps a trailing '\r'
        start = end + 1;
    }
    return lines;
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

TIniFile::TIniFile(std::string path)
    : m_path(std::move(path))
{
}

std::optional<std::string> TIniFile::Read(std::string_view section, std::string_view key) const
{
    std::string contents;
    if (!ReadWholeFile(m_path, contents))
        return std::nullopt;
    bool inSection = false;
    for (const std::string_view raw : SplitLines(contents)) {
        const TLine line = ParseLine(raw);
        if (line.kind == TLineKind::Section)
            inSection = EqualNoCase(line.name, section);
        else if (inSection && line.kind == TLineKind::Entry && EqualNoCase(line.name, key))
            return std::string(line.value);
    }
    return std::nullopt;
}

bool TIniFile::Write(std::string_view section, std::string_view key, std::string_view text) const
{
    // A line break inside a name or value would add lines of its own to the file.
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(text))
        return false;
    // The file is read after it has been found replaceable: a read-only file stays as it is.
    TSafeFile file;
    if (!file.Create(m_path))
        return false;
    const std::string& target = file.Target();
    std::string contents;
    if (!ReadWholeFile(target, contents))
        return false;
    const std::vector<std::string_view> lines = SplitLines(contents);
    const bool crlf = !lines.empty() && !lines.front().empty() && lines.front().back() == '\r';
    const std::string newline = crlf ? "\r\n" : "\n";
    const std::string entry = std::string(key) + "=" + std::string(text);

    // Find the line to replace, or the place after the section's last entry to insert at.
    std::optional<size_t> replaceAt;
    std::optional<size_t> insertAt;
    bool inSection = false;
    for (size_t i = 0; i < lines.size() && !replaceAt; ++i) {
        const TLine line = ParseLine(lines[i]);
        if (line.kind == TLineKind::Section) {
            inSection = EqualNoCase(line.name, section);
            if (inSection)
                insertAt = i + 1;
        } else if (inSection && line.kind == TLineKind::Entry) {
            if (EqualNoCase(line.name, key))
                replaceAt = i;
            else
                insertAt = i + 1;
        }
    }

    std::string result;
    result.reserve(contents.size() + entry.size() + section.size() + 8);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (insertAt == i && !replaceAt)
            result += entry + newline;
        if (replaceAt == i) {
            // The replaced line keeps its own ending: the last line of a file may have none.
            result += entry + (lines[i].ends_with('\r') ? "\r" : "");
        } else {
            result += lines[i];
        }
        if (i + 1 < lines.size() || (!contents.empty() && contents.back() == '\n'))
            result += '\n';
    }
    if (!replaceAt && insertAt == lines.size()) {
        if (!result.empty() && result.back() != '\n')
            result += newline;
        result += entry + newline;
    }
    if (!replaceAt && !insertAt) {
        if (!result.empty() && result.back() != '\n')
            result += newline;
        if (!result.empty())
            result += newline;
        result += '[';
        result += section;
        result += ']';
        result += newline;
        result += entry;
        result += newline;
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(result.data());
    return file.Append({ bytes, result.size() }) && file.Commit();
}

int32_t ParseProfileInt(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + uint32_t(text[i] - '0');
    if (negative)
        value = 0u - value;
    return int32_t(value);
}
