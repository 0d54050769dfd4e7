// Which row each jet's block carries: only with merging on, only for rows
// that exist, and only when the model reads them; otherwise the run is told.
#include <gtest/gtest.h>

#include "RunFixture.h"
#include "run/InputRows.h"

namespace {
class InputRowsTest : public RunFixture {
protected:
    // Outfall 0: risers at 0 and 20 m with two ports each (a row of 4 at
    // 10 m). Outfall 1: risers at 0, 6 and 12 m with two ports each (a row of
    // 6 at 3 m).
    void SetUp() override {
        MakeJets(2);
        m_doc.Add(TreeLevel::Riser);
        m_doc.Add(TreeLevel::Outfall);
        m_doc.Add(TreeLevel::Riser);
        CRiser& second = *m_doc.GetOutfall(1);
        for (int r = 0; r < 3; ++r) second.GetRiser(r)->m_dDistance = 6.0 * r;
        ASSERT_EQ(m_doc.GetJetCount(), 10);
    }
    InputRows Plan(bool modelReads, int onlyOutfall = -1) {
        return PlanInputRows(
            m_doc,
            [this, modelReads] {
                ++m_nAsked;
                return modelReads;
            },
            onlyOutfall);
    }
    const CJet& Jet(int outfall, int riser, int k) const {
        return *m_doc.GetOutfall(outfall)->GetRiser(riser)->GetJet(k);
    }
    int m_nAsked = 0;
};
}  // namespace

TEST_F(InputRowsTest, RowsTheModelReadsGoToEveryJetOfTheirOutfall) {
    const InputRows rows = Plan(true);
    EXPECT_EQ(m_nAsked, 1);
    EXPECT_TRUE(rows.m_Problems.empty());
    ASSERT_EQ(rows.m_Outfalls.size(), 2u);
    for (int r = 0; r < 2; ++r) {
        const PortRow row = rows.ForJet(0, Jet(0, r, 1));
        EXPECT_EQ(row.m_nPorts, 4);
        EXPECT_DOUBLE_EQ(row.m_dSpacing, 10.0);
        EXPECT_EQ(row.m_dAxisDeg, 90.0);
    }
    for (int r = 0; r < 3; ++r) {
        const PortRow row = rows.ForJet(1, Jet(1, r, 0));
        EXPECT_EQ(row.m_nPorts, 6);
        EXPECT_DOUBLE_EQ(row.m_dSpacing, 3.0);
    }
    EXPECT_FALSE(rows.ForJet(2, Jet(0, 0, 0)).IsActive());
}

TEST_F(InputRowsTest, APortWiderThanTheSpacingIsComputedAloneAndTheOutfallIsNamed) {
    m_doc.GetOutfall(1)->m_strName = "East";
    m_doc.GetOutfall(1)->GetRiser(2)->GetJet(1)->m_dDiameter = 3.5;
    const InputRows rows = Plan(true);
    ASSERT_EQ(rows.m_Problems.size(), 1u);
    EXPECT_NE(rows.m_Problems[0].find("East"), std::string::npos) << rows.m_Problems[0];
    EXPECT_NE(rows.m_Problems[0].find("3.5 m"), std::string::npos) << rows.m_Problems[0];
    EXPECT_FALSE(rows.ForJet(1, Jet(1, 2, 1)).IsActive());
    EXPECT_TRUE(rows.ForJet(1, Jet(1, 2, 0)).IsActive());
    EXPECT_TRUE(rows.ForJet(0, Jet(0, 0, 0)).IsActive());
}

TEST_F(InputRowsTest, ARowTheModelCannotReadIsNotWrittenAndTheRunIsToldOnce) {
    const InputRows rows = Plan(false);
    EXPECT_EQ(m_nAsked, 1);
    ASSERT_EQ(rows.m_Problems.size(), 1u);
    EXPECT_EQ(rows.m_Problems[0],
              "Merging of neighbouring plumes was not computed: the model program does not read port rows.");
    m_doc.ForEachJet([&](int o, int, int, CRiser&, CBase&, CJet& j) { EXPECT_FALSE(rows.ForJet(o, j).IsActive()); });
}

TEST_F(InputRowsTest, WithMergingOffTheModelIsNotAskedAndNothingIsTold) {
    m_doc.SetRunOptions(RunOptions{m_doc.IsContinuous(), m_doc.MaxTimeSteps(), false});
    const InputRows rows = Plan(true);
    EXPECT_EQ(m_nAsked, 0);
    EXPECT_TRUE(rows.m_Problems.empty());
    m_doc.ForEachJet([&](int o, int, int, CRiser&, CBase&, CJet& j) { EXPECT_FALSE(rows.ForJet(o, j).IsActive()); });
}

TEST_F(InputRowsTest, OutfallsWithoutARowNeedNoAnswer) {
    // Each outfall's risers stand at one place.
    m_doc.ForEachJet([](int, int, int, CRiser&, CBase& r, CJet&) { r.m_dDistance = 5.0; });
    const InputRows rows = Plan(false);
    EXPECT_EQ(m_nAsked, 0);
    EXPECT_TRUE(rows.m_Problems.empty());

    // A run of one jet of an outfall without a row: the other outfall's row
    // does not count.
    m_doc.GetOutfall(0)->GetRiser(1)->m_dDistance = 40.0;
    const InputRows one = Plan(false, 1);
    EXPECT_EQ(m_nAsked, 0);
    EXPECT_TRUE(one.m_Problems.empty());
    const InputRows other = Plan(true, 0);
    EXPECT_EQ(m_nAsked, 1);
    EXPECT_TRUE(other.ForJet(0, Jet(0, 0, 0)).IsActive());
    EXPECT_FALSE(other.ForJet(1, Jet(1, 0, 0)).IsActive());
}
