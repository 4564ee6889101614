#pragma once

#include <string>

// printf-style formatting into a string of any length, for the program's texts whose
// formats are given as printf conversions.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
