#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The Targa header test of the loading driver: a file whose first 18 bytes pass is read as
// Targa.
bool LooksLikeTarga(std::span<const uint8_t, 18> header);

// Finds a JPEG start-of-image marker in the first 1024 bytes of a file and returns the
// position of its 0xFF.
std::optional<size_t> FindJpegMarker(std::span<const uint8_t, 1024> bytes);
