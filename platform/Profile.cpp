#include "platform/Profile.h"

#include "platform/IniFile.h"
#include "platform/ProgramFiles.h"

#include <cstdlib>
#include <filesystem>

namespace {

// The user's configuration folder. A relative XDG_CONFIG_HOME is invalid and ignored, as
// the other programs of the desktop ignore it.
std::string ConfigFolder()
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return std::string(config) + "/";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config/";
    return "./";
}

} // namespace

TProfile& TProfile::Instance()
{
    static TProfile profile;
    return profile;
}

TProfile::TProfile()
    : m_privatePath(PrivateProfilePath(kProductName))
    , m_sharedPath(SharedProfilePath())
{
}

void TProfile::SetPrivateFile(std::string path)
{
    m_privatePath = std::move(path);
    m_useShared = false;
}

void TProfile::SetSharedFile(std::string path) { m_sharedPath = std::move(path); }

int32_t TProfile::ReadPrivateInt(std::string_view key, int32_t defaultValue) const
{
    const auto text = TIniFile(m_privatePath).Read(kProfileSection, key);
    return text ? ParseProfileInt(*text) : defaultValue;
}

int32_t ReadSettingInt(std::string_view key, int32_t defaultValue)
{
    const auto text = TIniFile(TProfile::Instance().CurrentFile()).Read(kProfileSection, key);
    return text ? ParseProfileInt(*text) : defaultValue;
}

std::string ReadSettingString(std::string_view key, std::string_view defaultValue)
{
    const auto text = TIniFile(TProfile::Instance().CurrentFile()).Read(kProfileSection, key);
    return text ? *text : std::string(defaultValue);
}

bool WriteSetting(std::string_view key, std::string_view text)
{
    const std::string& path = TProfile::Instance().CurrentFile();
    // The configuration folder may not exist yet on a fresh account; the program's own
    // folder is never created.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty() && folder == std::filesystem::path(ConfigFolder()).parent_path()) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
    return TIniFile(path).Write(kProfileSection, key, text);
}

bool WriteSetting(std::string_view key, int32_t value)
{
    return WriteSetting(key, std::to_string(value));
}

std::string PrivateProfilePath(std::string_view programPath)
{
    const std::string name = std::string(kProductName) + ".ini";
    const std::string_view folder = ProgramFolder(programPath);
    return (folder.empty() ? ConfigFolder() : std::string(folder)) + name;
}

std::string SharedProfilePath() { return ConfigFolder() + "win.ini"; }
