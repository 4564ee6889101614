#pragma once

#include <QColor>

#include <cstdint>

// Colours as the settings keep them: 0x00BBGGRR, red in the low byte.
inline QColor ColorFromRef(uint32_t colorRef)
{
    return QColor(int(colorRef & 0xFF), int(colorRef >> 8 & 0xFF), int(colorRef >> 16 & 0xFF));
}

inline uint32_t ColorRefOf(const QColor& color)
{
    return uint32_t(color.red()) | uint32_t(color.green()) << 8 | uint32_t(color.blue()) << 16;
}
