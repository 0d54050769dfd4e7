// The snprintf formatting the jet model used before it formatted its fields
// in place, kept unchanged as the reference of test_number_format.cpp.
#include "LegacyNumberFormat.h"

#include "Constants.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace legacy {

namespace {

// "%.{digits}E" with the exponent rewritten as E[-]dd[d]: no '+', at least
// two digits. Trailing zeros of the mantissa are dropped when trim is set
// (one decimal kept).
std::string exponentForm(double v, int digits, bool trim) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", digits, v);
    const char* e = std::strchr(buf, 'E');
    std::string mantissa(buf, e ? static_cast<std::size_t>(e - buf) : std::strlen(buf));
    int exponent = e ? std::atoi(e + 1) : 0;
    if (trim && mantissa.find('.') != std::string::npos) {
        while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.push_back('0');
    }
    char ex[16];
    std::snprintf(ex, sizeof ex, "E%s%02d", exponent < 0 ? "-" : "", std::abs(exponent));
    return mantissa + ex;
}

int decimalExponent(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6E", v);
    const char* e = std::strchr(buf, 'E');
    return e ? std::atoi(e + 1) : 0;
}

// Fixed notation of v with `decimals` (0..6) decimals, |v| < 1e9, by integer
// arithmetic (snprintf's "%f" is ten times slower and the rows are many).
// Returns the text and the number of significant digits it shows. A value
// that rounds to zero is written without a sign.
std::string fixedForm(double v, int decimals, int& significant) {
    static const double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
    const unsigned long long m = static_cast<unsigned long long>(std::llround(std::fabs(v) * kPow10[decimals]));
    char digits[24];
    int n = 0;
    for (unsigned long long x = m; x > 0; x /= 10) digits[n++] = static_cast<char>('0' + x % 10);
    significant = n;
    while (n < decimals + 1) digits[n++] = '0';
    std::string out;
    out.reserve(12);
    if (v < 0 && m != 0) out += '-';
    for (int i = n - 1; i >= 0; --i) {
        out += digits[i];
        if (i == decimals && decimals > 0) out += '.';
    }
    return out;
}

}  // namespace

std::string legacyFormatField9(double v) {
    if (std::isnan(v)) v = 0.0;
    else if (std::isinf(v)) v = v > 0 ? DBL_MAX : -DBL_MAX;
    constexpr int kWidth = 9;
    const double a = std::fabs(v);
    std::string out;
    // Fixed notation when it shows at least 4 significant digits: |v| >= 1e-3
    // (6 decimals) and at most 9 characters. Start with the decimals that should
    // fit and take one off when rounding adds a digit (99.9999999 -> 100.00000).
    if (a == 0.0 || (a >= 1e-3 && a < 1e9)) {
        const int intDigits = a < 1.0 ? 1 : static_cast<int>(std::floor(std::log10(a))) + 1;
        int decimals = std::max(0, std::min(6, kWidth - 1 - (v < 0 ? 1 : 0) - intDigits));
        for (; decimals >= 0; --decimals) {
            int significant = 0;
            std::string f = fixedForm(v, decimals, significant);
            if (static_cast<int>(f.size()) <= kWidth) {
                if (a == 0.0 || significant >= 4) out = std::move(f);
                break;
            }
        }
    }
    if (out.empty()) {
        for (int digits = 5; digits >= 0; --digits) {
            std::string e = exponentForm(v, digits, false);
            if (static_cast<int>(e.size()) <= kWidth) {
                out = e;
                break;
            }
        }
    }
    if (static_cast<int>(out.size()) < kWidth) out.insert(0, static_cast<std::size_t>(kWidth) - out.size(), ' ');
    return out;
}

std::string legacyFormatValue(double v) {
    if (!std::isfinite(v)) return std::string(v < 0 ? "-" : "") + exponentForm(mardex::kInfiniteScale, 6, true);
    if (v == 0.0) return "0.0";
    const int e = decimalExponent(v);
    if (e < -4 || e >= 9) return exponentForm(v, 6, true);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", e >= 6 ? 0 : 6 - e, v);
    std::string s = buf;
    if (s.find('.') == std::string::npos) {
        s += ".0";
    } else {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.push_back('0');
    }
    return s;
}

}  // namespace legacy
