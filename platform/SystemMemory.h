#pragma once

#include <cstdint>

// Bytes of memory the system could give this process now without swapping, as far as it
// reports it; 0 when it cannot tell.
uint64_t AvailableMemoryBytes();
