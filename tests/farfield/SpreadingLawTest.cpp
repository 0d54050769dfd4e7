// The 4/3 law's centreline dilution against values of the published
// solution S_f = 1 / erf(sqrt(1.5 / ((1 + 2/3 q)^3 - 1))), q = beta x / b0,
// computed apart from this code (Python's math.erf), and its two limits.
#include <gtest/gtest.h>

#include <cmath>

#include "farfield/SpreadingLaw.h"

TEST(SpreadingLaw, CentrelineDilutionMatchesThePublishedSolution) {
    struct Point {
        double q, s;
    };
    const Point points[] = {
        {0.1, 1.0001787100024702}, {0.5, 1.161416526242323},  {1.0, 1.5705432943819364},  {3.0, 3.760744196825597},
        {10.0, 15.360646849618},   {30.0, 69.63510808334401}, {100.0, 402.7740536795177},
    };
    for (const Point& p : points) EXPECT_NEAR(BrooksCentrelineDilution(p.q), p.s, 1e-9 * p.s) << "q = " << p.q;
    // Below q = 0.01 the field has not spread yet: no dilution to the digits
    // of a double.
    EXPECT_DOUBLE_EQ(BrooksCentrelineDilution(0.01), 1.0);
}

TEST(SpreadingLaw, StartsUndilutedAndRisesWithDistance) {
    EXPECT_EQ(BrooksCentrelineDilution(0.0), 1.0);
    EXPECT_EQ(BrooksCentrelineDilution(-1.0), 1.0);
    EXPECT_NEAR(BrooksCentrelineDilution(1e-6), 1.0, 1e-12);
    double last = 1.0;
    for (double q = 0.05; q < 1e5; q *= 1.7) {
        const double s = BrooksCentrelineDilution(q);
        EXPECT_GT(s, last) << "q = " << q;
        last = s;
    }
}

// For large q the erf's argument u is small and erf(u) ~ 2u/sqrt(pi), so
// S_f ~ sqrt(pi/6) sqrt((1 + 2/3 q)^3 - 1) ~ sqrt(pi/6) (2/3 q)^(3/2): the
// dilution grows as the 3/2 power of the distance.
TEST(SpreadingLaw, FarDownstreamTheDilutionGrowsAsTheThreeHalvesPower) {
    for (double q : {1e3, 1e4, 1e6, 1e9}) {
        const double a = 2.0 / 3.0 * q;
        const double near = std::sqrt(M_PI / 6.0) * std::sqrt((1 + a) * (1 + a) * (1 + a) - 1);
        EXPECT_NEAR(BrooksCentrelineDilution(q) / near, 1.0, 1e-3) << "q = " << q;
        EXPECT_NEAR(BrooksCentrelineDilution(q) / (std::sqrt(M_PI / 6.0) * std::pow(a, 1.5)), 1.0, 5e-3) << "q = " << q;
    }
    EXPECT_NEAR(std::log10(BrooksCentrelineDilution(1e5) / BrooksCentrelineDilution(1e4)), 1.5, 1e-3);
}

TEST(SpreadingLaw, BetaIsTwelveTimesTheDiffusivityOverCurrentAndWidth) {
    // alpha 4.53e-4 m^(2/3)/s, b0 60 m, U 0.105 m/s: eps0 = alpha b0^(4/3).
    EXPECT_NEAR(BrooksBeta(4.53e-4, 60.0, 0.105), 0.20267829045137084, 1e-12);
    // beta grows as b0^(1/3) and falls as 1/U.
    EXPECT_NEAR(BrooksBeta(4.53e-4, 480.0, 0.105) / BrooksBeta(4.53e-4, 60.0, 0.105), 2.0, 1e-12);
    EXPECT_NEAR(BrooksBeta(4.53e-4, 60.0, 0.21) / BrooksBeta(4.53e-4, 60.0, 0.105), 0.5, 1e-12);
}
