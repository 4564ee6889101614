#include "image/DisplayDib.h"
#include "image/ImageInfo.h"

bool TDisplayDib::DecodePcx() { return false; }

void AppendPcxInformation(const TBaseDib&, std::vector<std::string>&) { }
