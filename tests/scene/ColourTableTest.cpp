// The histogram-equalised colour table, the colour levels of the three
// colour modes and the value ranges of a case.
#include <gtest/gtest.h>

#include <vector>

#include "SyntheticCase.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "scene/ColourTable.h"
#include "scene/JetDisplays.h"
#include "scene/SortTree.h"
#include "support/ScriptedPrompt.h"

namespace {
CRangeRecord Range(float conc, float radius, float velocity) {
    CRangeRecord r;
    r.m_fConc = conc;
    r.m_fRadius = radius;
    r.m_fVelocity = velocity;
    return r;
}
}  // namespace

TEST(ColourTable, LevelsRiseFromZeroTo255AndFollowTheHistogram) {
    ColourTable t{};
    // Most values in the lowest band: it gets most of the colour range.
    std::vector<double> v(90, 0.05);
    for (int i = 0; i < 10; ++i) v.push_back(0.1 + 0.09 * i);
    FillColourTable(t, v, 0.0, 1.0);
    EXPECT_EQ(t[0].m_nLowLevel, 0);
    EXPECT_EQ(t[255].m_nHighLevel, 255);
    int total = 0;
    for (int a = 0; a < 256; ++a) {
        EXPECT_LE(t[a].m_nLowLevel, t[a].m_nHighLevel);
        if (a > 0) {
            EXPECT_EQ(t[a].m_nLowLevel, t[a - 1].m_nHighLevel);
        }
        total += t[a].m_nHighLevel - t[a].m_nLowLevel;
    }
    EXPECT_EQ(total, 255);
    // Bin of 0.05 is int(0.05 * 255) = 12; it holds 90 % of the disks.
    EXPECT_GE(t[12].m_nHighLevel - t[12].m_nLowLevel, 229);
    EXPECT_DOUBLE_EQ(t[12].m_dFromValue, 12.0 / 255.0);
    EXPECT_DOUBLE_EQ(t[12].m_dToValue, 13.0 / 255.0);
}

TEST(ColourTable, NoValuesLeaveTheTableAlone) {
    ColourTable t{};
    t[3].m_nHighLevel = 77;
    FillColourTable(t, {}, 0.0, 1.0);
    EXPECT_EQ(t[3].m_nHighLevel, 77);
}

TEST(ColourTable, MaximumMapsToTheTopAndZeroWidthToTheMiddle) {
    ColourTable t{};
    std::vector<double> v;
    for (int i = 0; i <= 100; ++i) v.push_back(0.01 * i);
    FillColourTable(t, v, 0.0, 1.0);
    const CRangeRecord lo = Range(0.0f, 0.0f, 0.0f), hi = Range(1.0f, 2.0f, 1.0f);
    const float top[4] = {1.0f, 2.0f, 0.0f, 1.0f};
    const float bottom[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    // The maximum falls into table entry 255 and takes its lowest level.
    EXPECT_EQ(ColourLevel(ColourMode::Concentration, top, lo, hi, t), t[255].m_nLowLevel);
    EXPECT_GE(t[255].m_nLowLevel, 250);
    EXPECT_EQ(ColourLevel(ColourMode::Concentration, bottom, lo, hi, t), 0);
    EXPECT_EQ(ColourLevel(ColourMode::Velocity, top, lo, hi, t), t[255].m_nLowLevel);
    // Half width runs the other way: the widest disk gets level 0.
    EXPECT_EQ(ColourLevel(ColourMode::HalfWidth, top, lo, hi, t), 0);
    EXPECT_EQ(ColourLevel(ColourMode::HalfWidth, bottom, lo, hi, t), 255);

    // One disk, or constant values: the whole case sits mid-scale.
    ColourTable flat{};
    FillColourTable(flat, {0.3, 0.3}, 0.3, 0.3);
    const CRangeRecord same = Range(0.3f, 1.0f, 0.3f);
    const float v3[4] = {0.3f, 1.0f, 0.0f, 0.3f};
    EXPECT_EQ(ColourLevel(ColourMode::Concentration, v3, same, same, flat), kMidLevel);
    EXPECT_EQ(ColourLevel(ColourMode::Velocity, v3, same, same, flat), kMidLevel);
    EXPECT_EQ(ColourLevel(ColourMode::HalfWidth, v3, same, same, flat), kMidLevel);
}

TEST(ColourTable, LevelColourRunsFromLowToHighMaterial) {
    const float high[4] = {0.3f, 0.9f, 0.0f, 0.6f}, low[4] = {0.3f, 0.9f, 1.0f, 0.5f};
    float c[4];
    LevelColour(0, high, low, c);
    EXPECT_FLOAT_EQ(c[2], 1.0f);
    EXPECT_FLOAT_EQ(c[3], 0.6f);
    LevelColour(255, high, low, c);
    EXPECT_FLOAT_EQ(c[2], 0.0f);
    LevelColour(51, high, low, c);
    EXPECT_FLOAT_EQ(c[2], 0.8f);
}

TEST(DocColours, RangesAndTableCoverEveryDiskOfEveryJet) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSyntheticCase(doc, 3, 50);
    // A jet without results widens nothing.
    doc.GetOutfall(0)->m_Risers[1]->m_Jets[0]->m_pDisplay->m_Disks.clear();
    doc.PlaceJets();
    CRangeRecord mn, mx;
    doc.GetValueRanges(mn, mx);
    float cMin = 1e9f, cMax = -1e9f, vMax = -1e9f;
    doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
        for (const auto& d : j.m_pDisplay->m_Disks) {
            cMin = std::min(cMin, float(d.m_dMeanConc));
            cMax = std::max(cMax, float(d.m_dMeanConc));
            vMax = std::max(vMax, float(d.m_dVelocity));
        }
    });
    EXPECT_FLOAT_EQ(mn.m_fConc, cMin);
    EXPECT_FLOAT_EQ(mx.m_fConc, cMax);
    EXPECT_FLOAT_EQ(mx.m_fVelocity, vMax);
    EXPECT_FLOAT_EQ(doc.GetOutfall(0)->m_Risers[1]->m_RangeMax.m_fConc, CRangeRecord::kFreshMax);
    CJetDisplays displays(doc);
    EXPECT_EQ(displays.Colours()[255].m_nHighLevel, 255);
    // The velocity table differs from the concentration table.
    const ColourTable concTable = displays.Colours();
    displays.SetMode(ColourMode::Velocity);
    int differ = 0;
    for (int a = 0; a < 256; ++a) differ += concTable[a].m_nHighLevel != displays.Colours()[a].m_nHighLevel;
    EXPECT_GT(differ, 0);
    // The section image takes the displays' table.
    EXPECT_EQ(&doc.SectionColourTable(), &displays.Colours());
}

TEST(JetDisplays, ColoursAndTreeFollowTheCaseWithoutBeingTold) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSyntheticCase(doc, 2, 60);
    doc.PlaceJets();
    CJetDisplays displays(doc);
    const ColourTable before = displays.Colours();
    const CSortTree* tree = displays.SortTree();
    ASSERT_TRUE(tree);

    // New results for one jet: its concentrations fall ten times faster.
    CJet& jet = *doc.GetOutfall(0)->m_Risers[0]->m_Jets[0];
    for (CJetDisk& d : jet.m_pDisplay->m_Disks) d.m_dMeanConc *= 0.1;
    EXPECT_EQ(displays.Colours()[128].m_dFromValue, before[128].m_dFromValue) << "nothing placed yet";
    doc.PlaceJets(0, 0, 0, 1);
    EXPECT_NE(displays.Colours()[128].m_dFromValue, before[128].m_dFromValue);
    EXPECT_TRUE(displays.IsSortTreeStale());

    // Deleting a jet changes the tree's names, not the placement.
    displays.SortTree();
    const ColourTable placed = displays.Colours();
    doc.Delete(TreeLevel::Jet);
    EXPECT_TRUE(displays.IsSortTreeStale());
    EXPECT_EQ(displays.Colours()[128].m_dFromValue, placed[128].m_dFromValue);
}
