#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A fresh folder for one test, removed with everything in it when the test ends.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // Writes the bytes to a file in the folder and returns its path.
    std::string Write(const std::string& name, std::span<const uint8_t> bytes) const;
    std::string WriteText(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path m_path;
};

// Writes beyond this many bytes fail, as on a full disk, while it lives.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(uint64_t bytes);
    ~TFileSizeLimit();
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    uint64_t m_soft = 0;
    void (*m_signal)(int) = nullptr;
};

// Sets (or, with nothing, removes) an environment variable while it lives.
class TScopedEnv {
public:
    TScopedEnv(const char* name, std::optional<std::string> value);
    ~TScopedEnv();
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
std::string ReadText(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

// The public conformance corpus, or an empty path when this checkout has none beside it.
std::filesystem::path SharedCorpus(const std::string& relative);
std::filesystem::path TestData(const std::string& relative);

// Little-endian appends for building files in tests.
void AppendU8(std::vector<uint8_t>& out, uint32_t value);
void AppendU16(std::vector<uint8_t>& out, uint32_t value);
void AppendU32(std::vector<uint8_t>& out, uint32_t value);
void AppendBytes(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes);

// Runs a command line and collects what it prints on standard output.
struct TCommandResult {
    int exitCode = -1;
    std::string output;
};
TCommandResult RunCommand(const std::string& commandLine);
