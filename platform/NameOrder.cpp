#include "platform/NameOrder.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

std::string CollationKey(const std::string& name)
{
    std::string key(name.size() * 2 + 1, '\0');
    size_t length = std::strxfrm(key.data(), name.c_str(), key.size());
    if (length >= key.size()) {
        key.assign(length + 1, '\0');
        length = std::strxfrm(key.data(), name.c_str(), key.size());
    }
    key.resize(length);
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
