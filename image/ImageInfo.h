#pragma once

#include "image/BaseDib.h"

#include <string>
#include <vector>

// The image information list of a decoded record: its file's header fields, one line an
// entry, by its file type. An unknown file type gives no lines.
std::vector<std::string> ImageInformationLines(const TBaseDib& dib);

// "PCX", "BMP", "GIF", "JPEG", "TGA", or "Unknown".
std::string FileTypeCaption(int32_t fileType);

// Each reader lists its own header fields.
void AppendBmpInformation(const TBaseDib& dib, std::vector<std::string>& lines);
void AppendGifInformation(const TBaseDib& dib, std::vector<std::string>& lines);
void AppendJpegInformation(const TBaseDib& dib, std::vector<std::string>& lines);
void AppendPcxInformation(const TBaseDib& dib, std::vector<std::string>& lines);
void AppendTargaInformation(const TBaseDib& dib, std::vector<std::string>& lines);
