#include "run/ModelNumber.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <string>
#include <system_error>

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The forms from_chars reads as strtod does: digits or a point first, after
// a minus sign at most, and no hexadecimal prefix ("0x" reads as 0 there).
bool PlainDecimal(const char* begin, const char* end) {
    const char* p = begin;
    if (p < end && *p == '-') ++p;
    if (p == end || !(IsDigit(*p) || *p == '.')) return false;
    return !(p[0] == '0' && p + 1 < end && (p[1] == 'x' || p[1] == 'X'));
}

// strtod in the "C" notation, for everything else.
double CNotationStrtod(const char* begin, const char* end) {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const std::string text(begin, end);
    return classic ? strtod_l(text.c_str(), nullptr, classic) : ::strtod(text.c_str(), nullptr);
}
}  // namespace

double ModelNumber(const char* begin, const char* end) {
    if (PlainDecimal(begin, end)) {
        double value = 0.0;
        const std::from_chars_result r = std::from_chars(begin, end, value);
        if (r.ec == std::errc()) return value;
        // Out of range: strtod's HUGE_VAL, or its value below the smallest double.
    }
    return CNotationStrtod(begin, end);
}
