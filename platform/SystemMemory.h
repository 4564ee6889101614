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
