#include "image/DisplayDib.h"
#include "image/ImageInfo.h"

bool TDisplayDib::DecodeJpeg() { return false; }

void AppendJpegInformation(const TBaseDib&, std::vector<std::string>&) { }
