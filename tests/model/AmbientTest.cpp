#include <gtest/gtest.h>

#include <cmath>

#include "model/Ambient.h"

TEST(AmbientDensity, TemperatureZeroMeansTheValueIsTheDensity) { EXPECT_EQ(CAmbient::Density(1.0246, 0.0), 1.0246); }

TEST(AmbientDensity, KnudsenEkmanForSeaWater) {
    EXPECT_NEAR(CAmbient::Density(35.0, 10.0), 1.0270, 5e-5);
    // Warmer water of the same salinity is lighter, saltier water heavier.
    EXPECT_LT(CAmbient::Density(35.0, 20.0), CAmbient::Density(35.0, 10.0));
    EXPECT_GT(CAmbient::Density(37.0, 10.0), CAmbient::Density(35.0, 10.0));
}

TEST(AmbientDensity, SalinityForADensityGivesItBack) {
    for (double t : {2.0, 10.0, 25.0})
        for (double s : {0.0, 12.5, 33.0, 40.0})
            EXPECT_NEAR(CAmbient::SalinityFor(CAmbient::Density(s, t), t), s, 1e-6) << s << " ppt at " << t;
    // Densities no salinity of 0 to 40 ppt reaches, and temperature 0 (the
    // value is the density itself), have none.
    EXPECT_TRUE(std::isnan(CAmbient::SalinityFor(1.05, 10.0)));
    EXPECT_TRUE(std::isnan(CAmbient::SalinityFor(0.98, 10.0)));
    EXPECT_TRUE(std::isnan(CAmbient::SalinityFor(1.0246, 0.0)));
}

TEST(AmbientProfileCheck, ReportsTheFirstOffendingPair) {
    CAmbient a;
    int ra = 0, rb = 0;
    EXPECT_EQ(a.CheckProfile(ra, rb), 0) << "an empty profile passes";

    a.SetRows({{0, 1.020, 0, 0}, {10, 1.022, 0, 0}, {10, 1.025, 0, 0}});
    EXPECT_EQ(a.CheckProfile(ra, rb), -2);
    EXPECT_EQ(ra, 2);
    EXPECT_EQ(rb, 3);

    a.SetRows({{0, 1.025, 0, 0}, {10, 1.020, 0, 0}});
    EXPECT_EQ(a.CheckProfile(ra, rb), -1);
    EXPECT_EQ(ra, 1);
    EXPECT_EQ(rb, 2);

    // Salinity rows are compared by their density, not their raw value.
    a.SetRows({{0, 35.0, 25.0, 0}, {10, 35.0, 10.0, 0}, {20, 36.0, 10.0, 0}});
    EXPECT_EQ(a.CheckProfile(ra, rb), 0);
}

TEST(AmbientProfileCheck, DepthOrderIsCheckedBeforeDensity) {
    CAmbient a;
    int ra = 0, rb = 0;
    a.SetRows({{10, 1.025, 0, 0}, {5, 1.020, 0, 0}});
    EXPECT_EQ(a.CheckProfile(ra, rb), -2);
}

TEST(AmbientCurrent, MeanOfTheColumn) {
    CAmbient a;
    EXPECT_EQ(a.AverageCurrent(), 0.0);
    a.SetRows({{0, 1.02, 0, 0.1}, {10, 1.025, 0, 0.05}, {20, 1.026, 0, 0.0}});
    EXPECT_DOUBLE_EQ(a.AverageCurrent(), 0.05);
    EXPECT_EQ(a.GetLastRow().m_dDepth, 20.0);
}

TEST(AmbientTextures, OnlyPlainBaseNamesAreTakenFromAFile) {
    EXPECT_TRUE(CAmbient::IsPlainName("SeaBed"));
    EXPECT_TRUE(CAmbient::IsPlainName("rocky bed 2"));
    for (const char* bad : {"", "../SeaBed", "/etc/passwd", "a/b", "a\\b", "C:x", ".hidden", "bed\n"})
        EXPECT_FALSE(CAmbient::IsPlainName(bad)) << bad;
}
