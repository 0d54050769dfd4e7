#include "geometry/FormatShort.h"

#include <cstdio>
#include <vector>

std::string FormatShort(double dValue) {
    // Large magnitudes need more than the field width: ask for the length first.
    const int nLen = std::snprintf(nullptr, 0, "%7.4f", dValue);
    if (nLen <= 0) return std::string();
    std::vector<char> buf(static_cast<std::size_t>(nLen) + 1);
    std::snprintf(buf.data(), buf.size(), "%7.4f", dValue);
    std::string text(buf.data(), static_cast<std::size_t>(nLen));
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}
