// The report of a case in which the model rejected one jet: that jet is
// reported as rejected, every other jet with its results, in the PDF text
// and in the HTML file alike.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>

#include "SyntheticCase.h"
#include "model/Case.h"
#include "plot/JetPalette.h"
#include "report/CaseReport.h"
#include "report/ReportWriter.h"
#include "support/ScriptedPrompt.h"

namespace {
const char* const kRejected = "Port is above the water surface";

// The text of a PDF as pdftotext gives it; empty when that fails.
QString PdfText(const QString& pdf, const QStringList& extra = {}) {
    QProcess p;
    p.start("pdftotext", extra + QStringList{pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString PdfInfo(const QString& pdf) {
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        BuildSyntheticCase(m_doc, 3, 50);
        const char* names[] = {"North diffuser port", "South diffuser port", "Spare port"};
        int n = 0;
        m_doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
            j.m_strName = names[n++];
            j.m_strStatus = "Plume reached the water surface";
            j.m_KeyParams.m_dDepth = 18.0;
            j.m_KeyParams.m_dlb = 1e10;  // no current: written as 1.0E10 by the model
        });
        CJet* rejected = m_doc.GetOutfall(0)->GetRiser(0)->GetJet(1);
        rejected->m_pDisplay->m_Disks.clear();
        rejected->m_KeyParams.m_nSteps = 0;
        rejected->m_strStatus = kRejected;
        m_doc.PlaceJets();
        m_options.m_strCaseName = "synthetic.pmx";
        m_options.m_strProgramVersion = "9.8.7";
        m_options.m_strModelVersion = "model 1.2";
        m_options.m_Date = QDateTime(QDate(2026, 3, 4), QTime(10, 20));
        m_options.m_strSceneNote = "The 3-D picture is left out: no display.";
    }
    QString EndDilution(int outfall, int riser, int jet) const {
        return QString::number(
            m_doc.GetOutfall(outfall)->GetRiser(riser)->GetJet(jet)->m_pDisplay->m_Disks.back().m_dDilution, 'f', 2);
    }
    void ExpectHoldsEveryJet(const QString& text) {
        const QString flat = QString(text).replace('\n', ' ');
        EXPECT_TRUE(flat.contains("North diffuser port")) << qPrintable(text);
        EXPECT_TRUE(flat.contains("Spare port"));
        EXPECT_TRUE(flat.contains(EndDilution(0, 0, 0)));
        EXPECT_TRUE(flat.contains(EndDilution(0, 1, 0)));
        EXPECT_TRUE(flat.contains(QString("South diffuser port")));
        EXPECT_TRUE(flat.contains(QString("rejected by the jet model: ") + kRejected));
        EXPECT_TRUE(flat.contains("2 of 3 jets computed; 1 rejected by the jet model"));
    }
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CCase m_doc{m_app, m_prompt};
    ReportOptions m_options;
    QTemporaryDir m_dir;
};

TEST_F(ReportTest, RejectedJetIsReportedAndTheOthersWithTheirResults) {
    const ReportDocument report = BuildCaseReport(m_doc, m_options);
    // The profile plots and five plots of the one outfall.
    EXPECT_EQ(report.m_Images.size(), 6u);
    for (const auto& [name, image] : report.m_Images) {
        EXPECT_TRUE(report.m_strHtml.contains("src=\"" + name + "\""));
        EXPECT_FALSE(image.isNull());
    }
    // Each plot of the outfall draws the first jet in its palette colour
    // and leaves out the rejected one.
    auto pixelsOf = [](const QImage& image, int ordinal) {
        const JetColour c = JetPaletteColour(ordinal);
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                n += std::abs(qRed(p) - c.r) + std::abs(qGreen(p) - c.g) + std::abs(qBlue(p) - c.b) < 40;
            }
        }
        return n;
    };
    for (std::size_t i = 1; i < report.m_Images.size(); ++i) {
        EXPECT_GT(pixelsOf(report.m_Images[i].second, 0), 50) << i;
        EXPECT_GT(pixelsOf(report.m_Images[i].second, 2), 50) << i;
        EXPECT_EQ(pixelsOf(report.m_Images[i].second, 1), 0) << i;
    }
    QTextDocument doc;
    doc.setHtml(report.m_strHtml);
    const QString text = doc.toPlainText();
    ExpectHoldsEveryJet(text);
    EXPECT_TRUE(text.contains("unbounded"));
    EXPECT_TRUE(text.contains("9.8.7"));
    EXPECT_TRUE(text.contains("model 1.2"));
    EXPECT_TRUE(text.contains("2026-03-04"));
    EXPECT_TRUE(text.contains("The 3-D picture is left out: no display."));
    EXPECT_TRUE(text.contains("cuts no jet"));
}

TEST_F(ReportTest, PdfAndHtmlFilesHoldTheSameJets) {
    const ReportDocument report = BuildCaseReport(m_doc, m_options);
    QString error;
    const QString pdf = m_dir.filePath("r.pdf"), html = m_dir.filePath("r.html");
    ASSERT_TRUE(WriteReport(report, pdf, ReportPaper::A4, error)) << qPrintable(error);
    ASSERT_TRUE(WriteReport(report, html, ReportPaper::A4, error)) << qPrintable(error);

    const QString text = PdfText(pdf);
    ASSERT_FALSE(text.isEmpty()) << "pdftotext (poppler-utils) could not read the PDF";
    ExpectHoldsEveryJet(text);
    EXPECT_TRUE(PdfInfo(pdf).contains("A4")) << qPrintable(PdfInfo(pdf));

    QFile f(html);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(f.readAll());
    // Self-contained: every picture inside the file.
    EXPECT_EQ(page.count("src=\"data:image/png;base64,"), 6);
    EXPECT_FALSE(page.contains("src=\"plumex-picture"));
    QTextDocument doc;
    doc.setHtml(page);
    ExpectHoldsEveryJet(doc.toPlainText());
}

TEST_F(ReportTest, LetterPagesOnRequest) {
    QString error;
    const QString pdf = m_dir.filePath("letter.pdf");
    ASSERT_TRUE(WriteReport(BuildCaseReport(m_doc, m_options), pdf, ReportPaper::Letter, error));
    const QString info = PdfInfo(pdf);
    EXPECT_TRUE(info.contains("612 x 792")) << qPrintable(info);
    // The tables of several pages: more than one page, each numbered.
    const QRegularExpression pages("Pages:\\s+(\\d+)");
    const auto m = pages.match(info);
    ASSERT_TRUE(m.hasMatch());
    EXPECT_GE(m.captured(1).toInt(), 3);
}

TEST_F(ReportTest, AFileThatCannotBeWrittenIsRefusedWithAReason) {
    const ReportDocument report = BuildCaseReport(m_doc, m_options);
    QString error;
    EXPECT_FALSE(WriteReport(report, m_dir.filePath("r.txt"), ReportPaper::A4, error));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("r.txt")));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(WriteReport(report, m_dir.filePath("missing/r.pdf"), ReportPaper::A4, error));
    EXPECT_FALSE(error.isEmpty());
}
}  // namespace

// The compliance section gives the edge of the mixing zone and every point
// with the standard applied, and states what the values rest on.
TEST_F(ReportTest, ComplianceSectionJudgesTheEdgeAndThePoints) {
    FarFieldSettings f;
    f.m_dMixingZone = 2000.0;
    f.m_dT90Hours = 3.0;
    f.m_bStandardIsDilution = false;
    f.m_dStandard = 1000.0;
    f.m_Points = {{"Beach 1200 m", 1200.0}};
    m_doc.SetFarField(f);
    const ReportDocument report = BuildCaseReport(m_doc, m_options);
    QTextDocument doc;
    doc.setHtml(report.m_strHtml);
    const QString text = doc.toPlainText().replace('\n', ' ');
    EXPECT_TRUE(text.contains("Mixing zone and far field")) << qPrintable(text);
    EXPECT_TRUE(text.contains("maximum concentration 1000 FC/100 mL"));
    EXPECT_TRUE(text.contains("Edge of the mixing zone"));
    EXPECT_TRUE(text.contains("Beach 1200 m"));
    EXPECT_TRUE(text.contains("lowest flux-average dilution of the jet ends"));
    EXPECT_TRUE(text.contains("dies off tenfold every 3 h (T90)"));
    EXPECT_TRUE(text.contains("0.000453 m2/3/s"));
    // The section comes before the 3-D view, which keeps the last number.
    EXPECT_LT(report.m_strHtml.indexOf("Mixing zone and far field"), report.m_strHtml.indexOf("3-D view"));
}
