#pragma once

#include <string>
#include <vector>

// The one order of names in the browser's folder and file lists: the collation of the
// user's locale, which tells case apart ("a" before "A" before "b" in most locales, byte
// order in the C locale); names the locale collates equal go in byte order.
int CompareNames(const std::string& left, const std::string& right);
inline bool NameLess(const std::string& left, const std::string& right)
{
    return CompareNames(left, right) < 0;
}

// Sorts names in that order, transforming each name to its collation key once.
void SortNames(std::vector<std::string>& names);
