#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "RecordingProgress.h"
#include "ResultFiles.h"
#include "RunFixture.h"

namespace {
class TrajectoryReaderTest : public RunFixture {
protected:
    void SetUp() override { MakeJets(2); }
    void TearDown() override {
        if (m_file) std::fclose(m_file);
        g_strEol = "\r\n";
    }
    void Open(const std::string& text) {
        if (m_file) std::fclose(m_file);
        WriteText(Path("Plxdata"), text);
        m_file = std::fopen(Path("Plxdata").c_str(), "rb");
    }
    void Read(CJet& jet, int steps, int offset = 0) {
        jet.m_KeyParams.m_nSteps = steps;
        jet.m_pDisplay->m_Disks.clear();
        jet.ReadTrajectory(m_file, m_prompt, &m_progress, offset);
    }
    std::FILE* m_file = nullptr;
    CRecordingProgress m_progress;
};
}  // namespace

TEST_F(TrajectoryReaderTest, SectionsOfSeveralJetsReadInTurnWhateverTheirNames) {
    Open(SectionText(1, "Port A", 3, 100.0) + SectionText(2, "outlet", 2, 200.0));
    Read(JetAt(0), 3);
    Read(JetAt(1), 2);
    EXPECT_TRUE(m_prompt.Empty());
    ASSERT_EQ(JetAt(0).GetDiskCount(), 3);
    ASSERT_EQ(JetAt(1).GetDiskCount(), 2);
    EXPECT_EQ(JetAt(0).m_pDisplay->m_Disks[2].m_dX, 101.0);
    EXPECT_EQ(JetAt(0).m_pDisplay->m_Disks[2].m_dDilution, 3.0);
    EXPECT_EQ(JetAt(1).m_pDisplay->m_Disks[0].m_dX, 200.0);
    EXPECT_EQ(JetAt(1).GetSteps(), 2);
}

TEST_F(TrajectoryReaderTest, MissingColumnHeadingLeavesStepsAndNoDisks) {
    Open(" Jet    1  Jet1\r\n   1 2 3\r\n");
    Read(JetAt(0), 5);
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"unexpected data in plxdata file--\n   1 2 3"});
    EXPECT_EQ(JetAt(0).GetSteps(), 5);
    EXPECT_EQ(JetAt(0).GetDiskCount(), 0);
}

TEST_F(TrajectoryReaderTest, EndOfFileBeforeTheHeadingCountsAsMissingColumnHeading) {
    Open("");
    Read(JetAt(0), 5);
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"unexpected data in plxdata file--\n"});
    EXPECT_EQ(JetAt(0).GetSteps(), 5);
    // A missing file behaves the same.
    std::fclose(m_file);
    m_file = nullptr;
    m_prompt.Clear();
    Read(JetAt(1), 4);
    EXPECT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_EQ(JetAt(1).GetDiskCount(), 0);
}

TEST_F(TrajectoryReaderTest, BadLineAtStep60Of120KeepsSixtyDisksAndTheNextJetIntact) {
    std::string first = SectionText(1, "Jet1", 120);
    const std::string row60 = TrajectoryRow(60);
    std::string bad = row60;
    bad.replace(bad.find(' ', 30) + 1, 9, "*********");
    first.replace(first.find(row60), row60.size(), bad);
    Open(first + SectionText(2, "Jet2", 4, 50.0));
    Read(JetAt(0), 120, 1000);
    EXPECT_EQ(m_prompt.Texts(),
              std::vector<std::string>{"Improper result data,there are 61 steps being not processed,please inspect "
                                       "the plxdata file."});
    EXPECT_EQ(JetAt(0).GetDiskCount(), 60);
    EXPECT_EQ(JetAt(0).GetSteps(), 59);
    // Positions every 50 steps, offset included, through the skipped lines too.
    EXPECT_EQ(m_progress.m_Calls, (std::vector<std::string>{"pos 1000", "pos 1050", "pos 1100"}));
    m_prompt.Clear();
    Read(JetAt(1), 4);
    EXPECT_TRUE(m_prompt.Empty());
    ASSERT_EQ(JetAt(1).GetDiskCount(), 4);
    EXPECT_EQ(JetAt(1).m_pDisplay->m_Disks[0].m_dX, 50.0);
}

TEST_F(TrajectoryReaderTest, BadFirstLineGivesZeroSteps) {
    std::string s = SectionText(1, "Jet1", 3);
    s.replace(s.find(TrajectoryRow(0)), 5, "  *  ");
    Open(s);
    Read(JetAt(0), 3);
    EXPECT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_NE(m_prompt.Texts()[0].find("there are 4 steps"), std::string::npos);
    EXPECT_EQ(JetAt(0).GetDiskCount(), 0);
    EXPECT_EQ(JetAt(0).GetSteps(), 0);
}

TEST_F(TrajectoryReaderTest, SectionShorterThanItsStepCountDoesNotSwallowTheNextHeading) {
    Open(SectionText(1, "Jet1", 5) + SectionText(2, "Jet2", 3, 9.0));
    Read(JetAt(0), 8);
    EXPECT_EQ(JetAt(0).GetDiskCount(), 5);
    EXPECT_EQ(JetAt(0).GetSteps(), 4);
    m_prompt.Clear();
    Read(JetAt(1), 3);
    EXPECT_TRUE(m_prompt.Empty());
    EXPECT_EQ(JetAt(1).GetDiskCount(), 3);
}

TEST_F(TrajectoryReaderTest, TruncatedFileAndLfOnlyFile) {
    std::string s = SectionText(1, "Jet1", 10);
    Open(s.substr(0, s.size() - 70));  // the last line is cut in the middle
    Read(JetAt(0), 10);
    EXPECT_EQ(JetAt(0).GetDiskCount(), 9);
    EXPECT_EQ(m_prompt.Texts().size(), 1u);

    g_strEol = "\n";
    m_prompt.Clear();
    Open(SectionText(1, "Jet1", 10));
    Read(JetAt(0), 10);
    EXPECT_TRUE(m_prompt.Empty());
    EXPECT_EQ(JetAt(0).GetDiskCount(), 10);
}

TEST_F(TrajectoryReaderTest, RandomBytes) {
    std::mt19937 rng(11);
    for (int round = 0; round < 100; ++round) {
        std::string text;
        const int n = static_cast<int>(rng() % 4000);
        for (int i = 0; i < n; ++i) {
            const unsigned v = rng() % 30;
            if (v == 0) text += "\nJet";
            else if (v == 1) text += "\nX(M)\n";
            else if (v == 2) text += TrajectoryRow(static_cast<int>(rng() % 9)) + "\n";
            else text += static_cast<char>(rng() & 0xff);
        }
        Open(text);
        for (int k = 0; k < 2; ++k) {
            Read(JetAt(k), static_cast<int>(rng() % 200));
            EXPECT_LE(JetAt(k).GetDiskCount(), 200);
            EXPECT_GE(JetAt(k).GetSteps(), 0);
        }
    }
}
