// The numbers of the model's files read as atof read them in the "C"
// notation, now mostly by from_chars: every form atof takes (a sign, white
// space, hexadecimal, inf and nan, values out of range, stray characters
// after the number) must give the value atof gave, and a comma locale must
// not make a comma a decimal separator.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "run/ModelNumber.h"

namespace {
double Read(const std::string& text) { return ModelNumber(text.data(), text.data() + text.size()); }

// Same value, bit for bit (any NaN for a NaN).
::testing::AssertionResult SameAsAtof(const std::string& text) {
    const double expected = std::atof(text.c_str());
    const double got = Read(text);
    if (std::isnan(expected) ? std::isnan(got) : std::memcmp(&got, &expected, sizeof got) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\": " << got << ", atof " << expected;
}
}  // namespace

TEST(ModelNumber, EdgeFormsReadAsAtofReadThem) {
    EXPECT_EQ(Read("+1"), 1.0);
    EXPECT_EQ(Read(" 1"), 1.0);
    EXPECT_EQ(Read("\v\f-2.5"), -2.5);
    EXPECT_EQ(Read("1e"), 1.0);
    EXPECT_EQ(Read("1e+"), 1.0);
    EXPECT_EQ(Read("1.5E+03"), 1500.0);
    EXPECT_EQ(Read("1.5E03"), 1500.0);
    EXPECT_EQ(Read("1.5E-03x"), 0.0015);
    EXPECT_TRUE(std::isnan(Read("nan")));
    EXPECT_TRUE(std::isnan(Read("-NaN(123)")));
    EXPECT_EQ(Read("inf"), HUGE_VAL);
    EXPECT_EQ(Read("-Infinity"), -HUGE_VAL);
    EXPECT_EQ(Read("1e400"), HUGE_VAL);
    EXPECT_EQ(Read("-1e400"), -HUGE_VAL);
    EXPECT_EQ(Read("1e-400"), 0.0);
    EXPECT_EQ(Read("4e-320"), std::atof("4e-320"));  // below the normal range, not zero
    EXPECT_GT(Read("4e-320"), 0.0);
    EXPECT_EQ(Read("0x1p3"), 8.0);
    EXPECT_EQ(Read("-0X10"), -16.0);
    EXPECT_EQ(Read("1,5"), 1.0);
    EXPECT_EQ(Read(""), 0.0);
    EXPECT_EQ(Read("."), 0.0);
    EXPECT_EQ(Read("-"), 0.0);
    EXPECT_EQ(Read("--5"), 0.0);
    EXPECT_EQ(Read("E5"), 0.0);
    EXPECT_EQ(Read("1-2"), 1.0);
    EXPECT_EQ(Read(".5"), 0.5);
    EXPECT_EQ(Read("-.5E1"), -5.0);
    EXPECT_EQ(Read(std::string("7\0"
                               "5",
                               3)),
              7.0);
    for (const char* text : {"+1",
                             " 1",
                             "1e",
                             "nan",
                             "inf",
                             "1e400",
                             "1e-400",
                             "0x1p3",
                             "1,5",
                             "",
                             ".",
                             "-",
                             "+-1",
                             "++1",
                             "0x",
                             "0xg",
                             "-0x.8p1",
                             "1e-310",
                             "2.4703282292062328e-324",
                             "-0",
                             "00012.50",
                             "1.7976931348623158e308",
                             "1.7976931348623159e308",
                             "12345678901234567890123"})
        EXPECT_TRUE(SameAsAtof(text));
}

TEST(ModelNumber, EveryWrittenFormOfRandomValuesReadsAsAtof) {
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 308);
    char buf[64];
    for (int i = 0; i < 20000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, exponent(rng) % (i % 2 ? 12 : 320));
        for (const char* format : {"%.17g", "%.6E", "%.5f", "%.3e", "%a"}) {
            std::snprintf(buf, sizeof buf, format, v);
            ASSERT_TRUE(SameAsAtof(buf));
        }
    }
}

TEST(ModelNumber, ACommaLocaleKeepsTheDecimalPoint) {
    const std::string old = std::setlocale(LC_ALL, nullptr);
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') {
            comma = true;
            break;
        }
    }
    if (!comma) {
        std::setlocale(LC_ALL, old.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    const double point = Read("1.5");
    const double pointHex = Read("+0x1.8p0");
    const double withComma = Read("1,5");
    const double exponentForm = Read("+2.5E-01");
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_EQ(point, 1.5);
    EXPECT_EQ(pointHex, 1.5);
    EXPECT_EQ(withComma, 1.0);
    EXPECT_EQ(exponentForm, 0.25);
}
