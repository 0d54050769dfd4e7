#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ResultFiles.h"
#include "RunFixture.h"

namespace {
class ModelInputTest : public RunFixture {
protected:
    void SetUp() override {
        MakeJets(1);
        m_doc.GetOutfall(0)->m_dDepth = 21.0;
        m_doc.SetProfile({{0.0, 1.0246, 0.0, 0.05}});
    }
    std::string Input() { return ReadText(Path("UDF")); }
};

const char* kExample =
    "Jet1\n"
    "0 0 1      0 0 0 0 0  0 0 0 0 0\n"
    "0.013800 1 0.100000 0.000000 20.000000\n"
    "0.050000  0.000000  999.000000\n"
    "0.0 2 3    200        0 0 0. 0.5 0. -1. 1. .1  1500 100\n"
    "1 1.000000 0.000000\n"
    "0.000000     1.024600     0.000000    0.050000\n";
}  // namespace

TEST_F(ModelInputTest, DefaultJetGivesTheDocumentedBlockByteForByte) {
    ASSERT_TRUE(WriteInputAllJets(m_doc, Settings()));
    EXPECT_EQ(Input(), kExample);
}

TEST_F(ModelInputTest, ZeroRowsContinuousModeAndNegativeDepth) {
    m_doc.SetProfile({});
    m_doc.SetRunOptions(RunOptions{true, 77});
    JetAt(0).m_dPortHeight = 25.5;  // above the 21 m deep outfall's water line
    JetAt(0).m_dCurrent = 0.7;
    ASSERT_TRUE(WriteInputAllJets(m_doc, Settings()));
    EXPECT_EQ(Input(),
              "Jet1\n"
              "0 0 1      0 0 0 0 0  0 0 0 0 1\n"
              "0.013800 1 0.100000 0.000000 -4.500000\n"
              "0.000000  0.000000  999.000000\n"
              "0.0 2 3    200        0 0 0. 0.5 0. -1. 1. .1  77 100\n"
              "0 1.000000 0.000000\n");
    // The mean written is also what the jet keeps.
    EXPECT_EQ(JetAt(0).m_dCurrent, 0.0);
}

TEST_F(ModelInputTest, CurrentIsTheProfileMeanAndRowsFollowTheProfile) {
    m_doc.SetProfile({{0.0, 33.0, 20.0, 0.10}, {10.0, 34.0, 15.0, 0.20}, {30.0, 35.0, 12.0, 0.60}});
    ASSERT_TRUE(WriteInputAllJets(m_doc, Settings()));
    const std::string in = Input();
    EXPECT_NE(in.find("\n0.300000  0.000000  999.000000\n"), std::string::npos) << in;
    EXPECT_NE(in.find("\n3 1.000000 0.000000\n"
                      "0.000000     33.000000     20.000000    0.100000\n"
                      "10.000000     34.000000     15.000000    0.200000\n"
                      "30.000000     35.000000     12.000000    0.600000\n"),
              std::string::npos)
        << in;
    EXPECT_DOUBLE_EQ(JetAt(0).m_dCurrent, 0.3);
}

TEST_F(ModelInputTest, AllJetsInOutfallRiserJetOrderEachWithItsOutfallDepth) {
    m_doc.Add(TreeLevel::Jet);      // Jet2 on Riser1
    m_doc.Add(TreeLevel::Riser);    // Riser2 copies the jets
    m_doc.Add(TreeLevel::Outfall);  // Outfall_2 copies the risers
    m_doc.GetOutfall(1)->m_dDepth = 31.0;
    int n = 0;
    m_doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) { j.m_strName = "J" + std::to_string(++n); });
    ASSERT_EQ(n, 8);
    ASSERT_TRUE(WriteInputAllJets(m_doc, Settings()));
    const std::string in = Input();
    std::vector<std::size_t> at;
    for (int k = 1; k <= 8; ++k) {
        const std::string key = "J" + std::to_string(k) + "\n";
        const std::size_t p = in.compare(0, key.size(), key) == 0 ? 0 : in.find("\n" + key);
        ASSERT_NE(p, std::string::npos) << key;
        at.push_back(p);
    }
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    // Jets of the second outfall stand 31 - 1 m deep.
    const std::size_t j5 = in.find("\nJ5\n");
    EXPECT_NE(in.find(" 30.000000\n", j5), std::string::npos);
    EXPECT_LT(in.find(" 20.000000\n"), j5);
}

TEST_F(ModelInputTest, SelectedJetsOnlyAndNamesStayOnOneLine) {
    m_doc.Add(TreeLevel::Jet);
    m_doc.Add(TreeLevel::Jet);
    JetAt(1).m_strName = "Port\nB";
    ASSERT_TRUE(WriteInputJets(m_doc, Settings(), 0, 0, 1, 1));
    const std::string in = Input();
    EXPECT_EQ(in.compare(0, 7, "Port B\n"), 0) << in;
    EXPECT_EQ(in.find("Jet1"), std::string::npos);
    EXPECT_EQ(in.find("Jet3"), std::string::npos);
    // Seven lines: one profile row.
    EXPECT_EQ(std::count(in.begin(), in.end(), '\n'), 7);
}

TEST_F(ModelInputTest, UnwritableDirectoryFailsQuietly) {
    Settings().m_strWorkDir = Path("does/not/exist");
    EXPECT_FALSE(WriteInputAllJets(m_doc, Settings()));
    EXPECT_TRUE(m_prompt.Empty());
}
