// The run options (continuous mode, the step limit, the merging of
// neighbouring plumes) survive save and reopen in their own stream, while
// the case stream stays what readers of the case stream know; the text form
// keeps them too. A case that does not say otherwise merges.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "CaseBuilder.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "model/CaseFile.h"
#include "model/CaseJson.h"
#include "model/RunOptions.h"
#include "support/ScriptedPrompt.h"

namespace {
struct RunOptionsFile : ::testing::Test {
    QTemporaryDir dir;
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc{app, prompt};
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    // The case as a file whose run options stream holds text.
    std::string FileWithRunOptions(const std::string& text) {
        const std::string path = Path("options.pmx");
        CaseFile::SideStreams side;
        side.m_strRunOptions = text;
        std::string error;
        EXPECT_TRUE(CaseFile::Write(path, doc.SaveToBytes(), error, CaseFile::kMaxStreamBytes, &side)) << error;
        return path;
    }
    bool ReadJson(const std::string& text, CCase& into, std::vector<CaseJsonProblem>& problems) {
        problems.clear();
        return ReadCaseJson(text, into, problems);
    }
};

// The text with the first occurrence of from replaced by to.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}
}  // namespace

TEST_F(RunOptionsFile, ContinuousModeAndStepLimitComeBackAndTheCaseStreamIsUnchanged) {
    BuildSmallCase(doc, true);
    doc.SetRunOptions(RunOptions{true, 200});
    const std::string path = Path("case.pmx");
    ASSERT_TRUE(doc.SaveCase(path));

    std::vector<unsigned char> contents;
    std::string error;
    CaseFile::SideStreams side;
    ASSERT_TRUE(CaseFile::Read(path, contents, error, &side)) << error;
    EXPECT_EQ(contents, doc.SaveToBytes());
    EXPECT_FALSE(side.m_strRunOptions.empty());

    CCase reopened(app, prompt);
    ASSERT_TRUE(reopened.OpenCase(path)) << prompt.Texts().back();
    EXPECT_TRUE(reopened.IsContinuous());
    EXPECT_EQ(reopened.MaxTimeSteps(), 200);
    EXPECT_FALSE(reopened.IsModified());
}

TEST_F(RunOptionsFile, AFileWithoutRunOptionsOpensWithTheDefaults) {
    BuildSmallCase(doc, true);
    const std::string path = Path("old.pmx");
    std::string error;
    ASSERT_TRUE(CaseFile::Write(path, doc.SaveToBytes(), error)) << error;
    CCase reopened(app, prompt);
    reopened.SetRunOptions(RunOptions{true, 7});
    ASSERT_TRUE(reopened.OpenCase(path));
    EXPECT_FALSE(reopened.IsContinuous());
    EXPECT_EQ(reopened.MaxTimeSteps(), RunOptions::kDefaultTimeSteps);
}

TEST_F(RunOptionsFile, DamagedRunOptionsAreRefusedNamingTheFieldAndTheOpenCaseStays) {
    BuildSmallCase(doc, true);
    const std::vector<unsigned char> bytes = doc.SaveToBytes();
    CCase open(app, prompt);
    BuildSmallCase(open, false);
    const std::vector<unsigned char> before = open.SaveToBytes();
    const struct {
        const char* text;
        const char* field;
    } damaged[] = {{"continuous 2\n", "continuous"},
                   {"max_time_steps 0\n", "max_time_steps"},
                   {"max_time_steps 5001\n", "max_time_steps"},
                   {"max_time_steps 12abc\n", "max_time_steps"},
                   {"max_time_steps\n", "max_time_steps"}};
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.text);
        CaseFile::SideStreams side;
        side.m_strRunOptions = d.text;
        std::string error;
        const std::string path = Path("damaged.pmx");
        ASSERT_TRUE(CaseFile::Write(path, bytes, error, CaseFile::kMaxStreamBytes, &side)) << error;
        prompt.Clear();
        EXPECT_FALSE(open.OpenCase(path));
        ASSERT_EQ(prompt.Texts().size(), 1u);
        EXPECT_NE(prompt.Texts()[0].find(d.field), std::string::npos) << prompt.Texts()[0];
        EXPECT_EQ(open.SaveToBytes(), before);
    }
}

TEST(RunOptionsText, ReadsWhatItWritesAndPassesOverNamesItDoesNotKnow) {
    RunOptions written;
    written.m_bContinuous = true;
    written.m_nMaxTimeSteps = 4999;
    RunOptions read;
    std::string error;
    ASSERT_TRUE(ParseRunOptions(FormatRunOptions(written), read, error)) << error;
    EXPECT_TRUE(read.m_bContinuous);
    EXPECT_EQ(read.m_nMaxTimeSteps, 4999);

    RunOptions later;
    ASSERT_TRUE(ParseRunOptions("merge_plumes 1\r\ncontinuous 1\r\n", later, error)) << error;
    EXPECT_TRUE(later.m_bContinuous);
    EXPECT_EQ(later.m_nMaxTimeSteps, RunOptions::kDefaultTimeSteps);
}

TEST(RunOptionsText, MergingWrittenAsALineAndReadBackOnWhenTheLineIsMissing) {
    RunOptions off;
    off.m_bMergePlumes = false;
    const std::string text = FormatRunOptions(off);
    EXPECT_NE(text.find("\nmerge 0\n"), std::string::npos) << text;
    RunOptions read;
    std::string error;
    ASSERT_TRUE(ParseRunOptions(text, read, error)) << error;
    EXPECT_FALSE(read.m_bMergePlumes);
    ASSERT_TRUE(ParseRunOptions("merge 1\r\n", read, error)) << error;
    EXPECT_TRUE(read.m_bMergePlumes);

    // A stream written before the option was kept merges.
    RunOptions old;
    ASSERT_TRUE(ParseRunOptions("continuous 1\nmax_time_steps 20\n", old, error)) << error;
    EXPECT_TRUE(old.m_bMergePlumes);
    EXPECT_NE(FormatRunOptions(RunOptions()).find("merge 1\n"), std::string::npos);
}

TEST(RunOptionsText, MergingAnythingButZeroOrOneIsRefusedAndChangesNothing) {
    for (const char* bad : {"merge 2\n", "merge\n", "merge true\n", "merge 01\n"}) {
        SCOPED_TRACE(bad);
        RunOptions options;
        options.m_bMergePlumes = false;
        options.m_nMaxTimeSteps = 9;
        std::string error;
        EXPECT_FALSE(ParseRunOptions(std::string("max_time_steps 30\n") + bad, options, error));
        EXPECT_NE(error.find("merge"), std::string::npos) << error;
        EXPECT_FALSE(options.m_bMergePlumes);
        EXPECT_EQ(options.m_nMaxTimeSteps, 9);
    }
}

TEST_F(RunOptionsFile, MergingTheCaseFileKeepsItBesideTheCaseStream) {
    BuildSmallCase(doc, true);
    EXPECT_TRUE(doc.MergesPlumes());
    doc.SetRunOptions(RunOptions{true, doc.MaxTimeSteps(), false});
    const std::string path = Path("case.pmx");
    ASSERT_TRUE(doc.SaveCase(path));
    CCase reopened(app, prompt);
    ASSERT_TRUE(reopened.OpenCase(path)) << prompt.Texts().back();
    EXPECT_FALSE(reopened.MergesPlumes());
    EXPECT_TRUE(reopened.IsContinuous());

    reopened.SetRunOptions(RunOptions{reopened.IsContinuous(), reopened.MaxTimeSteps(), true});
    ASSERT_TRUE(reopened.SaveCase(path));
    CCase again(app, prompt);
    again.SetRunOptions(RunOptions{again.IsContinuous(), again.MaxTimeSteps(), false});
    ASSERT_TRUE(again.OpenCase(path));
    EXPECT_TRUE(again.MergesPlumes());
}

TEST_F(RunOptionsFile, MergingOlderCaseFilesOpenWithMergingOnAndDamagedLinesAreRefused) {
    BuildSmallCase(doc, false);
    CCase open(app, prompt);
    open.SetRunOptions(RunOptions{open.IsContinuous(), open.MaxTimeSteps(), false});
    ASSERT_TRUE(open.OpenCase(FileWithRunOptions("continuous 0\nmax_time_steps 1500\n")));
    EXPECT_TRUE(open.MergesPlumes());

    open.SetRunOptions(RunOptions{open.IsContinuous(), open.MaxTimeSteps(), false});
    ASSERT_TRUE(open.OpenCase(FileWithRunOptions("")));
    EXPECT_TRUE(open.MergesPlumes());

    open.SetRunOptions(RunOptions{open.IsContinuous(), open.MaxTimeSteps(), false});
    prompt.Clear();
    EXPECT_FALSE(open.OpenCase(FileWithRunOptions("merge yes\n")));
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_NE(prompt.Texts()[0].find("merge"), std::string::npos) << prompt.Texts()[0];
    EXPECT_FALSE(open.MergesPlumes());
}

TEST_F(RunOptionsFile, MergingTheTextFormKeepsItAndReadsItsAbsenceAsOn) {
    BuildSmallCase(doc, false);
    doc.SetRunOptions(RunOptions{doc.IsContinuous(), doc.MaxTimeSteps(), false});
    const std::string text = WriteCaseJson(doc);
    EXPECT_NE(text.find("\"merge_plumes\": false"), std::string::npos) << text;
    std::vector<CaseJsonProblem> problems;
    CCase read(app, prompt);
    ASSERT_TRUE(ReadJson(text, read, problems)) << problems[0].m_strPath << ": " << problems[0].m_strMessage;
    EXPECT_FALSE(read.MergesPlumes());
    EXPECT_EQ(WriteCaseJson(read), text);

    ASSERT_TRUE(ReadJson(Replaced(text, "\"merge_plumes\": false", "\"merge_plumes\": true"), read, problems));
    EXPECT_TRUE(read.MergesPlumes());

    // Without the key, and without the whole run object.
    read.SetRunOptions(RunOptions{read.IsContinuous(), read.MaxTimeSteps(), false});
    ASSERT_TRUE(ReadJson(Replaced(text, ",\n        \"merge_plumes\": false", ""), read, problems))
        << problems[0].m_strPath;
    EXPECT_TRUE(read.MergesPlumes());
    const std::size_t run = text.find("\"run\"");
    ASSERT_NE(run, std::string::npos);
    const std::string noRun = text.substr(0, run) + text.substr(text.find('}', run) + 3);
    read.SetRunOptions(RunOptions{read.IsContinuous(), read.MaxTimeSteps(), false});
    ASSERT_TRUE(ReadJson(noRun, read, problems)) << noRun;
    EXPECT_TRUE(read.MergesPlumes());

    EXPECT_FALSE(ReadJson(Replaced(text, "\"merge_plumes\": false", "\"merge_plumes\": 0"), read, problems));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].m_strPath, "run.merge_plumes");
}
