#include "platform/SystemMemory.h"

#include <cstdio>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

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

void PrepareForWriting([[maybe_unused]] void* block, [[maybe_unused]] size_t bytes)
{
#if defined(__linux__)
    // Linux 5.14 and later; older kernels refuse the advice, and the pages come by faults.
    constexpr int kPopulateWrite = 23; // MADV_POPULATE_WRITE
    static const uintptr_t pageBytes = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t start = reinterpret_cast<uintptr_t>(block);
    const uintptr_t first = (start + pageBytes - 1) / pageBytes * pageBytes;
    const uintptr_t end = (start + bytes) / pageBytes * pageBytes;
    if (pageBytes != 0 && end > first)
        madvise(reinterpret_cast<void*>(first), end - first, kPopulateWrite);
#endif
}
