#pragma once

#include "platform/Product.h"

#include <cstdint>
#include <string>
#include <string_view>

// The profile service: the three operations through which every preference is read and
// written, over the section "Pelorin" of the current store. The store is the private INI
// file until the settings switch it to the shared file (UseWinINI), once, before any
// other access.
class TProfile {
public:
    static TProfile& Instance();

    // Sets the private file; the current store goes back to it.
    void SetPrivateFile(std::string path);
    void SetSharedFile(std::string path);
    void UseSharedFile(bool useShared) { m_useShared = useShared; }

    const std::string& PrivateFile() const { return m_privatePath; }
    const std::string& SharedFile() const { return m_sharedPath; }
    const std::string& CurrentFile() const { return m_useShared ? m_sharedPath : m_privatePath; }
    bool UsesSharedFile() const { return m_useShared; }

    // UseWinINI is always read from the private file, whichever store is current.
    int32_t ReadPrivateInt(std::string_view key, int32_t defaultValue) const;

private:
    TProfile();

    std::string m_privatePath;
    std::string m_sharedPath;
    bool m_useShared = false;
};

inline constexpr std::string_view kProfileSection = kProductName;

// The key's number in the current store, or defaultValue when the key is absent.
int32_t ReadSettingInt(std::string_view key, int32_t defaultValue);
// The key's text in the current store, or defaultValue when the key is absent.
std::string ReadSettingString(std::string_view key, std::string_view defaultValue);
// Writes one key into the current store. A failed write (read-only file, full disk) changes
// nothing on disk; callers do not check the result.
bool WriteSetting(std::string_view key, std::string_view text);
bool WriteSetting(std::string_view key, int32_t value);

// The private file for a program started as programPath: its folder up to the last
// separator followed by "Pelorin.ini"; a bare program name puts the file in the user's
// configuration folder.
std::string PrivateProfilePath(std::string_view programPath);
// The shared INI file: win.ini in the user's configuration folder.
std::string SharedProfilePath();
