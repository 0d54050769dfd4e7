// Continuous mode and the step limit survive save and reopen in their own
// stream, while the case stream stays what readers of the case stream know.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "CaseBuilder.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "model/CaseFile.h"
#include "model/RunOptions.h"
#include "support/ScriptedPrompt.h"

namespace {
struct RunOptionsFile : ::testing::Test {
    QTemporaryDir dir;
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc{app, prompt};
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
};
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
