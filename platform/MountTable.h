#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One line of the kernel's mount table (the mountinfo format), its octal escapes (\040 for a
// space) undone.
struct TMountEntry {
    uint32_t deviceMajor = 0;
    uint32_t deviceMinor = 0;
    std::string mountPoint;
    std::string fileSystem; // ext4, vfat, nfs4, tmpfs ...
    std::string source; // /dev/sdb1, server:/export ...
};

// The entries of a mount table in table order (the order of mounting). A line without the
// fields of the format is skipped.
std::vector<TMountEntry> ParseMountTable(std::string_view mountInfo);

// The text of the mount table of this process; empty when it cannot be read.
std::string ReadMountTable(const std::string& path = "/proc/self/mountinfo");
