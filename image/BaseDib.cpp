#include "image/BaseDib.h"

#include "image/ByteReader.h"
#include "image/FormatDetection.h"
#include "platform/MessagePump.h"
#include "platform/SystemMemory.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

#if defined(__linux__)
#include <sys/uio.h>
#endif

uint64_t BitmapBytesLimit()
{
    const uint64_t available = AvailableMemoryBytes();
    return available == 0 ? kMaxBitmapBytes : std::min(kMaxBitmapBytes, available);
}

TBaseDib::TBaseDib() = default;
TBaseDib::~TBaseDib() = default;

bool TBaseDib::Fail(std::string message)
{
    m_message = std::move(message);
    return false;
}

bool TBaseDib::PumpAndCheckAbort() const
{
    PumpOneMessage();
    return AbortRequested();
}

bool TBaseDib::OpenFile(const std::string& fileName)
{
    m_file.reset(std::fopen(fileName.c_str(), "rb"));
    if (m_file)
        std::setvbuf(m_file.get(), nullptr, _IOFBF, 64 * 1024);
    return m_file != nullptr;
}

void TBaseDib::CloseFile() { m_file.reset(); }

size_t TBaseDib::ReadFile(std::span<uint8_t> out)
{
    if (!m_file || out.empty())
        return 0;
    return std::fread(out.data(), 1, out.size(), m_file.get());
}

size_t TBaseDib::ReadFileAt(int64_t position, std::span<const std::span<uint8_t>> pieces)
{
    if (!m_file || position < 0)
        return 0;
    size_t total = 0;
#if defined(__linux__)
    if (pieces.size() <= kMaxFilePieces) {
        std::vector<iovec> vectors;
        for (const std::span<uint8_t> piece : pieces)
            vectors.push_back(iovec { piece.data(), piece.size() });
        size_t first = 0;
        while (first < vectors.size()) {
            const ssize_t got = preadv(fileno(m_file.get()), vectors.data() + first,
                int(vectors.size() - first), off_t(position + int64_t(total)));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            total += size_t(got);
            size_t left = size_t(got);
            for (; first < vectors.size() && left >= vectors[first].iov_len; ++first)
                left -= vectors[first].iov_len;
            if (first < vectors.size()) {
                vectors[first].iov_base = static_cast<uint8_t*>(vectors[first].iov_base) + left;
                vectors[first].iov_len -= left;
            }
        }
        return total;
    }
#endif
    if (!SeekFile(position))
        return 0;
    for (const std::span<uint8_t> piece : pieces) {
        const size_t got = ReadFile(piece);
        total += got;
        if (got < piece.size())
            break;
    }
    return total;
}

int TBaseDib::ReadFileByte() { return m_file ? getc_unlocked(m_file.get()) : EOF; }

bool TBaseDib::SeekFile(int64_t position)
{
    return m_file && position >= 0 && fseeko(m_file.get(), off_t(position), SEEK_SET) == 0;
}

int64_t TBaseDib::TellFile() { return m_file ? int64_t(ftello(m_file.get())) : -1; }

bool TBaseDib::Load(const std::string& fileName)
{
    m_moreImages = false;
    m_imageNumber = 0;
    m_imageTotal = 0;
    m_fileType = FileTypeNone;
    m_message.clear();

    if (!OpenFile(fileName))
        return Fail("Error opening file " + fileName);
    std::array<uint8_t, 8> signature {};
    if (!ReadFileExact(signature)) {
        CloseFile();
        return Fail(fileName + " is an empty or invalid file");
    }
    SeekFile(0);
    m_fileName = fileName;

    bool result = false;
    if (signature[0] == 0x0A) {
        m_fileType = FileTypePcx;
        result = DecodePcx();
    } else if (signature[0] == 'B' && signature[1] == 'M') {
        m_fileType = FileTypeBmp;
        result = DecodeBmp();
    } else if (signature[0] == 'G' && signature[1] == 'I' && signature[2] == 'F') {
        m_fileType = FileTypeGif;
        result = DecodeGif();
    } else if (signature[0] == 0xFF && signature[1] == 0xD8 && signature[2] == 0xFF
        && signature[3] >= 0xE0) {
        m_fileType = FileTypeJpeg;
        result = DecodeJpeg();
    } else {
        std::array<uint8_t, 18> targaHeader {};
        const bool isTarga = ReadFileExact(targaHeader) && LooksLikeTarga(targaHeader);
        SeekFile(0);
        std::array<uint8_t, 1024> start {};
        std::optional<size_t> marker;
        if (isTarga) {
            m_fileType = FileTypeTarga;
            result = DecodeTarga();
        } else if (ReadFileExact(start) && (marker = FindJpegMarker(start))) {
            SeekFile(int64_t(*marker));
            m_fileType = FileTypeJpeg;
            result = DecodeJpeg();
        } else {
            result = Fail(fileName + " is an unknown file type");
        }
    }
    CloseFile();
    return result;
}

bool TBaseDib::CreateBitmap(bool withMasks)
{
    uint32_t entries = 0;
    switch (m_bitsPerPixel) {
    case 1:
        entries = 2;
        break;
    case 4:
        entries = 16;
        break;
    case 8:
        entries = 256;
        break;
    case 15:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return Fail("Unsupported color depth");
    }
    const uint16_t bitCount = uint16_t(m_bitsPerPixel == 15 ? 16 : m_bitsPerPixel);

    // Sizes in 64 bits before anything is allocated, so a hostile width times height cannot
    // wrap round to a small block. A negative size has no bitmap at all.
    if (m_bitmapWidth < 0 || m_bitmapHeight < 0)
        return Fail("Insufficient memory to load image");
    const uint64_t rowBytes = (uint64_t(bitCount) * uint64_t(m_bitmapWidth) + 7) / 8;
    const uint64_t stride = (rowBytes + 3) & ~uint64_t(3);
    const uint64_t imageSize = stride * uint64_t(m_bitmapHeight);
    const uint64_t tableSize = withMasks ? 12 : uint64_t(entries) * 4;
    const uint64_t blockSize = TDib::kInfoHeaderSize + tableSize + imageSize;
    if (blockSize > BitmapBytesLimit())
        return Fail("Insufficient memory to load image");

    if (!AllocateBitmap(m_bitmapWidth, m_bitmapHeight, bitCount, entries, withMasks, size_t(stride),
            size_t(imageSize)))
        return Fail("Insufficient memory to load image");
    m_rowBytes = int32_t(rowBytes);
    m_rowStride = int32_t(stride);
    m_bitmapSize = int32_t(blockSize);
    return true;
}
