#pragma once

#include <array>
#include <cstdint>
#include <string>

// What the Gif reader keeps in the image record; filled in with the reader.
struct TGifFields {
};
