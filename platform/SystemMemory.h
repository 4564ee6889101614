#pragma once

#include <cstddef>
#include <cstdint>

// Bytes of memory the system could give this process now without swapping, as far as it
// reports it; 0 when it cannot tell.
uint64_t AvailableMemoryBytes();

// Asks the system to give the whole pages inside the block their memory now, in one step,
// instead of one fault for each page as they are first written: a reader calls it for the part
// of a new bitmap it is about to fill. Pages at the block's ends that it shares with other
// memory are left alone, and where the system cannot do it, nothing happens.
void PrepareForWriting(void* block, size_t bytes);

// Asks the system to back the whole large pages inside a new, not yet written block with large
// pages: a bitmap of many megabytes then costs one fault and one clearing step for every 2 MB
// instead of a fault for every 4 KB page. Blocks too small to hold a large page are left alone,
// and where the system cannot do it, nothing happens.
void AdviseLargePages(void* block, size_t bytes);
