// The far field along the current: near-field values before it begins,
// total dilution and travel time after, the decay of the tracked substance,
// and the standard judged at its margin.
#include <gtest/gtest.h>

#include <cmath>

#include "farfield/FarFieldModel.h"
#include "farfield/SpreadingLaw.h"
#include "farfield/StandardCheck.h"

namespace {
WastefieldStart Start() {
    WastefieldStart s;
    s.m_nJets = 2;
    s.m_dWidth = 60.0;
    s.m_dDepth = 19.0;
    s.m_dDilution = 80.0;
    s.m_dTime = 400.0;
    s.m_dAlong = 30.0;
    return s;
}

FarFieldSettings Settings(double t90, bool dilution, double standard) {
    FarFieldSettings s;
    s.m_dT90Hours = t90;
    s.m_dEffluentConcentration = 1e7;
    s.m_bStandardIsDilution = dilution;
    s.m_dStandard = standard;
    return s;
}
}  // namespace

TEST(FarFieldModel, DecayIsTenfoldEveryT90AndNoneForAConservativeSubstance) {
    const CFarFieldModel decaying(Start(), 0.1, Settings(3.0, true, 100));
    EXPECT_DOUBLE_EQ(decaying.DecayFactor(0.0), 1.0);
    EXPECT_NEAR(decaying.DecayFactor(3 * 3600.0), 0.1, 1e-15);
    EXPECT_NEAR(decaying.DecayFactor(6 * 3600.0), 0.01, 1e-16);
    EXPECT_NEAR(decaying.DecayFactor(1.5 * 3600.0), 1.0 / std::sqrt(10.0), 1e-15);
    const CFarFieldModel conservative(Start(), 0.1, Settings(0.0, true, 100));
    EXPECT_EQ(conservative.DecayFactor(1e6), 1.0);
}

TEST(FarFieldModel, ValuesAlongTheCurrentFromTheDiffuser) {
    const CFarFieldModel model(Start(), 0.105, Settings(3.0, true, 100));
    ASSERT_TRUE(model.HasFarField());
    // Before the jets end: the values at their ends.
    const FarFieldValues near = model.At(10.0);
    EXPECT_TRUE(near.m_bInNearField);
    EXPECT_EQ(near.m_dDilution, 80.0);
    EXPECT_EQ(near.m_dTime, 400.0);
    EXPECT_NEAR(near.m_dConcentration, 1e7 / 80.0 * std::pow(10.0, -400.0 / 10800.0), 1e-9);
    // 2000 m from the diffuser is 1970 m of far field (values computed
    // apart, with Python's math.erf).
    const FarFieldValues edge = model.At(2000.0);
    EXPECT_FALSE(edge.m_bInNearField);
    EXPECT_NEAR(edge.m_dDilution, 733.7688169187301, 1e-9);
    EXPECT_NEAR(edge.m_dTime, 19161.904761904763, 1e-9);
    EXPECT_NEAR(edge.m_dConcentration, 229.1871729395318, 1e-9);
}

TEST(FarFieldModel, AStillCurrentCarriesNoFarField) {
    const CFarFieldModel still(Start(), 0.0009, Settings(3.0, true, 100));
    EXPECT_FALSE(still.HasFarField());
    const FarFieldValues v = still.At(5000.0);
    EXPECT_TRUE(std::isfinite(v.m_dDilution) && std::isfinite(v.m_dTime));
    EXPECT_EQ(v.m_dDilution, 80.0);
    EXPECT_LT(DistanceStandardMet(still, Settings(3.0, true, 100)), 0.0);
    EXPECT_TRUE(CFarFieldModel(Start(), 0.001, Settings(3.0, true, 100)).HasFarField());
}

TEST(StandardCheck, MetExactlyAtTheMarginAndMissedJustBeyondIt) {
    FarFieldValues v;
    v.m_dDilution = 100.0;
    v.m_dConcentration = 1000.0;
    StandardCheck c = JudgeStandard(Settings(0, true, 100.0), v);
    EXPECT_TRUE(c.m_bMeets);
    EXPECT_DOUBLE_EQ(c.m_dMargin, 1.0);
    c = JudgeStandard(Settings(0, true, std::nextafter(100.0, 200.0)), v);
    EXPECT_FALSE(c.m_bMeets);
    EXPECT_LT(c.m_dMargin, 1.0);
    c = JudgeStandard(Settings(0, true, 40.0), v);
    EXPECT_TRUE(c.m_bMeets);
    EXPECT_DOUBLE_EQ(c.m_dMargin, 2.5);

    c = JudgeStandard(Settings(0, false, 1000.0), v);
    EXPECT_TRUE(c.m_bMeets);
    EXPECT_DOUBLE_EQ(c.m_dMargin, 1.0);
    c = JudgeStandard(Settings(0, false, std::nextafter(1000.0, 0.0)), v);
    EXPECT_FALSE(c.m_bMeets);
    c = JudgeStandard(Settings(0, false, 250.0), v);
    EXPECT_FALSE(c.m_bMeets);
    EXPECT_DOUBLE_EQ(c.m_dMargin, 0.25);
}

TEST(StandardCheck, FirstDistanceWhereTheStandardIsMet) {
    const FarFieldSettings dilution = Settings(0.0, true, 500.0);
    const CFarFieldModel model(Start(), 0.105, dilution);
    const double x = DistanceStandardMet(model, dilution);
    ASSERT_GT(x, 30.0);
    EXPECT_TRUE(JudgeStandard(dilution, model.At(x)).m_bMeets);
    EXPECT_FALSE(JudgeStandard(dilution, model.At(x - 0.01)).m_bMeets);
    EXPECT_NEAR(model.At(x).m_dDilution, 500.0, 0.01);

    // A concentration standard, reached sooner with decay than without.
    const FarFieldSettings decaying = Settings(3.0, false, 1000.0);
    const FarFieldSettings lasting = Settings(0.0, false, 1000.0);
    const double withDecay = DistanceStandardMet(CFarFieldModel(Start(), 0.105, decaying), decaying);
    const double without = DistanceStandardMet(CFarFieldModel(Start(), 0.105, lasting), lasting);
    ASSERT_GT(withDecay, 0.0);
    EXPECT_LT(withDecay, without);

    // Met where the jets end already; not met within the limit.
    EXPECT_EQ(DistanceStandardMet(model, Settings(0.0, true, 80.0)), 0.0);
    EXPECT_LT(DistanceStandardMet(model, Settings(0.0, true, 1e9), 1000.0), 0.0);
}
