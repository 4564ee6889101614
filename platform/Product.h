#pragma once

#include <string>
#include <string_view>

// The product name: the INI section, the base name of the INI and help files, the main
// window's title and the start of every message box caption.
inline constexpr std::string_view kProductName = "Pelorin";
// Shown by the about box after the product name.
inline constexpr std::string_view kVersionText = "  version 1.7";

// A caption naming the matter after the product: ProductCaption("image error") is
// "Pelorin - image error".
inline std::string ProductCaption(std::string_view matter)
{
    return std::string(kProductName) + " - " + std::string(matter);
}
