#pragma once

#include <cstdint>
#include <string_view>

// File type codes of the image record, and their short names.
enum TFileType : int32_t {
    FileTypeNone = 0,
    FileTypePcx = 1,
    FileTypeBmp = 2,
    FileTypeGif = 3,
    FileTypeJpeg = 4,
    FileTypeTarga = 5,
};

constexpr std::string_view FileTypeShortName(int32_t type)
{
    switch (type) {
    case FileTypePcx:
        return "pcx";
    case FileTypeBmp:
        return "bmp";
    case FileTypeGif:
        return "gif";
    case FileTypeJpeg:
        return "jpg";
    case FileTypeTarga:
        return "tga";
    default:
        return "";
    }
}
