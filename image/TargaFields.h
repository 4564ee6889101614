#pragma once

#include <array>
#include <cstdint>
#include <string>

// What the Targa reader keeps in the image record; filled in with the reader.
struct TTargaFields {
};
