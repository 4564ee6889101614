#include "image/ImageInfo.h"

std::vector<std::string> ImageInformationLines(const TBaseDib& dib)
{
    std::vector<std::string> lines;
    switch (dib.FileType()) {
    case FileTypePcx:
        AppendPcxInformation(dib, lines);
        break;
    case FileTypeBmp:
        AppendBmpInformation(dib, lines);
        break;
    case FileTypeGif:
        AppendGifInformation(dib, lines);
        break;
    case FileTypeJpeg:
        AppendJpegInformation(dib, lines);
        break;
    case FileTypeTarga:
        AppendTargaInformation(dib, lines);
        break;
    default:
        break;
    }
    return lines;
}

std::string FileTypeCaption(int32_t fileType)
{
    switch (fileType) {
    case FileTypePcx:
        return "PCX";
    case FileTypeBmp:
        return "BMP";
    case FileTypeGif:
        return "GIF";
    case FileTypeJpeg:
        return "JPEG";
    case FileTypeTarga:
        return "TGA";
    default:
        return "Unknown";
    }
}
