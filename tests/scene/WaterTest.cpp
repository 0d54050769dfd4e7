// The water surface's grid, drops and damped wave step (GL-free).
#include <gtest/gtest.h>

#include <cmath>

#include "scene/Water.h"

TEST(WaterTest, GridCoversTheBoxFromItsCornerAndStartsFlat) {
    CWater water;
    EXPECT_FLOAT_EQ(water.Position(1, 0)[0], 1600.0f / 180.0f);
    EXPECT_FLOAT_EQ(water.Position(179, 179)[0], 179 * 1600.0f / 180.0f);
    EXPECT_FLOAT_EQ(water.Position(179, 179)[2], 179 * 1600.0f / 180.0f);
    EXPECT_EQ(water.MaxAbsHeight(), 0.0f);
}

TEST(WaterTest, SmoothDropIsAGaussianBumpAndSharpDropRaisesOnePoint) {
    CWater water;
    water.AddDrop(50, 60);
    EXPECT_FLOAT_EQ(water.Velocity(50, 60), 0.6f);
    EXPECT_FLOAT_EQ(water.Velocity(51, 60), std::exp(-0.5f) * 0.6f);
    EXPECT_FLOAT_EQ(water.Velocity(52, 62), std::exp(-4.0f) * 0.6f);
    EXPECT_EQ(water.Velocity(53, 60), 0.0f);

    CWater sharp;
    sharp.m_bSmooth = false;
    sharp.AddDrop(50, 60);
    int moved = 0;
    for (int z = 0; z < sharp.m_nRows; ++z)
        for (int x = 0; x < sharp.m_nColumns; ++x) moved += sharp.Velocity(x, z) != 0.0f;
    EXPECT_EQ(moved, 1);
    EXPECT_FLOAT_EQ(sharp.Velocity(50, 60), 0.6f);
}

TEST(WaterTest, HeightZeroDropsLeaveTheSurfaceAtRest) {
    CWater water;
    water.m_fWaveHeight = 0.0f;
    for (int i = 0; i < 20; ++i) water.AddRandomDrops();
    for (int z = 0; z < water.m_nRows; ++z)
        for (int x = 0; x < water.m_nColumns; ++x) ASSERT_EQ(water.Velocity(x, z), 0.0f) << x << ", " << z;
    // The same drops at the default height do move it.
    CWater moved;
    for (int i = 0; i < 20; ++i) moved.AddRandomDrops();
    moved.WaveStep();
    EXPECT_GT(moved.MaxAbsHeight(), 0.5f);
}

TEST(WaterTest, StepPullsEveryPointTowardsZeroHeightAndDamps) {
    // A level surface: the neighbours add nothing, only friction and damping act.
    CWater water;
    for (int z = 0; z < water.m_nRows; ++z)
        for (int x = 0; x < water.m_nColumns; ++x) {
            water.SetHeight(x, z, 0.5f);
            water.SetVelocity(x, z, 0.1f);
        }
    water.WaveStep();
    EXPECT_FLOAT_EQ(water.Velocity(90, 90), (0.1f - 0.005f) * 0.99f);
    EXPECT_FLOAT_EQ(water.Height(90, 90), 0.5f + (0.1f - 0.005f) * 0.99f);
    // The two outer rings never move.
    EXPECT_EQ(water.Height(1, 90), 0.5f);
    EXPECT_EQ(water.Velocity(179, 1), 0.1f);
}

TEST(WaterTest, WithFrequencyZeroNoDropsFallAndAMovingSurfaceDecays) {
    CWater water(3);
    water.m_nDropAttempts = 0;
    water.Disturb();
    EXPECT_LT(water.MaxAbsHeight(), 0.01f);  // at most the friction's own wobble

    water.AddDrop(90, 90);
    water.WaveStep();
    const float early = water.MaxAbsHeight();
    EXPECT_GT(early, 0.5f);
    // The bump dies down to the small ripple the pull towards zero keeps up.
    for (int i = 0; i < 1200; ++i) {
        water.Disturb();
        if (i >= 400) {
            ASSERT_LT(water.MaxAbsHeight(), early / 5.0f) << "step " << i;
        }
    }
}

TEST(WaterTest, DropsFollowTheSeed) {
    CWater a(11), b(11), c(12);
    for (int i = 0; i < 3; ++i) {
        a.Disturb();
        b.Disturb();
        c.Disturb();
    }
    EXPECT_EQ(a.Height(40, 40), b.Height(40, 40));
    EXPECT_EQ(a.MaxAbsHeight(), b.MaxAbsHeight());
    EXPECT_NE(a.MaxAbsHeight(), c.MaxAbsHeight());
}
