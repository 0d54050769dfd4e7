// plumex --report as a user runs it, with the real jet model: the demo
// case's report names every jet with the end dilution --info prints for it,
// in the PDF and in the HTML form.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>

#include "CliRunner.h"
#include "model/Case.h"
#include "support/ScriptedPrompt.h"

namespace {
constexpr int kTimeoutMs = 180000;
const QString kExamples = QString::fromUtf8(PLUMEX_EXAMPLES_DIR);

class ReportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("PLUMEX_MODEL", PLUMEX_REAL_MODEL);
    }
    CliResult Run(const QStringList& args) { return FinishPlumex(*StartPlumex(args, m_env, m_dir.path()), kTimeoutMs); }
    QString In(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
};

// The text of an HTML page: tags dropped, the few entities the report uses
// turned back into characters, runs of white space made one blank.
QString HtmlText(QString html) {
    html.remove(QRegularExpression("<head>.*</head>", QRegularExpression::DotMatchesEverythingOption));
    html.replace(QRegularExpression("<[^>]*>"), " ");
    html.replace("&nbsp;", " ").replace("&deg;", "deg").replace("&quot;", "\"").replace("&lt;", "<");
    html.replace("&gt;", ">").replace("&amp;", "&");
    return html.simplified();
}

// Jet name -> "dilution at last disk" as --info prints it.
std::map<QString, QString> InfoDilutions(const std::string& info) {
    std::map<QString, QString> out;
    QString jet;
    for (const QString& line : QString::fromStdString(info).split('\n')) {
        const auto name = QRegularExpression("^\\s+Jet \"([^\"]+)\"").match(line);
        if (name.hasMatch()) jet = name.captured(1);
        const auto dil = QRegularExpression("dilution at last disk ([0-9.]+)").match(line);
        if (dil.hasMatch() && !jet.isEmpty()) out[jet] = dil.captured(1);
    }
    return out;
}

TEST_F(ReportCommandTest, DemoReportHoldsEveryJetWithItsEndDilution) {
    ASSERT_EQ(Run({"--batch", kExamples + "/demo.json", "--out", In("demo.pmx")}).exitCode, 0);
    const CliResult info = Run({"--info", In("demo.pmx")});
    ASSERT_EQ(info.exitCode, 0);
    const auto dilutions = InfoDilutions(info.out);
    ASSERT_EQ(dilutions.size(), 8u) << info.out;

    const CliResult pdf = Run({"--report", In("demo.pmx"), "--out", In("demo.pdf")});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err;
    QProcess text;
    text.start("pdftotext", {In("demo.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString pdfText = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    ASSERT_FALSE(pdfText.isEmpty()) << "pdftotext (poppler-utils) could not read the report";

    const CliResult html = Run({"--report", In("demo.pmx"), "--out", In("demo.html"), "--letter"});
    ASSERT_EQ(html.exitCode, 0) << html.err;
    QFile f(In("demo.html"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString htmlText = HtmlText(QString::fromUtf8(f.readAll()));

    for (const auto& [jet, dilution] : dilutions) {
        // The jet's row: its name, then its values up to the average dilution.
        const QRegularExpression row(QRegularExpression::escape(jet) + "\\s+[-0-9.]+\\s+[-0-9.]+\\s+[-0-9.]+\\s+" +
                                     "[-0-9.]+\\s+" + QRegularExpression::escape(dilution) + "\\s");
        EXPECT_TRUE(htmlText.contains(jet)) << qPrintable(jet);
        EXPECT_TRUE(pdfText.contains(jet)) << qPrintable(jet);
        EXPECT_TRUE(pdfText.contains(dilution)) << qPrintable(jet + " " + dilution);
        EXPECT_TRUE(htmlText.contains(dilution)) << qPrintable(jet + " " + dilution);
        EXPECT_TRUE(pdfText.contains(row) || htmlText.contains(row)) << qPrintable(jet + " " + dilution);
    }
    EXPECT_TRUE(pdfText.contains("8 of 8 jets computed"));
}

TEST_F(ReportCommandTest, JetTheModelRejectsIsReportedAndTheOthersStillAre) {
    // One port of the second riser stands higher above the outfall than the
    // water is deep: the model refuses it ("Port is above the water surface").
    {
        CAppState app;
        CScriptedPrompt prompt;
        CCase doc(app, prompt);
        ASSERT_TRUE(doc.OpenCase(PLUMEX_DEMO_CASE));
        doc.GetOutfall(0)->GetRiser(1)->GetJet(0)->m_dPortHeight = 35.0;
        doc.GetOutfall(0)->GetRiser(1)->GetJet(0)->m_strName = "High port";
        ASSERT_TRUE(doc.SaveCase(In("high.pmx").toStdString()));
    }
    // The report is written, and its status says, as --batch's does, that
    // not every jet was computed.
    const CliResult r = Run({"--report", In("high.pmx"), "--out", In("high.pdf")});
    ASSERT_EQ(r.exitCode, 4) << r.err;
    EXPECT_NE(r.err.find("only 7 of 8 jets computed (exit status 4)"), std::string::npos) << r.err;
    QProcess text;
    text.start("pdftotext", {In("high.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString pdfText = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_TRUE(pdfText.contains("High port rejected by the jet model: Port is above the water surface"))
        << qPrintable(pdfText);
    EXPECT_TRUE(pdfText.contains("7 of 8 jets computed; 1 rejected by the jet model"));
    // The other ports are reported with their results.
    for (const char* jet : {"R1 port 1", "R2 port 2", "R2 port 4"}) {
        const QRegularExpression computed(QString(jet) + " [0-9.]+ [0-9.]+ [0-9.]+ [0-9.]+ [0-9.]+ ");
        EXPECT_TRUE(pdfText.contains(computed)) << jet;
    }
}

TEST_F(ReportCommandTest, WrongRequestsAreRefusedAndWriteNothing) {
    EXPECT_EQ(Run({"--report", kExamples + "/demo.json"}).exitCode, 2);
    EXPECT_EQ(Run({"--report", kExamples + "/demo.json", "--out", In("r.doc")}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(In("r.doc")));
    EXPECT_EQ(Run({"--report", In("missing.pmx"), "--out", In("r.pdf")}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(In("r.pdf")));
    EXPECT_EQ(Run({"--report", kExamples + "/demo.json", "--batch", kExamples + "/demo.json"}).exitCode, 2);
}
}  // namespace
