#include "TestFiles.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>

TTempFolder::TTempFolder()
{
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    do {
        m_path = base / ("pelorin-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(m_path));
}

TTempFolder::~TTempFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(
        m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

namespace {

void SetVariable(const char* name, const std::optional<std::string>& value)
{
    if (value)
        ::setenv(name, value->c_str(), 1);
    else
        ::unsetenv(name);
}

} // namespace

TScopedEnv::TScopedEnv(const char* name, std::optional<std::string> value)
    : m_name(name)
{
    if (const char* old = std::getenv(name))
        m_old = old;
    SetVariable(name, value);
}

TScopedEnv::~TScopedEnv() { SetVariable(m_name, m_old); }

TFileSizeLimit::TFileSizeLimit(uint64_t bytes)
{
    rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    m_soft = limit.rlim_cur;
    m_signal = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

TFileSizeLimit::~TFileSizeLimit()
{
    rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = m_soft;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_signal);
}

std::string TTempFolder::Write(const std::string& name, std::span<const uint8_t> bytes) const
{
    const std::string path = File(name);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

std::string TTempFolder::WriteText(const std::string& name, const std::string& text) const
{
    return Write(name, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::filesystem::path SharedCorpus(const std::string& relative)
{
    const std::filesystem::path path
        = std::filesystem::path(PELORIN_SHARED_DIR) / "corpus" / relative;
    return std::filesystem::exists(path) ? path : std::filesystem::path();
}

std::filesystem::path TestData(const std::string& relative)
{
    return std::filesystem::path(PELORIN_TEST_DATA_DIR) / relative;
}

void AppendU8(std::vector<uint8_t>& out, uint32_t value) { out.push_back(uint8_t(value)); }

void AppendU16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void AppendU32(std::vector<uint8_t>& out, uint32_t value)
{
    AppendU16(out, value & 0xFFFF);
    AppendU16(out, value >> 16);
}

void AppendBytes(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes)
{
    out.insert(out.end(), bytes);
}

TCommandResult RunCommand(const std::string& commandLine)
{
    TCommandResult result;
    FILE* pipe = ::popen(commandLine.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, count);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
