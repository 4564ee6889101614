#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <span>

class QPainter;

// Drawing of packed device-independent bitmaps: an info block (the 40-byte header, then the
// colour table of 1-, 4- and 8-bit bitmaps or the three red, green and blue masks of a
// bit-field bitmap) and the pixel rows, bottom-up, each padded to a multiple of 4 bytes.
// Depths 1, 4 and 8 go through the colour table; 16 bits are 5-5-5 or bit fields; 24 bits are
// blue, green, red; 32 bits are blue, green, red and an unused byte, or bit fields. A bit
// field narrower than 8 bits is widened by repeating its top bits (so its largest value is
// 255), a wider one keeps its top 8 bits. An info block the calls cannot read, or rows that
// do not fill the height it gives, draw nothing.

// Copies pixels 1:1 to the target rectangle. source is the lower-left corner of the source
// rectangle, x from the left and y from the bottom row of the rows handed over, as the rows
// are stored; the target's bottom row shows that row. Target pixels that fall outside the
// bitmap are left alone, and only the part of the target inside clip is converted, so the
// cost follows the drawn area, not the bitmap's size. False when the bitmap cannot be read.
bool SetDibBitsToDevice(QPainter& painter, const QRect& target, QPoint source,
    std::span<const uint8_t> info, std::span<const uint8_t> bits, const QRect& clip);

// The whole bitmap at another size, rows and columns dropped or repeated (the nearest
// pixel, no blending: target column x takes source column x * width / target width), as an
// image the display draws directly. A null image when the bitmap cannot be read or the
// memory cannot be had.
QImage StretchDibBits(QSize size, std::span<const uint8_t> info, std::span<const uint8_t> bits);
