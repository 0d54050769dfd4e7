#include <gtest/gtest.h>

#include <cstdio>

#include <QFile>
#include <QTemporaryDir>

#include "CaseBuilder.h"
#include "CliRunner.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "support/ScriptedPrompt.h"

TEST(InfoCommand, PrintsTheCaseTreeAndResults) {
    QTemporaryDir dir;
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSmallCase(doc, true);
    const QString path = dir.filePath("small.pmx");
    ASSERT_TRUE(doc.SaveCase(path.toStdString()));

    const CliResult r = RunPlumex({"--info", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Version tag:    Plumex2.00"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("with risers"), std::string::npos);
    EXPECT_NE(r.out.find("Outfall \"Outfall_1\""), std::string::npos);
    EXPECT_NE(r.out.find("Riser \"Riser2\""), std::string::npos);
    EXPECT_NE(r.out.find("Jet \"Jet2\""), std::string::npos);
    // The stop reason is not part of the case file; steps and dilution are.
    EXPECT_NE(r.out.find("results: 3 steps, 3 disks, dilution at last disk 21.00, computed alone"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Ambient profile (2 rows)"), std::string::npos);
    // The merge option of the case, as it was saved.
    EXPECT_NE(r.out.find("Merging:        neighbouring plumes merge (on)"), std::string::npos) << r.out;
}

TEST(InfoCommand, BadFileExitsNonZeroWithTheReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.pmx");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Plumex2.00");
    f.close();
    const CliResult r = RunPlumex({"--info", path});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find(path.toStdString()), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

TEST(CommandLine, HelpAndVersion) {
    const CliResult help = RunPlumex({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--info"), std::string::npos);
    const CliResult version = RunPlumex({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("plumex ", 0), 0u) << version.out;
    const CliResult wrong = RunPlumex({"--no-such-option"});
    EXPECT_NE(wrong.exitCode, 0);
}

// Jobs never need a display; the program window says plainly when there is
// none instead of failing in the window system.
TEST(CommandLine, JobsRunWithoutADisplayAndTheWindowSaysItNeedsOne) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    const CliResult help = FinishPlumex(*StartPlumex({"--help"}, env));
    EXPECT_EQ(help.exitCode, 0);
    const CliResult window = FinishPlumex(*StartPlumex({"some.pmx"}, env), 20000);
    EXPECT_EQ(window.exitCode, 2);
    EXPECT_NE(window.err.find("no display"), std::string::npos) << window.err;
    // Options without a job name no case to open.
    const CliResult noJob = FinishPlumex(*StartPlumex({"--sorted", "some.pmx"}, env));
    EXPECT_EQ(noJob.exitCode, 2);
    EXPECT_NE(noJob.err.find("need a job"), std::string::npos) << noJob.err;
}

TEST(InfoCommand, HugeValuesArePrintedWhole) {
    QTemporaryDir dir;
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSmallCase(doc, true);
    // The largest result a case keeps (its ranges are single precision):
    // 39 digits in print.
    doc.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_pDisplay->m_Disks.back().m_dDilution = 3e38;
    const QString path = dir.filePath("huge.pmx");
    ASSERT_TRUE(doc.SaveCase(path.toStdString()));

    const CliResult r = RunPlumex({"--info", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    char digits[400];
    std::snprintf(digits, sizeof digits, "dilution at last disk %.2f, computed alone\n      Jet \"Jet2\"", 3e38);
    EXPECT_NE(r.out.find(digits), std::string::npos) << r.out;
}

TEST(InfoCommand, ControlCharactersInNamesAreShownEscaped) {
    QTemporaryDir dir;
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSmallCase(doc, true);
    doc.GetOutfall(0)->m_strName = "Pipe\x1b[2J\rX";
    doc.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_strName =
        "J\x07\xc2\x9b"
        "31m";
    const QString path = dir.filePath("names.pmx");
    ASSERT_TRUE(doc.SaveCase(path.toStdString()));
    const CliResult r = RunPlumex({"--info", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Outfall \"Pipe\\x1b[2J\\x0dX\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Jet \"J\\x07\\x9b31m\""), std::string::npos) << r.out;
    for (char c : r.out) EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << int(c);
}

TEST(InfoCommand, MessagesShowControlCharactersOfFileNamesEscaped) {
    QTemporaryDir dir;
    const CliResult r = RunPlumex({"--info", dir.filePath("bad\x1b]0;title\x07.pmx")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("bad\\x1b]0;title\\x07.pmx"), std::string::npos) << r.err;
    for (char c : r.err) EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << int(c);
}
