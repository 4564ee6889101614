#include "platform/NameOrder.h"

#include <algorithm>
#include <clocale>
#include <cstring>
#include <numeric>
#include <string_view>

namespace {

// Whether the locale collates in byte order, as the C and POSIX locales do (and glibc's
// C.UTF-8): names then are their own keys.
bool CollatesInByteOrder()
{
    const char* locale = std::setlocale(LC_COLLATE, nullptr);
    const std::string_view name = locale ? locale : "C";
    return name == "C" || name == "POSIX" || name == "C.UTF-8" || name == "C.utf8";
}

std::string CollationKey(const std::string& name)
{
    std::string key;
    key.resize(std::strxfrm(nullptr, name.c_str(), 0));
    std::strxfrm(key.data(), name.c_str(), key.size() + 1);
    return key;
}

} // namespace

int CompareNames(const std::string& left, const std::string& right)
{
    const int collated = std::strcoll(left.c_str(), right.c_str());
    return collated != 0 ? collated : left.compare(right);
}

void SortNames(std::vector<std::string>& names)
{
    if (CollatesInByteOrder()) {
        std::sort(names.begin(), names.end());
        return;
    }
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const std::string& name : names)
        keys.push_back(CollationKey(name));
    std::vector<size_t> order(names.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int collated = keys[a].compare(keys[b]);
        return collated != 0 ? collated < 0 : names[a] < names[b];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (size_t index : order)
        sorted.push_back(std::move(names[index]));
    names = std::move(sorted);
}
