// The model's files use a decimal point whatever the user's locale. A GUI
// program runs under the user's locale; under one with a decimal comma the
// input file must still be written, and the results read, with points.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "ResultFiles.h"
#include "RunFixture.h"

namespace {
class CommaLocaleTest : public RunFixture {
protected:
    void SetUp() override {
        MakeJets(1);
        m_doc.GetOutfall(0)->m_dDepth = 21.0;
        m_doc.SetProfile({{0.0, 1.0246, 0.0, 0.05}});
        // The result files are made in the "C" notation, as the model writes them.
        SummaryPage p;
        p.m_nSteps = 3;
        WriteText(Path("Suspend"), PageText(p));
        WriteText(Path("Plxdata"), SectionText(1, "Jet1", 3));

        m_strOld = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8", "de_DE"}) {
            if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') {
                m_bComma = true;
                break;
            }
        }
        if (!m_bComma) {
            std::setlocale(LC_ALL, m_strOld.c_str());
            GTEST_SKIP() << "no locale with a decimal comma is installed";
        }
        // The locale does what this test guards against.
        char buf[16];
        std::snprintf(buf, sizeof buf, "%.1f", 1.5);
        ASSERT_STREQ(buf, "1,5");
    }
    void TearDown() override {
        if (m_bComma) std::setlocale(LC_ALL, m_strOld.c_str());
    }

    std::string m_strOld;
    bool m_bComma = false;
};
}  // namespace

TEST_F(CommaLocaleTest, InputFileIsWrittenWithDecimalPoints) {
    ASSERT_TRUE(WriteInputAllJets(m_doc, Settings()));
    const std::string in = ReadText(Path("UDF"));
    EXPECT_NE(in.find("\n0.013800 1 0.100000 0.000000 20.000000\n"), std::string::npos) << in;
    EXPECT_NE(in.find("\n0.000000     1.024600     0.000000    0.050000\n"), std::string::npos) << in;
    ASSERT_TRUE(WriteInputJets(m_doc, Settings(), 0, 0, 0, 1));
    EXPECT_NE(ReadText(Path("UDF")).find("\n0.050000  0.000000  999.000000\n"), std::string::npos);
    // The user's notation is back afterwards.
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 2.5);
    EXPECT_STREQ(buf, "2,5");
}

TEST_F(CommaLocaleTest, ResultsKeepTheirFractions) {
    ASSERT_TRUE(ReadResultsAll());
    EXPECT_TRUE(m_prompt.Empty());
    const CJet& jet = *m_doc.GetOutfall(0)->GetRiser(0)->GetJet(0);
    EXPECT_EQ(jet.m_KeyParams.m_dTotalQ, 10.25);
    EXPECT_EQ(jet.m_KeyParams.m_dSb, 108.5);
    ASSERT_EQ(jet.GetDiskCount(), 3);
    const CJetDisk& d = jet.m_pDisplay->m_Disks[1];
    EXPECT_DOUBLE_EQ(d.m_dX, 0.5);
    EXPECT_DOUBLE_EQ(d.m_dRadius, 0.06);
    EXPECT_DOUBLE_EQ(d.m_dMeanConc, 0.5);
    // The single-jet reader too.
    ASSERT_TRUE(ReadResultsJets(0, 0, 0, 1));
    EXPECT_DOUBLE_EQ(jet.m_pDisplay->m_Disks[2].m_dVelocity, 0.33333);
}
