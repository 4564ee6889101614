#include "image/BmpWriter.h"

#include "image/ByteReader.h"

#include <cstdio>

std::array<uint8_t, kBmpFileHeaderSize> BmpFileHeader(const TDib& dib)
{
    std::array<uint8_t, kBmpFileHeaderSize> header {};
    header[0] = 'B';
    header[1] = 'M';
    PutU32(header, 2, uint32_t(dib.BlockSize() + kBmpFileHeaderSize));
    // Bytes 6 to 9 are the two reserved words, 0.
    PutU32(header, 10, uint32_t(kBmpFileHeaderSize + dib.BitsOffset()));
    return header;
}

bool WriteBmpFile(const TDib& dib, const std::string& path, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "Unable to open file " + path;
        return false;
    }
    const auto header = BmpFileHeader(dib);
    const auto block = dib.Block();
    bool ok = std::fwrite(header.data(), 1, header.size(), file) == header.size()
        && std::fwrite(block.data(), 1, block.size(), file) == block.size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok)
        error = "Unable to write to file " + path;
    return ok;
}
