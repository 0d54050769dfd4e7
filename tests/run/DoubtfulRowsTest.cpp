// The warning about rows whose ports share risers standing too far apart for
// their plumes to meet before the rise ends.
#include <gtest/gtest.h>

#include "RunFixture.h"
#include "run/DoubtfulRows.h"
#include "run/RunResult.h"

namespace {
// Outfall "North": three risers 30 m apart with three ports each.
class DoubtfulRowsTest : public RunFixture {
protected:
    void SetUp() override {
        MakeJets(3);
        m_doc.Add(TreeLevel::Riser);
        m_doc.Add(TreeLevel::Riser);
        m_doc.GetOutfall(0)->m_strName = "North";
        for (int r = 0; r < 3; ++r) m_doc.GetOutfall(0)->GetRiser(r)->m_dDistance = 30.0 * r;
    }
    // Every jet of the case computed in a row, rising to top (m above its port).
    void ComputeAll(double top) {
        m_plan = RunPlan();
        m_result = RunResult();
        m_doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) { Computed(j, top, true); });
    }
    void Computed(const CJet& j, double top, bool inRow) {
        m_plan.m_Jets.push_back(j.Id());
        if (inRow) m_plan.m_RowJets.push_back(j.Id());
        JetResult r;
        r.m_Id = j.Id();
        r.m_bPageRead = true;
        for (double z : {0.0, top, top - 1.0}) {
            CJetDisk d;
            d.m_dZ = z;
            r.m_Disks.push_back(d);
        }
        m_result.m_Jets.push_back(r);
    }
    std::vector<std::string> Warnings() const { return DoubtfulRowWarnings(m_doc, m_plan, m_result); }
    RunPlan m_plan;
    RunResult m_result;
};
}  // namespace

TEST_F(DoubtfulRowsTest, PlumesThatStopBelowThreeAndAHalfRiserSpacingsAreWarnedOfOnce) {
    ComputeAll(50.0);
    const std::vector<std::string> warnings = Warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("North"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("50.0 m"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("30.0 m"), std::string::npos) << warnings[0];

    // Just below and above 3.5 x 30 m.
    ComputeAll(104.9);
    EXPECT_EQ(Warnings().size(), 1u);
    ComputeAll(105.1);
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(DoubtfulRowsTest, TheHighestRiseOfTheOutfallCounts) {
    ComputeAll(50.0);
    m_result.m_Jets[4].m_Disks[1].m_dZ = 120.0;
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(DoubtfulRowsTest, OnlyRowsOfSharedRisersThatWereComputedAsRows) {
    // Jets computed alone.
    m_result = RunResult();
    m_doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) { Computed(j, 50.0, false); });
    EXPECT_TRUE(Warnings().empty());

    // Jets without results.
    ComputeAll(50.0);
    for (JetResult& r : m_result.m_Jets) r.m_Disks.clear();
    EXPECT_TRUE(Warnings().empty());

    // One port per riser: the risers' row is the ports' own.
    for (int r = 0; r < 3; ++r) {
        m_doc.GetOutfall(0)->m_nCurrentRiser = r;
        m_doc.GetOutfall(0)->GetRiser(r)->m_nCurrentJet = 0;
        m_doc.Delete(TreeLevel::Jet);
        m_doc.Delete(TreeLevel::Jet);
    }
    ASSERT_EQ(m_doc.GetJetCount(), 3);
    ComputeAll(50.0);
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(DoubtfulRowsTest, EachOutfallIsJudgedOnItsOwn) {
    m_doc.Add(TreeLevel::Outfall);
    CRiser& south = *m_doc.GetOutfall(1);
    south.m_strName = "South";
    for (int r = 0; r < 3; ++r) south.GetRiser(r)->m_dDistance = 10.0 * r;
    ComputeAll(50.0);
    std::vector<std::string> warnings = Warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("North"), std::string::npos);

    south.GetRiser(2)->m_dDistance = 60.0;
    warnings = Warnings();
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[1].find("South"), std::string::npos);
}
