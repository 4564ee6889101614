#include "ui/DibDraw.h"

#include "image/ByteReader.h"
#include "image/ColorMask.h"

#include <QPainter>

#include <array>
#include <vector>

namespace {

constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kBitFields = 3;
constexpr QRgb kBlack = 0xFF000000;

// One colour component of a 16- or 32-bit pixel, its mask's run of bits widened to 8 bits.
class TField {
public:
    TField() = default;
    TField(uint32_t mask, uint32_t pixelBits)
        : m_mask(mask, pixelBits)
    {
        const uint32_t width = m_mask.width;
        if (width == 0 || width >= 8)
            return;
        for (uint32_t value = 0; value <= m_mask.maximum; ++value) {
            // Repeat the value's bits below it until the byte is full.
            uint32_t widened = value << (8 - width);
            for (uint32_t filled = width; filled < 8; filled += width)
                widened |= widened >> filled;
            m_widen[value] = uint8_t(widened);
        }
    }

    uint32_t Component(uint32_t pixel) const
    {
        // Only the run counts: bits of a mask beyond a gap in it are dropped.
        const uint32_t value = m_mask.Value(pixel) & m_mask.maximum;
        return m_mask.width < 8 ? m_widen[value] : value >> (m_mask.width - 8);
    }

private:
    TColorMask m_mask;
    std::array<uint8_t, 128> m_widen {};
};

// What a drawing needs of an info block: size, depth, row stride, and the colour table or
// the bit fields, checked against the rows handed over.
class TDibFormat {
public:
    bool Read(std::span<const uint8_t> info, size_t bitsSize)
    {
        if (info.size() < kInfoHeaderSize || GetU32(info, 0) != kInfoHeaderSize)
            return false;
        m_width = int32_t(GetU32(info, 4));
        m_height = int32_t(GetU32(info, 8));
        m_bitCount = GetU16(info, 14);
        const uint32_t compression = GetU32(info, 16);
        if (m_width <= 0 || m_height <= 0)
            return false;
        switch (m_bitCount) {
        case 1:
        case 4:
        case 8:
            if (compression != 0 || !ReadColorTable(info))
                return false;
            break;
        case 16:
        case 32:
            if (compression == kBitFields) {
                if (info.size() < kInfoHeaderSize + 12)
                    return false;
                m_masked = true;
                for (size_t c = 0; c < 3; ++c)
                    m_fields[c] = TField(GetU32(info, kInfoHeaderSize + c * 4), m_bitCount);
            } else if (compression == 0) {
                m_masked = m_bitCount == 16;
                if (m_masked) {
                    m_fields = { TField(0x7C00, 16), TField(0x03E0, 16), TField(0x001F, 16) };
                }
            } else {
                return false;
            }
            break;
        case 24:
            if (compression != 0)
                return false;
            break;
        default:
            return false;
        }
        const uint64_t stride = (uint64_t(m_bitCount) * uint64_t(m_width) + 31) / 32 * 4;
        if (stride * uint64_t(m_height) > bitsSize)
            return false;
        m_stride = size_t(stride);
        return true;
    }

    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }

    // Row y of the rows handed over, 0 being the bottom one.
    const uint8_t* Row(std::span<const uint8_t> bits, int64_t y) const
    {
        return bits.data() + size_t(y) * m_stride;
    }

    // Converts count pixels of a row, pixel i taken from source column column(i).
    template <class Column>
    void Convert(const uint8_t* row, int count, Column column, QRgb* out) const
    {
        switch (m_bitCount) {
        case 1:
            for (int i = 0; i < count; ++i) {
                const int x = column(i);
                out[i] = m_colors[row[x >> 3] >> (7 - (x & 7)) & 1];
            }
            break;
        case 4:
            for (int i = 0; i < count; ++i) {
                const int x = column(i);
                const uint8_t pair = row[x >> 1];
                out[i] = m_colors[x & 1 ? pair & 0x0F : pair >> 4];
            }
            break;
        case 8:
            for (int i = 0; i < count; ++i)
                out[i] = m_colors[row[column(i)]];
            break;
        case 16:
            for (int i = 0; i < count; ++i) {
                const uint8_t* pixel = row + size_t(column(i)) * 2;
                out[i] = FromFields(uint32_t(pixel[0] | pixel[1] << 8));
            }
            break;
        case 24:
            for (int i = 0; i < count; ++i) {
                const uint8_t* pixel = row + size_t(column(i)) * 3;
                out[i] = qRgb(pixel[2], pixel[1], pixel[0]);
            }
            break;
        case 32:
            for (int i = 0; i < count; ++i) {
                const uint8_t* pixel = row + size_t(column(i)) * 4;
                out[i] = m_masked ? FromFields(uint32_t(pixel[0]) | uint32_t(pixel[1]) << 8
                             | uint32_t(pixel[2]) << 16 | uint32_t(pixel[3]) << 24)
                                  : qRgb(pixel[2], pixel[1], pixel[0]);
            }
            break;
        }
    }

private:
    bool ReadColorTable(std::span<const uint8_t> info)
    {
        const uint32_t entries = 1u << m_bitCount;
        const uint32_t used = GetU32(info, 32);
        const uint32_t count = used != 0 && used < entries ? used : entries;
        if (info.size() < kInfoHeaderSize + size_t(count) * 4)
            return false;
        m_colors.fill(kBlack);
        for (uint32_t i = 0; i < count; ++i) {
            const size_t at = kInfoHeaderSize + size_t(i) * 4;
            m_colors[i] = qRgb(info[at + 2], info[at + 1], info[at]);
        }
        return true;
    }

    QRgb FromFields(uint32_t pixel) const
    {
        return qRgb(int(m_fields[0].Component(pixel)), int(m_fields[1].Component(pixel)),
            int(m_fields[2].Component(pixel)));
    }

    int32_t m_width = 0;
    int32_t m_height = 0;
    uint16_t m_bitCount = 0;
    size_t m_stride = 0;
    bool m_masked = false;
    std::array<QRgb, 256> m_colors {};
    std::array<TField, 3> m_fields {};
};

} // namespace

bool SetDibBitsToDevice(QPainter& painter, const QRect& target, QPoint source,
    std::span<const uint8_t> info, std::span<const uint8_t> bits, const QRect& clip)
{
    TDibFormat format;
    if (!format.Read(info, bits.size()))
        return false;
    // Where the whole bitmap lies on the device: the target's bottom row shows row source.y.
    const QRect placed(target.left() - source.x(),
        target.top() + target.height() + source.y() - format.Height(), format.Width(),
        format.Height());
    const QRect drawn = target & clip & placed;
    if (drawn.isEmpty())
        return true;
    QImage image(drawn.size(), QImage::Format_RGB32);
    if (image.isNull())
        return false;
    const int firstColumn = drawn.left() - placed.left();
    const auto column = [firstColumn](int i) { return firstColumn + i; };
    for (int y = 0; y < drawn.height(); ++y) {
        const int64_t pictureLine = int64_t(drawn.top()) - placed.top() + y; // 0 is the top
        format.Convert(format.Row(bits, format.Height() - 1 - pictureLine), drawn.width(), column,
            reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    painter.drawImage(drawn.topLeft(), image);
    return true;
}

QImage StretchDibBits(QSize size, std::span<const uint8_t> info, std::span<const uint8_t> bits)
{
    TDibFormat format;
    if (size.isEmpty() || !format.Read(info, bits.size()))
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    std::vector<int> columns(size_t(size.width()));
    for (int x = 0; x < size.width(); ++x)
        columns[size_t(x)] = int(int64_t(x) * format.Width() / size.width());
    const auto column = [&columns](int i) { return columns[size_t(i)]; };
    for (int y = 0; y < size.height(); ++y) {
        const int64_t pictureLine = int64_t(y) * format.Height() / size.height();
        format.Convert(format.Row(bits, format.Height() - 1 - pictureLine), size.width(), column,
            reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    return image;
}
