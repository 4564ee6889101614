#include "image/DisplayDib.h"
#include "image/ImageInfo.h"

bool TDisplayDib::DecodeTarga() { return false; }

void AppendTargaInformation(const TBaseDib&, std::vector<std::string>&) { }
