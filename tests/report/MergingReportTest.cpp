// What the report says about the merging of each outfall's plumes: a column
// of the jets' results table and a sentence per outfall in the summary.
#include <gtest/gtest.h>

#include <QTextDocument>

#include "SyntheticCase.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "report/CaseReport.h"
#include "report/MergingSentence.h"
#include "support/ScriptedPrompt.h"

namespace {
class MergingReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        BuildSyntheticCase(m_doc, 4, 30);
        m_doc.GetOutfall(0)->m_strName = "Outfall_1";
        Each([](int, CJet& j) {
            j.m_KeyParams.m_nPorts = 6;
            CRowMerging& r = j.m_KeyParams.m_Row;
            r.m_nPorts = 6;
            r.m_dSpacing = 3.0;
            r.m_bMerged = true;
            r.m_dZ = 3.2;
            r.m_dDilution = 41.2;
        });
    }
    void Each(const std::function<void(int, CJet&)>& f) {
        int n = 0;
        m_doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) { f(n++, j); });
    }
    QString Sentence() const { return MergingSentence(*m_doc.GetOutfall(0)); }
    QString ReportText() {
        m_doc.PlaceJets();
        QTextDocument doc;
        doc.setHtml(BuildCaseReport(m_doc, ReportOptions{}).m_strHtml);
        return doc.toPlainText().replace('\n', ' ');
    }
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CCase m_doc{m_app, m_prompt};
};
}  // namespace

TEST_F(MergingReportTest, OneSentencePerOutfallSaysWhereItsPlumesMerge) {
    EXPECT_EQ(Sentence(), "The plumes of Outfall_1's 6 ports merge 3.2 m above the ports at a dilution of 41.");

    // Ports of other angles merge elsewhere: the range is given.
    Each([](int n, CJet& j) {
        j.m_KeyParams.m_Row.m_dZ = 3.2 + 0.1 * n;
        j.m_KeyParams.m_Row.m_dDilution = 8.04 + n;
    });
    EXPECT_EQ(Sentence(),
              "The plumes of Outfall_1's 6 ports merge 3.2 to 3.5 m above the ports at a dilution of 8.0 to 11.0.");

    Each([](int n, CJet& j) { j.m_KeyParams.m_Row.m_bMerged = n == 1; });
    EXPECT_EQ(Sentence(),
              "The plumes of 1 of Outfall_1's 6 ports merge 3.3 m above the ports at a dilution of 9.0; those of the "
              "other 3 computed ports do not merge.");

    Each([](int, CJet& j) { j.m_KeyParams.m_Row.m_bMerged = false; });
    EXPECT_EQ(Sentence(), "The plumes of Outfall_1's 6 ports do not merge before the computation ends.");

    Each([](int, CJet& j) { j.m_KeyParams.m_Row = CRowMerging{}; });
    EXPECT_EQ(Sentence(),
              "The 4 ports of Outfall_1 were each computed alone: the jet model was given no row of ports for them.");
    EXPECT_EQ(MergingSentence(*m_doc.GetOutfall(0), true), "");

    // One computed port has nothing to merge with; jets without results do not count.
    Each([](int n, CJet& j) {
        if (n > 0) j.m_KeyParams.m_nSteps = 0;
    });
    EXPECT_EQ(Sentence(), "");
}

TEST_F(MergingReportTest, TheCaseSaysWhenMergingWasSwitchedOff) {
    EXPECT_EQ(MergingOffSentence(m_doc), "");
    m_doc.SetRunOptions(RunOptions{false, 1500, false});
    // Results that were computed in rows before the option was switched off.
    EXPECT_EQ(MergingOffSentence(m_doc), "");
    Each([](int, CJet& j) { j.m_KeyParams.m_Row = CRowMerging{}; });
    EXPECT_EQ(MergingOffSentence(m_doc),
              "Merging of neighbouring plumes is switched off for this case: every port was computed alone.");
    const QString text = ReportText();
    EXPECT_TRUE(text.contains("4 of 4 jets computed. Merging of neighbouring plumes is switched off"))
        << qPrintable(text);
    EXPECT_FALSE(text.contains("were each computed alone")) << "said once for the case";
}

TEST_F(MergingReportTest, TheResultsTableShowsWhereEachJetMergesAndTheSummaryTheOutfall) {
    Each([](int n, CJet& j) {
        if (n == 2) j.m_KeyParams.m_Row.m_bMerged = false;
        if (n == 3) j.m_KeyParams.m_Row = CRowMerging{};
    });
    const QString text = ReportText();
    EXPECT_TRUE(text.contains("Plumes merge at (m above port / dilution)")) << qPrintable(text);
    EXPECT_TRUE(text.contains("3.20 m / 41.2"));
    EXPECT_TRUE(text.contains("do not merge"));
    EXPECT_TRUE(text.contains("computed alone"));
    EXPECT_TRUE(
        text.contains("4 of 4 jets computed. The plumes of 2 of Outfall_1's 6 ports merge 3.2 m above the "
                      "ports at a dilution of 41; the plume of the other computed port does not merge."))
        << qPrintable(text);
}
