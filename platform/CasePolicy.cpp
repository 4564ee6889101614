#include "platform/CasePolicy.h"

std::string FoldNameCase(std::string_view text)
{
#ifdef _WIN32
    std::string folded(text);
    for (char& c : folded)
        c = LowerAscii(c);
    return folded;
#else
    return std::string(text);
#endif
}
