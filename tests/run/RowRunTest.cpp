// Whole runs of the jet model with a row of ports: the plumes of close
// ports merge and dilute less than ports alone, and a row whose ports share
// risers standing far apart is warned of.
#include <gtest/gtest.h>

#include "RunFixture.h"

#ifdef PLUMEX_REAL_MODEL
namespace {
class RowRunTest : public RunFixture {
protected:
    void SetUp() override {
        Settings().m_strModelProgram = PLUMEX_REAL_MODEL;
        // Still unstratified water 30 m deep; fresh effluent.
        m_doc.SetProfile({{0.0, 1.025, 0.0, 0.0}, {30.0, 1.025, 0.0, 0.0}});
    }
    // The average dilution every jet reached; all jets must have results.
    std::vector<double> Dilutions() {
        std::vector<double> s;
        m_doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
            EXPECT_GT(j.GetDiskCount(), 10) << j.m_strName;
            s.push_back(j.m_KeyParams.m_dSb);
        });
        return s;
    }
};
}  // namespace

TEST_F(RowRunTest, PortsOnThePipeMergeWhenMergingIsOnAndNotWhenOff) {
    m_doc.SetNoRiser(true);
    MakeJets(10);
    m_doc.GetOutfall(0)->m_dJetSpacing = 1.0;
    m_doc.GetOutfall(0)->m_dDepth = 21.0;

    ASSERT_TRUE(Run(true)) << (m_prompt.Empty() ? "" : m_prompt.Texts()[0]);
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts()[0];
    EXPECT_EQ(JetAt(0).m_KeyParams.m_nPorts, 10);
    // Each jet read where its plume met its neighbours': on the way up, less
    // diluted than at its end.
    m_doc.ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) {
        const CRowMerging& row = j.m_KeyParams.m_Row;
        EXPECT_EQ(row.m_nPorts, 10);
        ASSERT_TRUE(row.m_bMerged) << j.m_strName;
        EXPECT_GT(row.m_dZ, 0.0);
        EXPECT_LT(row.m_dZ, j.m_pDisplay->m_Disks.back().m_dZ);
        EXPECT_GT(row.m_dDilution, 1.0);
        EXPECT_LT(row.m_dDilution, j.m_KeyParams.m_dSb);
    });
    const std::vector<double> merged = Dilutions();

    m_doc.SetRunOptions(RunOptions{m_doc.IsContinuous(), m_doc.MaxTimeSteps(), false});
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(JetAt(0).m_KeyParams.m_nPorts, 1);
    const std::vector<double> alone = Dilutions();
    EXPECT_FALSE(JetAt(0).m_KeyParams.m_Row.HasRow());
    ASSERT_EQ(merged.size(), alone.size());
    for (std::size_t k = 0; k < merged.size(); ++k) {
        // Plumes 1 m apart share their water long before the surface.
        EXPECT_LT(merged[k], 0.8 * alone[k]) << k;
        EXPECT_GT(merged[k], 1.0) << k;
    }
}

TEST_F(RowRunTest, PortsSharingRisersFarApartAreWarnedOf) {
    MakeJets(4);
    m_doc.Add(TreeLevel::Riser);
    m_doc.GetOutfall(0)->GetRiser(1)->m_dDistance = 50.0;
    ASSERT_TRUE(Run(true));
    const std::vector<std::string> texts = m_prompt.Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("riser spacing of 50.0 m"), std::string::npos) << texts[0];
    EXPECT_EQ(JetAt(0).m_KeyParams.m_nPorts, 8);

    // Risers close enough for their plumes to meet: nothing to tell.
    m_doc.GetOutfall(0)->GetRiser(1)->m_dDistance = 2.0;
    m_prompt.Clear();
    ASSERT_TRUE(Run(true));
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts()[0];
}
#endif
