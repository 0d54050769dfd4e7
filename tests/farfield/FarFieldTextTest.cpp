// The far field in words: what the command line prints for an outfall with
// a far field, without a current and without computed jets; numbers with a
// decimal point under any locale.
#include <gtest/gtest.h>

#include <clocale>

#include "farfield/FarFieldText.h"

namespace {
OutfallFarField Computed() {
    OutfallFarField f;
    f.m_strOutfall = "Main outfall";
    f.m_eStatus = FarFieldStatus::Computed;
    f.m_Start.m_nJets = 8;
    f.m_Start.m_dAlong = 7.25;
    f.m_Start.m_dWidth = 84.25;
    f.m_Start.m_dDepth = 15.3;
    f.m_Start.m_dDilution = 177.17;
    f.m_Start.m_dTime = 145.5;
    f.m_dCurrent = 0.0594;
    f.m_Edge.m_dDistance = 2000.0;
    f.m_Edge.m_dDilution = 2542.54;
    f.m_Edge.m_dConcentration = 2.994;
    f.m_Edge.m_dTime = 33678.9;
    f.m_EdgeCheck = {false, 0.5};
    FarFieldPointValues beach;
    beach.m_strName = "Beach";
    beach.m_Values.m_dDistance = 1200.0;
    beach.m_Values.m_dDilution = 1342.75;
    beach.m_Values.m_dConcentration = 100.005;
    beach.m_Values.m_dTime = 20217.4;
    beach.m_Check = {true, 1.0};
    f.m_Points = {beach};
    f.m_dStandardMetAt = 1461.07;
    return f;
}
}  // namespace

TEST(FarFieldText, OneLineNamesTheStartTheEdgeThePointsAndWhereTheStandardIsMet) {
    FarFieldSettings s;
    s.m_dMixingZone = 2000.0;
    s.m_bStandardIsDilution = false;
    s.m_dStandard = 200.0;
    EXPECT_EQ(FarFieldLine(Computed(), s),
              "Main outfall far field: starts 7.2 m from the diffuser, 84.2 m wide at 15.3 m depth, dilution 177.2 "
              "(lowest of 8 jet ends), 0.04 h, current 0.059 m/s; mixing zone edge 2000 m: dilution 2542.5, 2.99 "
              "FC/100 mL, 9.36 h, does not meet the standard (maximum concentration 200 FC/100 mL, margin 0.50); "
              "Beach (1200 m): dilution 1342.8, 100 FC/100 mL, 5.62 h, meets the standard (margin 1.00); standard "
              "met from 1461.1 m");
    OutfallFarField never = Computed();
    never.m_dStandardMetAt = -1.0;
    EXPECT_NE(FarFieldLine(never, s).find("; standard not met within 100 km"), std::string::npos);
    never.m_dStandardMetAt = 0.0;
    EXPECT_NE(FarFieldLine(never, s).find("; standard met where the jets end"), std::string::npos);
}

TEST(FarFieldText, OutfallsWithoutAFarFieldSayWhy) {
    OutfallFarField still = Computed();
    still.m_eStatus = FarFieldStatus::StillCurrent;
    still.m_dCurrent = 0.0;
    const std::string line = FarFieldLine(still, FarFieldSettings{});
    EXPECT_EQ(line.rfind("Main outfall far field: none, the current at the wastefield (0 m/s) is below 0.001 m/s; "
                         "starts 7.2 m",
                         0),
              0u)
        << line;
    EXPECT_EQ(line.find("mixing zone"), std::string::npos);
    OutfallFarField none;
    none.m_strOutfall = "Spare";
    EXPECT_EQ(FarFieldLine(none, FarFieldSettings{}), "Spare far field: none, no jet of the outfall was computed");
}

namespace {
void ExpectNumbers() {
    EXPECT_EQ(FixedNumber(2542.54, 1), "2542.5");
    EXPECT_EQ(ShortNumber(2.994), "2.99");
    EXPECT_EQ(ShortNumber(54719.8), "54720");
    EXPECT_EQ(ShortNumber(0.0012345), "0.00123");
    EXPECT_EQ(ShortNumber(1.5e7), "1.50e+07");
    EXPECT_EQ(PlainNumber(0.000453), "0.000453");
    EXPECT_EQ(PlainNumber(2000.0), "2000");
}
}  // namespace

TEST(FarFieldText, NumbersKeepTheirPointUnderACommaLocale) {
    ExpectNumbers();
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8", "nl_NL.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name)) {
            comma = name;
            break;
        }
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma is installed";
    ExpectNumbers();
    std::setlocale(LC_NUMERIC, "C");
}
