// The particle tracks and frames of a jet, and the smoke arithmetic (GL-free).
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "SyntheticCase.h"
#include "model/Jet.h"
#include "scene/ParticleRender.h"
#include "scene/SmokeSprites.h"
#include "support/ScriptedPrompt.h"

namespace {
// Disks on a straight horizontal line along x, all alike but for their place.
void FillLine(CJet& jet, const std::vector<double>& xs, double velocity) {
    auto& disks = jet.m_pDisplay->m_Disks;
    disks.clear();
    for (double x : xs) {
        CJetDisk d;
        d.m_dX = x;
        d.m_dRadius = 1.0;
        d.m_dVelocity = velocity;
        d.m_dMeanConc = 0.5;
        d.m_dThickness = 0.1;
        disks.push_back(d);
    }
}
}  // namespace

TEST(ParticleRenderTest, TimeResolutionLowersStepsUntilAtMost2000Frames) {
    int k = 0, f = 0;
    ParticleRender::TimeResolution(300.0, k, f);
    EXPECT_EQ(k, 6);
    EXPECT_EQ(f, 1800);
    ParticleRender::TimeResolution(100.0, k, f);
    EXPECT_EQ(k, 12);
    EXPECT_EQ(f, 1200);
    // Never below one frame per unit: a long journey keeps all its frames.
    ParticleRender::TimeResolution(2500.0, k, f);
    EXPECT_EQ(k, 1);
    EXPECT_EQ(f, 2500);
    // ... up to a bound, whatever the travel time.
    ParticleRender::TimeResolution(INFINITY, k, f);
    EXPECT_EQ(f, ParticleRender::kMaxFrames);
}

TEST(ParticleRenderTest, TracksAtConstantSpeedTakeTheirLengthOverTheSpeed) {
    CJet jet;
    FillLine(jet, {0.0, 100.0, 300.5}, 1.0);  // 300.5 s at 1 m/s
    CScriptedPrompt prompt;
    ParticleRender render(5);
    render.Rebuild(jet.m_pDisplay.get(), prompt);
    EXPECT_TRUE(prompt.Empty());
    EXPECT_EQ(render.m_nStepsPerUnit, 6);
    EXPECT_EQ(render.FrameCount(), 1803);
    // Frame f is f / 6 seconds out: f / 6 metres along x past the first disk.
    for (int b = 0; b < ParticleRender::kTracks; ++b) {
        const Particle& p0 = render.At(0, b);
        const Particle& p = render.At(600, b);
        EXPECT_NEAR(p.m_dPos[0] - render.At(1, b).m_dPos[0], 599.0 / 6.0, 1e-9);
        EXPECT_NEAR(p0.m_dPos[0], 100.0, 1e-9);  // frame 0 waits on the second disk
        EXPECT_NEAR(p.m_dStreak[0], 0.4, 1e-9);  // velocity x 0.4 along the track
        EXPECT_NEAR(p0.m_dStreak[0], -0.1, 1e-9);
    }
}

TEST(ParticleRenderTest, OneDiskGivesTracksOfOnePointAndNoMotion) {
    CJet jet;
    FillLine(jet, {5.0}, 1.0);
    CScriptedPrompt prompt;
    ParticleRender render;
    render.Rebuild(jet.m_pDisplay.get(), prompt);
    ASSERT_EQ(render.FrameCount(), 1);
    for (int i = 0; i < 5; ++i) render.Advance();
    EXPECT_EQ(render.m_nShown, 0);
    EXPECT_NEAR(render.At(0, 3).m_dPos[0], 5.0, 1e-9);

    // No disks: nothing is built, and ticks do nothing.
    CJet empty;
    ParticleRender none;
    none.Rebuild(empty.m_pDisplay.get(), prompt);
    none.Advance();
    EXPECT_EQ(none.FrameCount(), 0);
    EXPECT_TRUE(prompt.Empty());
}

TEST(ParticleRenderTest, EachTickReleases6To12DistinctParticlesThatMoveOneFrameOn) {
    CJet jet;
    FillPlumeDisks(jet, 200, 10.0, 30.0, 0.5);
    CScriptedPrompt prompt;
    ParticleRender render(9);
    render.Rebuild(jet.m_pDisplay.get(), prompt);
    ASSERT_GT(render.FrameCount(), 50);
    std::set<int> counts;
    for (int tick = 0; tick < 200; ++tick) {
        // Distinct tracks: the alive flags of frame 0 count exactly the released ones.
        ASSERT_EQ(render.AliveCount(0), render.m_nEmit);
        ASSERT_GE(render.m_nEmit, 6);
        ASSERT_LE(render.m_nEmit, 12);
        counts.insert(render.m_nEmit);
        bool before[ParticleRender::kTracks];
        for (int b = 0; b < ParticleRender::kTracks; ++b) before[b] = render.At(0, b).m_bAlive;
        render.Advance();
        for (int b = 0; b < ParticleRender::kTracks; ++b) ASSERT_EQ(render.At(1, b).m_bAlive, before[b]);
    }
    EXPECT_GE(counts.size(), 5u);
    EXPECT_EQ(render.m_nShown, std::min(200, render.FrameCount() - 1));
}

TEST(ParticleRenderTest, TracksAreRebuiltOnlyWhenAskedAndFollowTheSeed) {
    CJet jet;
    FillPlumeDisks(jet, 100, 10.0, 30.0, 0.5);
    CScriptedPrompt prompt;
    ParticleRender a(4), b(4);
    a.Rebuild(jet.m_pDisplay.get(), prompt);
    b.Rebuild(jet.m_pDisplay.get(), prompt);
    EXPECT_EQ(a.At(10, 7).m_dPos[1], b.At(10, 7).m_dPos[1]);
    const double before = a.At(10, 7).m_dPos[1];
    a.Rebuild(jet.m_pDisplay.get(), prompt);  // a restart keeps the tracks
    EXPECT_EQ(a.At(10, 7).m_dPos[1], before);
    EXPECT_EQ(a.m_nShown, 0);
    a.m_bRebuild = true;
    a.Rebuild(jet.m_pDisplay.get(), prompt);
    EXPECT_NE(a.At(10, 7).m_dPos[1], before);
}

TEST(SmokeSpritesTest, FirstSmokeDiskHasNoSpreadAndSixSprites) {
    EXPECT_EQ(SmokeSpriteCount(0.0), 6);
    EXPECT_EQ(SmokeSpriteCount(10.0 / 0.1), 12);  // 100 x 0.12
    EXPECT_EQ(SmokeSpriteCount(400.0), 15);
    EXPECT_EQ(SmokeSeed(0, 0), 0u);
    EXPECT_EQ(SmokeSeed(3, 10), 2u);
    EXPECT_EQ(SmokeSeed(0, 10), 19u);
}

TEST(SmokeSpritesTest, ZeroOrTinyThicknessGivesABoundedSpread) {
    EXPECT_EQ(SmokeSpread(2.0, 0.0), kSmokeMaxSpread);
    EXPECT_EQ(SmokeSpread(2.0, 1e-300), kSmokeMaxSpread);
    EXPECT_EQ(SmokeSpread(0.0, 0.0), 0.0);
    EXPECT_EQ(SmokeSpread(NAN, 1.0), 0.0);
    EXPECT_DOUBLE_EQ(SmokeSpread(2.0, 0.5), 4.0);
    EXPECT_EQ(SmokeSpriteCount(SmokeSpread(2.0, 0.0)), kSmokeMaxSprites);
    EXPECT_EQ(SmokeSpriteCount(NAN), kSmokeMinSprites);
}

TEST(SmokeSpritesTest, ColourScaleRunsFromWhiteAtNothingToRedAtFull) {
    EXPECT_EQ(SmokeColourIndex(0.0), 63);
    EXPECT_EQ(SmokeColourIndex(1.0), 0);
    EXPECT_EQ(SmokeColourIndex(0.25), 31);  // 63 - int(64 x 0.5)
    EXPECT_EQ(SmokeColourIndex(-1.0), 63);
    EXPECT_EQ(SmokeColourIndex(NAN), 63);
    float rgba[4];
    SmokeColour(0.25, rgba);
    EXPECT_FLOAT_EQ(rgba[0], 0.0f);
    EXPECT_FLOAT_EQ(rgba[1], 0.2f * 245 / 255);
    EXPECT_FLOAT_EQ(rgba[2], 0.2f * 165 / 255);
    EXPECT_EQ(rgba[3], 1.0f);
}

TEST(SmokeSpritesTest, SpriteTakesPositionScalesAndTurnAboutTheViewAxis) {
    // Scale 2 and 3, turned 30 degrees about z, at (4, 5, 6).
    const float c = std::cos(0.5235988f), s = std::sin(0.5235988f);
    const float m[16] = {2 * c, 2 * s, 0, 0, -3 * s, 3 * c, 0, 0, 0, 0, 1, 0, 4, 5, 6, 1};
    SpritePlacement p = DecomposeSpriteMatrix(m);
    EXPECT_FLOAT_EQ(p.m_fPos[2], 6.0f);
    EXPECT_FLOAT_EQ(p.m_fScaleX, 2.0f);
    EXPECT_FLOAT_EQ(p.m_fScaleY, 3.0f);
    EXPECT_EQ(p.m_fAngle, 0.0f);  // the third column is the view axis itself
    const float tilted[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0.5f, -0.5f, 0.7f, 0, 0, 0, 0, 1};
    EXPECT_NEAR(DecomposeSpriteMatrix(tilted).m_fAngle, -45.0f, 1e-4);
}
