#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/FormatShort.h"

TEST(FormatShort, KeepsFieldBlanksAndDropsTrailingZerosAndPoint) {
    EXPECT_EQ(" 2.5", FormatShort(2.5));
    EXPECT_EQ(" 3", FormatShort(3.0));
    EXPECT_EQ(" 0", FormatShort(0.0));
    EXPECT_EQ(" 1.0001", FormatShort(1.0001));
    EXPECT_EQ(" 0.125", FormatShort(0.125));
    // Rounded to four places before the zeros go.
    EXPECT_EQ(" 0", FormatShort(0.00004));
    EXPECT_EQ(" 0.0001", FormatShort(0.00006));
}

TEST(FormatShort, ZerosOfTheIntegerPartStay) {
    EXPECT_EQ("10", FormatShort(10.0));
    EXPECT_EQ("100", FormatShort(100.0));
    EXPECT_EQ("2000.5", FormatShort(2000.5));
    EXPECT_EQ("-2.5", FormatShort(-2.5));
    EXPECT_EQ("-0.5", FormatShort(-0.5));
    EXPECT_EQ("-12.25", FormatShort(-12.25));
}

TEST(FormatShort, WideValuesAreNotCut) {
    EXPECT_EQ("123456789.5", FormatShort(123456789.5));
    const std::string big = FormatShort(1e300);
    ASSERT_EQ(301u, big.size());
    EXPECT_EQ('1', big.front());
    EXPECT_EQ(std::string::npos, big.find('.'));
    EXPECT_EQ("    inf", FormatShort(std::numeric_limits<double>::infinity()));
}
