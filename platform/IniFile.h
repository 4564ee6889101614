#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One INI file on disk, read and written key by key the way the profile calls of the
// original platform do: section and key names compare without case, the first occurrence
// of a key wins, and writing one key keeps every other line of the file as it was.
class TIniFile {
public:
    explicit TIniFile(std::string path);

    const std::string& Path() const { return m_path; }

    // The text of the key, trimmed of surrounding blanks, or nothing when the file, the
    // section or the key is missing.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;

    // Writes key=text into the section, creating the file and the section when needed.
    // The file is replaced atomically (a temporary file renamed over it), so a failed write
    // leaves the old file whole; a symbolic link is written through to its target. Returns
    // false when nothing was written: the file is read-only (its owner has no write
    // permission) or cannot be read or replaced, or the text holds a line break.
    bool Write(std::string_view section, std::string_view key, std::string_view text) const;

private:
    std::string m_path;
};

// The signed decimal integer at the start of a value; no digits give 0. Digits beyond 32
// bits wrap as unsigned arithmetic does, so 4278190335 and -16776961 read alike.
int32_t ParseProfileInt(std::string_view text);
