#include "image/DisplayDib.h"
#include "image/ImageInfo.h"

bool TDisplayDib::DecodeGif() { return false; }
bool TDisplayDib::NextGifFrame() { return false; }

void AppendGifInformation(const TBaseDib&, std::vector<std::string>&) { }
