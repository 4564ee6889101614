#include "platform/SystemMemory.h"

#include <cstdio>
#include <cstring>

uint64_t AvailableMemoryBytes()
{
    FILE* meminfo = std::fopen("/proc/meminfo", "r");
    if (!meminfo)
        return 0;
    char line[256];
    uint64_t kilobytes = 0;
    while (std::fgets(line, sizeof line, meminfo)) {
        unsigned long long value = 0;
        if (std::strncmp(line, "MemAvailable:", 13) == 0
            && std::sscanf(line + 13, "%llu", &value) == 1) {
            kilobytes = value;
            break;
        }
    }
    std::fclose(meminfo);
    return kilobytes * 1024;
}
