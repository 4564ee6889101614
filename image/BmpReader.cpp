#include "image/DisplayDib.h"
#include "image/ImageInfo.h"
bool TDisplayDib::DecodeBmp() { return false; }
void AppendBmpInformation(const TBaseDib&, std::vector<std::string>&) { }
