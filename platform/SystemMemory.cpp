#include "platform/SystemMemory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

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

namespace {

// The whole pages of alignment bytes inside the block, as a start and an end; empty where none.
std::pair<uintptr_t, uintptr_t> WholePages(void* block, size_t bytes, uintptr_t alignment)
{
    const uintptr_t start = reinterpret_cast<uintptr_t>(block);
    const uintptr_t first = (start + alignment - 1) / alignment * alignment;
    const uintptr_t end = (start + bytes) / alignment * alignment;
    return { first, std::max(first, end) };
}

} // namespace

void AdviseLargePages([[maybe_unused]] void* block, [[maybe_unused]] size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kLargePageBytes = uintptr_t(2) << 20;
    const auto [first, end] = WholePages(block, bytes, kLargePageBytes);
    if (end > first)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#endif
}

void PrepareForWriting([[maybe_unused]] void* block, [[maybe_unused]] size_t bytes)
{
#if defined(__linux__)
    // Linux 5.14 and later; older kernels refuse the advice, and the pages come by faults.
    constexpr int kPopulateWrite = 23; // MADV_POPULATE_WRITE
    static const uintptr_t pageBytes = std::max<uintptr_t>(uintptr_t(sysconf(_SC_PAGESIZE)), 1);
    const auto [first, end] = WholePages(block, bytes, pageBytes);
    if (end > first)
        madvise(reinterpret_cast<void*>(first), end - first, kPopulateWrite);
#endif
}
