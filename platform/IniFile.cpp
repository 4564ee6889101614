#include "platform/IniFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
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

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(size_t(written));
    }
    return true;
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// The file a write has to replace: the target of a symbolic link, so that a linked
// configuration file stays linked instead of being replaced by a plain copy.
std::string WriteTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// A file whose owner has no write permission is read-only: writing it fails, even for a
// user who could replace it.
bool IsReadOnly(const std::string& path)
{
    struct stat existing { };
    if (::stat(path.c_str(), &existing) != 0)
        return false;
    return (existing.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0;
}

bool ReplaceFile(const std::string& path, std::string_view contents)
{
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    struct stat existing { };
    const mode_t mode = ::stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644;
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, contents) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
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
    const std::string target = WriteTarget(m_path);
    if (IsReadOnly(target))
        return false;
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
    return ReplaceFile(target, result);
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
