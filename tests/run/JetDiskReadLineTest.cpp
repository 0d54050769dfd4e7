#include <gtest/gtest.h>

#include "model/JetDisk.h"

namespace {
constexpr double kRad = 3.1415926 / 180.0;
}

TEST(JetDiskReadLine, TwelveColumnsGoToTheirFieldsAnglesInRadians) {
    CJetDisk d;
    ASSERT_TRUE(d.ReadLine("1 2 3 0.5 90 0 0.3 0.1 7 2.0 0.4 25"));
    EXPECT_EQ(d.m_dX, 1.0);
    EXPECT_EQ(d.m_dY, 2.0);
    EXPECT_EQ(d.m_dZ, 3.0);
    EXPECT_EQ(d.m_dRadius, 0.5);
    EXPECT_DOUBLE_EQ(d.m_dHAngle, 90 * kRad);
    EXPECT_EQ(d.m_dVAngle, 0.0);
    EXPECT_EQ(d.m_dVelocity, 0.3);
    EXPECT_EQ(d.m_dThickness, 0.1);
    EXPECT_EQ(d.m_dUnnamed, 7.0);
    EXPECT_EQ(d.m_dMaxConc, 1.0);  // 2.0 is capped
    EXPECT_EQ(d.m_dMeanConc, 0.4);
    EXPECT_EQ(d.m_dDilution, 25.0);
}

TEST(JetDiskReadLine, TabsCarriageReturnsAndExponentsAreAccepted) {
    CJetDisk d;
    ASSERT_TRUE(d.ReadLine("\t1.5E+01 -2 3\t0.5  10 -45 0.3 0.1 7 0.25 0.4 1.2E03\r\n"));
    EXPECT_EQ(d.m_dX, 15.0);
    EXPECT_EQ(d.m_dY, -2.0);
    EXPECT_DOUBLE_EQ(d.m_dVAngle, -45 * kRad);
    EXPECT_EQ(d.m_dMaxConc, 0.25);
    EXPECT_EQ(d.m_dDilution, 1200.0);
}

TEST(JetDiskReadLine, OverflowedOrMissingNumbersStopTheLine) {
    CJetDisk d;
    d.m_dRadius = 9.0;
    EXPECT_FALSE(d.ReadLine("1 2 3 ********* 90 0 0.3 0.1 7 2.0 0.4 25"));
    EXPECT_EQ(d.m_dX, 1.0);
    EXPECT_EQ(d.m_dZ, 3.0);
    EXPECT_EQ(d.m_dRadius, 9.0);

    CJetDisk e;
    EXPECT_FALSE(e.ReadLine("1 2 3 0.5 90 0 0.3 0.1 7 2.0 0.4"));
    EXPECT_EQ(e.m_dMeanConc, 0.4);
    EXPECT_EQ(e.m_dDilution, 0.0);
    EXPECT_FALSE(CJetDisk().ReadLine(""));
    EXPECT_FALSE(CJetDisk().ReadLine("   \r"));
}

TEST(JetDiskReadLine, NumbersThatAreNotFiniteAreRefused) {
    EXPECT_FALSE(CJetDisk().ReadLine("1 2 nan 0.5 90 0 0.3 0.1 7 2.0 0.4 25"));
    EXPECT_FALSE(CJetDisk().ReadLine("1 2 3 0.5 90 0 0.3 0.1 7 2.0 0.4 inf"));
    EXPECT_FALSE(CJetDisk().ReadLine("1 2 3 0.5 90 0 0.3 0.1 7 2.0 0.4 1e999"));
}

TEST(JetDiskReadLine, LongLinesAreReadWholeAndExtraTokensIgnored) {
    std::string line = "1 2 3 0.5 90 0 0.3 0.1 7 2.0 0.4 25";
    line = std::string(300, ' ') + line + std::string(300, ' ') + "99";
    CJetDisk d;
    ASSERT_TRUE(d.ReadLine(line));
    EXPECT_EQ(d.m_dDilution, 25.0);
}

TEST(JetDiskReadLine, EveryFieldReadsAsAtofDid) {
    // A sign, hexadecimal, a comma, a bare exponent mark, stray text and a
    // value below the range all read as before; only '*' and non-finite
    // values refuse the line.
    CJetDisk d;
    ASSERT_TRUE(d.ReadLine("+1 0x10 1,5 1e -.5 \v7 x 1e-400 2.5E-1 0.5 0.25 1.0E10"));
    EXPECT_EQ(d.m_dX, 1.0);
    EXPECT_EQ(d.m_dY, 16.0);
    EXPECT_EQ(d.m_dZ, 1.0);
    EXPECT_EQ(d.m_dRadius, 1.0);
    EXPECT_DOUBLE_EQ(d.m_dHAngle, -0.5 * kRad);
    EXPECT_DOUBLE_EQ(d.m_dVAngle, 7 * kRad);
    EXPECT_EQ(d.m_dVelocity, 0.0);
    EXPECT_EQ(d.m_dThickness, 0.0);
    EXPECT_EQ(d.m_dUnnamed, 0.25);
    EXPECT_EQ(d.m_dDilution, 1e10);
    EXPECT_FALSE(CJetDisk().ReadLine("1 2 3 0.5 90 0 0.3 0.1 7 2.0 0.4 -1e400"));
    EXPECT_FALSE(CJetDisk().ReadLine("1 2 3 0.5 90 0 0.3 0.1 7 2.0 0.4 +inf"));
    EXPECT_FALSE(CJetDisk().ReadLine("1 2 3 0.5 90 0 0.3 0.1 7 2.0 0.4 *"));
}
