#include "DibPixels.h"

#include "image/ByteReader.h"

uint32_t PixelValue(const TDib& dib, int x, int y)
{
    const auto row = dib.Row(dib.Height() - 1 - y);
    const size_t column = size_t(x);
    switch (dib.BitCount()) {
    case 1:
        return row[column / 8] >> (7 - column % 8) & 1u;
    case 4:
        return column % 2 == 0 ? row[column / 2] >> 4 : row[column / 2] & 0x0Fu;
    case 8:
        return row[column];
    case 16:
        return GetU16(row, column * 2);
    case 24:
        return uint32_t(row[column * 3]) | uint32_t(row[column * 3 + 1]) << 8
            | uint32_t(row[column * 3 + 2]) << 16;
    case 32:
        return GetU32(row, column * 4);
    default:
        return 0;
    }
}

uint32_t PixelRgb(const TDib& dib, int x, int y)
{
    const uint32_t value = PixelValue(dib, x, y);
    if (dib.BitCount() <= 8) {
        const auto entry = dib.ColorTable().subspan(value * 4, 4);
        return uint32_t(entry[2]) << 16 | uint32_t(entry[1]) << 8 | entry[0];
    }
    if (dib.BitCount() == 16 || dib.Compression() == 3) {
        uint32_t masks[3] = { 0x7C00, 0x03E0, 0x001F };
        if (dib.Compression() == 3)
            for (size_t c = 0; c < 3; ++c)
                masks[c] = GetU32(dib.ColorTable(), c * 4);
        uint32_t rgb = 0;
        for (uint32_t mask : masks) {
            uint32_t component = 0;
            if (mask != 0) {
                int shift = 0;
                while (!(mask >> shift & 1u))
                    ++shift;
                component = (value & mask) >> shift;
            }
            rgb = rgb << 8 | (component & 0xFF);
        }
        return rgb;
    }
    return value & 0xFFFFFF;
}

TPixelLines PixelValues(const TDib& dib)
{
    TPixelLines lines;
    for (int y = 0; y < dib.Height(); ++y) {
        lines.emplace_back();
        for (int x = 0; x < dib.Width(); ++x)
            lines.back().push_back(PixelValue(dib, x, y));
    }
    return lines;
}

uint32_t TableColor(const TDib& dib, size_t index)
{
    const auto entry = dib.ColorTable().subspan(index * 4, 4);
    return uint32_t(entry[2]) << 16 | uint32_t(entry[1]) << 8 | entry[0];
}

bool MakeRgbPicture(
    TDib& dib, int width, int height, const std::function<uint32_t(int x, int y)>& rgb)
{
    const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
    if (!dib.AllocateBitmap(width, height, 24, 0, false, stride, stride * size_t(height)))
        return false;
    for (int y = 0; y < height; ++y) {
        const auto row = dib.Row(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const uint32_t color = rgb(x, y);
            row[size_t(x) * 3] = uint8_t(color);
            row[size_t(x) * 3 + 1] = uint8_t(color >> 8);
            row[size_t(x) * 3 + 2] = uint8_t(color >> 16);
        }
    }
    return true;
}
