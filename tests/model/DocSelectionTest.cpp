#include <gtest/gtest.h>

#include <limits>

#include "CaseBuilder.h"
#include "base/AppState.h"
#include "base/DocObserver.h"
#include "model/Case.h"
#include "support/ScriptedPrompt.h"

namespace {
struct SelectionFixture : ::testing::Test {
    void SetUp() override { BuildSmallCase(doc, true); }
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc{app, prompt};
};

struct Counter : CDocObserver {
    void OnDocEvent(const DocEvent& e) override { n += e == DocEvent::SelectionChanged; }
    int n = 0;
};
}  // namespace

TEST_F(SelectionFixture, NearestHitWinsAndSelectsDownToTheDisk) {
    Counter c;
    doc.AddObserver(&c);
    const unsigned int hits[] = {4, 0x90000000u, 0xA0000000u, 0, 1, 0, 0, 4, 0x10000000u, 0x20000000u, 0, 0, 1, 1};
    EXPECT_TRUE(doc.SelectFromPick(hits, 2));
    EXPECT_EQ(doc.GetCurrentOutfall()->m_nCurrentRiser, 0);
    EXPECT_EQ(doc.GetCurrentRiser()->m_nCurrentJet, 1);
    // The ring a pick names is the disk (picking makes a ring of every disk).
    EXPECT_EQ(doc.GetCurrentJet()->m_nCurrentDisk, 1);
    EXPECT_EQ(doc.CurrentDiskMirror(), 1);
    EXPECT_EQ(c.n, 1);
    const unsigned int beyond[] = {4, 0x10000000u, 0x20000000u, 0, 0, 1, 7};
    EXPECT_TRUE(doc.SelectFromPick(beyond, 1));
    EXPECT_EQ(doc.GetCurrentJet()->m_nCurrentDisk, 2) << "ring 7 held to the last disk";
    EXPECT_EQ(c.n, 1) << "same selection again: nothing to tell";
    doc.RemoveObserver(&c);
}

TEST_F(SelectionFixture, OversizedOrEmptyBuffersAreIgnored) {
    std::vector<unsigned int> hits(74 * 7, 0);
    doc.GetCurrentOutfall()->m_nCurrentRiser = 1;
    EXPECT_FALSE(doc.SelectFromPick(hits.data(), 74));
    EXPECT_FALSE(doc.SelectFromPick(hits.data(), 0));
    EXPECT_EQ(doc.GetCurrentOutfall()->m_nCurrentRiser, 1);
    EXPECT_TRUE(doc.SelectFromPick(hits.data(), 73));
    // A count whose record total does not fit an int is refused before any
    // record is read.
    EXPECT_FALSE(doc.SelectFromPick(hits.data(), std::numeric_limits<int>::max() / 7 + 1));
    EXPECT_FALSE(doc.SelectFromPick(hits.data(), std::numeric_limits<int>::max()));
}

TEST_F(SelectionFixture, OutOfRangeNamesSelectOnlyTheValidLevels) {
    const unsigned int hits[] = {4, 1, 2, 0, 9, 0, 0};
    doc.GetCurrentOutfall()->m_nCurrentRiser = 1;
    EXPECT_TRUE(doc.SelectFromPick(hits, 1));
    EXPECT_EQ(doc.m_nCurrentOutfall, 0);
    EXPECT_EQ(doc.GetCurrentOutfall()->m_nCurrentRiser, 1);
}

TEST_F(SelectionFixture, DiskInfoIsClampedToTheList) {
    DiskInfo info;
    int index = 0, count = 0;
    doc.GetCurrentJet()->m_nCurrentDisk = 10;
    doc.GetCurrentDiskInfo(info, index, count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(info.m_dX, 3.0);
    EXPECT_EQ(info.m_dDilution, 21.0);

    index = 0;
    doc.GetDiskInfo(info, index);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(info.m_dX, 1.5);
    index = 99;
    doc.GetDiskInfo(info, index);
    EXPECT_EQ(index, 2);

    CKeyParameters kp{};
    doc.GetCurrentJetKeyParameters(kp);
    EXPECT_EQ(kp.m_nSteps, 3);
    EXPECT_EQ(doc.GetCurrentJetStatusText(), "Plume reached the water surface");
    EXPECT_EQ(doc.GetCurrentJetDiskCount(), 3);
}

TEST_F(SelectionFixture, NoCurrentJetGivesZeros) {
    doc.m_nCurrentOutfall = -1;
    DiskInfo info;
    int index = 5, count = 5;
    doc.GetCurrentDiskInfo(info, index, count);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(doc.GetCurrentJetDiskCount(), 0);
    EXPECT_EQ(doc.GetCurrentJetStatusText(), "");
}

TEST_F(SelectionFixture, SelectingByNamesGoesAsDeepAsTheNamesAreFound) {
    Counter c;
    doc.AddObserver(&c);
    // Riser1 holds Jet1 and Jet2, Riser2 a copy of them.
    EXPECT_TRUE(doc.SelectPath("Outfall_1", "Riser1", "Jet2"));
    CurrentNames n = doc.GetCurrentNames();
    EXPECT_EQ(n.m_nRiser, 0);
    EXPECT_EQ(n.m_nJet, 1);
    EXPECT_EQ(c.n, 1);
    EXPECT_TRUE(doc.SelectPath("Outfall_1", "Riser1", "Jet2"));
    EXPECT_EQ(c.n, 1);  // nothing changed, nothing told
    // An unknown jet keeps the riser's current jet; an unknown outfall changes nothing.
    EXPECT_TRUE(doc.SelectPath("Outfall_1", "Riser2", "Jet9"));
    n = doc.GetCurrentNames();
    EXPECT_EQ(n.m_nRiser, 1);
    EXPECT_FALSE(doc.SelectPath("Outfall_7", "Riser1", "Jet1"));
    EXPECT_EQ(doc.GetCurrentNames().m_nRiser, 1);
    doc.RemoveObserver(&c);
}
