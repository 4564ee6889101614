#include "image/BmpWriter.h"

#include "image/ByteReader.h"
#include "platform/SafeFile.h"

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

TBmpWrite AppendBmpSlices(TSafeFile& file, const TDib& dib, const TBmpSliceHooks& hooks)
{
    const auto piece = [&file](std::span<const uint8_t> bytes) {
        const bool written = file.Append(bytes);
        return file.Close() && written;
    };
    if (!piece(BmpFileHeader(dib)))
        return TBmpWrite::WriteFailed;
    const auto block = dib.Block();
    const size_t slice = block.size() / kBmpSlices;
    for (int i = 0; i < kBmpSlices; ++i) {
        if (hooks.beforeSlice && !hooks.beforeSlice())
            return TBmpWrite::Stopped;
        if (!piece(block.subspan(size_t(i) * slice, slice)))
            return TBmpWrite::WriteFailed;
        if (hooks.afterSlice)
            hooks.afterSlice((i + 1) * 100 / kBmpSlices);
    }
    const auto rest = block.subspan(kBmpSlices * slice);
    if (!rest.empty() && !piece(rest))
        return TBmpWrite::WriteFailed;
    return TBmpWrite::Complete;
}

std::string BmpWriteError(TBmpWrite result, const std::string& path)
{
    const char* text
        = result == TBmpWrite::OpenFailed ? "Unable to open file " : "Unable to write to file ";
    return text + path;
}

bool WriteBmpFile(const TDib& dib, const std::string& path, std::string& error)
{
    TSafeFile file;
    TBmpWrite result = TBmpWrite::OpenFailed;
    if (file.Create(path)) {
        result = AppendBmpSlices(file, dib);
        if (result == TBmpWrite::Complete && !file.Commit())
            result = TBmpWrite::WriteFailed;
    }
    if (result == TBmpWrite::Complete)
        return true;
    error = BmpWriteError(result, path);
    return false;
}
