// The fields of both output files are formatted in place with to_chars; the
// text must be what the snprintf formatting wrote, byte for byte, for every
// value: across all magnitudes, at the edges of the fixed range, where
// rounding carries into the next power of ten and at exact decimal ties.
#include "LegacyNumberFormat.h"
#include "NumberFormat.h"
#include "PlxdataWriter.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

// Counts and reports the values whose text differs; stops after a few.
class FormatComparison {
public:
    void check(double v) {
        ++checked_;
        const std::string field = mardex::formatField9(v);
        const std::string legacyField = legacy::legacyFormatField9(v);
        if (field != legacyField && ++mismatches_ <= 10)
            ADD_FAILURE() << "field of " << hex(v) << ": \"" << field << "\", was \"" << legacyField << "\"";
        const std::string value = mardex::formatValue(v);
        const std::string legacyValue = legacy::legacyFormatValue(v);
        if (value != legacyValue && ++mismatches_ <= 10)
            ADD_FAILURE() << "value of " << hex(v) << ": \"" << value << "\", was \"" << legacyValue << "\"";
    }
    // v, its negative and its two neighbours.
    void checkAround(double v) {
        for (double w : {v, std::nextafter(v, 0.0), std::nextafter(v, HUGE_VAL)}) {
            check(w);
            check(-w);
        }
    }
    int mismatches() const { return mismatches_; }
    long checked() const { return checked_; }

private:
    static std::string hex(double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.17g (%a)", v, v);
        return buf;
    }
    int mismatches_ = 0;
    long checked_ = 0;
};

double fromBits(std::uint64_t bits) {
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

}  // namespace

TEST(JetNumberFormatLegacy, EdgeValuesMatchSnprintf) {
    FormatComparison c;
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {0.0, -0.0, inf, -inf, std::nan(""), -std::nan(""), DBL_MIN, DBL_MAX,
                     std::numeric_limits<double>::denorm_min(), 1e-3, 1e-4, 1e9, 1e10, 1e99, 1e100, 1e-99, 1e-100,
                     5e-324, 1.7976931348623157e308})
        c.checkAround(v);
    // Every power of ten, with its neighbours and the values just below it
    // that round up to it at 4 to 7 significant digits (9.9999E09 -> 1.000E10).
    for (int k = -323; k <= 308; ++k) {
        const double p = std::pow(10.0, k);
        c.checkAround(p);
        for (double f : {0.99995, 0.999995, 0.9999995, 0.99999995, 0.9995, 0.99949999, 0.999949999, 0.95, 0.995,
                         1.00005, 1.000005})
            c.checkAround(p * f);
    }
    // The fixed range by decimal places: 99.9999999 -> 100.00000.
    for (double v :
         {99.9999999, 999.999999, 9999.99999, 99999.9999, 999999.999, 9999999.99, 99999999.9, 999999999.4, 999999999.6,
          0.0009999995, 0.00099949, 0.0010000004, 0.99999949, 0.99999951, 9.9999995, 12.232588, 1234.5678})
        c.checkAround(v);
    EXPECT_EQ(c.mismatches(), 0);
}

TEST(JetNumberFormatLegacy, ExactDecimalTiesMatchSnprintf) {
    // n / 2^j has a finite decimal expansion ending in 5: rounding it to one
    // digit less is an exact tie, and to_chars and printf must break it alike
    // (both round the exact binary value, ties to even). The fixed path rounds
    // half away from zero like llround did.
    FormatComparison c;
    std::mt19937_64 rng(20261208);
    for (int j = 1; j <= 70; ++j) {
        const double scale = std::ldexp(1.0, -j);
        for (std::uint64_t n = 1; n < 400; n += 2) c.checkAround(static_cast<double>(n) * scale);
        std::uniform_int_distribution<std::uint64_t> odd(0, (std::uint64_t(1) << 30) - 1);
        for (int i = 0; i < 300; ++i) c.checkAround(static_cast<double>(odd(rng) | 1) * scale);
    }
    // Large integers ending in 5 (ties at the last kept digit of a field).
    for (std::uint64_t n = 5; n < (std::uint64_t(1) << 53); n = n * 10 + 5) c.checkAround(static_cast<double>(n));
    EXPECT_EQ(c.mismatches(), 0);
}

TEST(JetNumberFormatLegacy, RandomValuesOverAllMagnitudesMatchSnprintf) {
    FormatComparison c;
    std::mt19937_64 rng(7);
    // Uniform bit patterns: every exponent of the double range alike.
    for (int i = 0; i < 150000; ++i) {
        const double v = fromBits(rng());
        if (std::isfinite(v)) c.check(v);
    }
    // The magnitudes the model writes, 1e-12 to 1e12, with random mantissas
    // and few digits (values the model really produces, like 0.05 or 28.0).
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 12);
    for (int i = 0; i < 150000; ++i) {
        const double m = mantissa(rng);
        const int e = exponent(rng);
        c.check((i % 2 ? -m : m) * std::pow(10.0, e));
        c.check(std::round(m * 1000.0) / 1000.0 * std::pow(10.0, e));
    }
    EXPECT_EQ(c.mismatches(), 0);
    EXPECT_GT(c.checked(), 400000);
}

TEST(JetNumberFormatLegacy, RowIsTwelveBlankSeparatedFields) {
    mardex::OutputRow row;
    for (int i = 0; i < mardex::OutputRow::Count; ++i)
        row.col[static_cast<std::size_t>(i)] = (i % 2 ? -1.0 : 1.0) * std::pow(7.3, i - 6);
    std::string expected;
    for (double v : row.col) expected += " " + legacy::legacyFormatField9(v);
    EXPECT_EQ(mardex::formatRow(row), expected);
}
