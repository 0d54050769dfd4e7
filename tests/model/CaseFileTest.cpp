#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "CaseBuilder.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "model/CaseFile.h"
#include "support/ScriptedPrompt.h"

namespace {
struct CaseFileFixture : ::testing::Test {
    QTemporaryDir dir;
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc{app, prompt};
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    QByteArray ReadRaw(const std::string& p) const {
        QFile f(QString::fromStdString(p));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
};
}  // namespace

TEST_F(CaseFileFixture, SavedCaseIsACompoundFileHoldingTheStream) {
    BuildSmallCase(doc, true);
    const std::string path = Path("case.pmx");
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.SaveCase(path));
    EXPECT_FALSE(doc.IsModified());
    const QByteArray raw = ReadRaw(path);
    ASSERT_GE(raw.size(), 512);
    EXPECT_EQ(raw.left(8), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) << "OLE2 signature";

    std::vector<unsigned char> stream;
    std::string err;
    ASSERT_TRUE(CaseFile::Read(path, stream, err)) << err;
    EXPECT_EQ(stream, doc.SaveToBytes());

    CAppState app2;
    CCase back(app2, prompt);
    ASSERT_TRUE(back.OpenCase(path));
    EXPECT_EQ(back.GetJetCount(), 4);
    EXPECT_TRUE(prompt.Empty());
}

TEST_F(CaseFileFixture, LargeStreamsCrossTheMiniStreamBoundary) {
    BuildSmallCase(doc, true);
    CJet* j = doc.GetOutfall(0)->m_Risers[0]->m_Jets[0].get();
    j->m_pDisplay->m_Disks.resize(3000, j->m_pDisplay->m_Disks[0]);
    const std::string path = Path("big.pmx");
    ASSERT_TRUE(doc.SaveCase(path));
    CCase back(app, prompt);
    ASSERT_TRUE(back.OpenCase(path));
    EXPECT_EQ(back.GetOutfall(0)->m_Risers[0]->m_Jets[0]->GetDiskCount(), 3000);
}

TEST_F(CaseFileFixture, BareStreamIsAccepted) {
    BuildSmallCase(doc, false);
    const std::vector<unsigned char> bytes = doc.SaveToBytes();
    const std::string path = Path("bare.pmx");
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    f.close();
    CCase back(app, prompt);
    ASSERT_TRUE(back.OpenCase(path));
    EXPECT_EQ(back.GetJetCount(), 4);
}

TEST_F(CaseFileFixture, UnreadableFilesAreReportedByName) {
    const std::string junk = Path("junk.pmx");
    QFile f(QString::fromStdString(junk));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(1000, 'z'));
    f.close();
    BuildSmallCase(doc, false);
    doc.SetModifiedFlag(true);
    const std::vector<unsigned char> before = doc.SaveToBytes();
    EXPECT_FALSE(doc.OpenCase(junk));
    // The case on screen stays as it was, unsaved edits included.
    EXPECT_EQ(doc.SaveToBytes(), before);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(prompt.Entries().size(), 1u);
    EXPECT_NE(prompt.Entries()[0].text.find(junk), std::string::npos);

    EXPECT_FALSE(doc.OpenCase(Path("missing.pmx")));
    EXPECT_EQ(prompt.Entries().size(), 2u);
}

TEST_F(CaseFileFixture, TruncatedCompoundFileFailsCleanly) {
    BuildSmallCase(doc, true);
    const std::string path = Path("case.pmx");
    ASSERT_TRUE(doc.SaveCase(path));
    const QByteArray raw = ReadRaw(path);
    for (int cut : {0, 100, 511, 512, 1000, static_cast<int>(raw.size()) - 1}) {
        const std::string part = Path("part.pmx");
        QFile f(QString::fromStdString(part));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(raw.left(cut));
        f.close();
        CCase back(app, prompt);
        EXPECT_FALSE(back.OpenCase(part)) << "cut at " << cut;
        EXPECT_EQ(back.GetOutfallCount(), 0);
    }
}

TEST_F(CaseFileFixture, FailedSaveKeepsThePreviousFileAndTheModifiedFlag) {
    BuildSmallCase(doc, false);
    // A folder in place of the file: the save cannot succeed.
    const std::string path = Path("taken");
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken"));
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.SaveCase(path));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(prompt.Entries().size(), 1u);
    EXPECT_NE(prompt.Entries()[0].text.find("Unable to save"), std::string::npos);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(path)).isDir());

    // Saving over an existing case replaces it whole.
    const std::string good = Path("good.pmx");
    ASSERT_TRUE(doc.SaveCase(good));
    doc.Create(TreeLevel::Outfall);
    ASSERT_TRUE(doc.SaveCase(good));
    CCase back(app, prompt);
    ASSERT_TRUE(back.OpenCase(good));
    EXPECT_EQ(back.GetOutfallCount(), 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left behind";
}

TEST_F(CaseFileFixture, TutorialCasesAreRecognisedByTheirFolder) {
    BuildSmallCase(doc, false);
    ASSERT_TRUE(QDir(dir.path()).mkdir("Tutorial Files"));
    const std::string path = Path("Tutorial Files/t.pmx");
    ASSERT_TRUE(doc.SaveCase(path));
    CCase back(app, prompt);
    ASSERT_TRUE(back.OpenCase(path));
    EXPECT_TRUE(back.IsTutorial());
    back.ResetToNew();
    EXPECT_FALSE(back.IsTutorial()) << "a new case is no tutorial";
}

TEST_F(CaseFileFixture, OnlyRegularFilesOfACaseFileSizeAreRead) {
    std::vector<unsigned char> bytes;
    std::string err;
    // A link to an endless device, and a FIFO nobody writes to: refused at
    // once, nothing read.
    const std::string zero = Path("zero.pmx");
    ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    EXPECT_FALSE(CaseFile::Read(zero, bytes, err));
    EXPECT_NE(err.find("not a regular file"), std::string::npos) << err;
    const std::string fifo = Path("fifo.pmx");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(CaseFile::Read(fifo, bytes, err));
    EXPECT_NE(err.find("not a regular file"), std::string::npos) << err;

    // A (sparse) file larger than any case file is refused by its size.
    const std::string huge = Path("huge.pmx");
    {
        QFile f(QString::fromStdString(huge));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(static_cast<qint64>(CaseFile::kMaxFileBytes) + 1));
    }
    EXPECT_FALSE(CaseFile::Read(huge, bytes, err));
    EXPECT_NE(err.find("more than a case file may have"), std::string::npos) << err;
    EXPECT_TRUE(bytes.empty());
}

TEST_F(CaseFileFixture, ADamagedCompoundFileIsCalledSo) {
    BuildSmallCase(doc, true);
    const std::string path = Path("case.pmx");
    ASSERT_TRUE(doc.SaveCase(path));
    QByteArray raw = ReadRaw(path);
    raw.truncate(600);  // the header survives, the tables do not
    std::vector<unsigned char> bytes;
    std::string err;
    EXPECT_FALSE(CaseFile::ReadFromMemory(reinterpret_cast<const unsigned char*>(raw.constData()),
                                          static_cast<std::size_t>(raw.size()), bytes, err));
    EXPECT_EQ(err, "the compound file is damaged");
}

TEST_F(CaseFileFixture, ACaseTooLargeToReadBackIsNotSavedAndTheOldFileStays) {
    BuildSmallCase(doc, true);
    const std::string path = Path("case.pmx");
    ASSERT_TRUE(doc.SaveCase(path));
    const QByteArray before = ReadRaw(path);
    const std::vector<unsigned char> stream = doc.SaveToBytes();
    std::string err;
    // The same check the reader's cap makes, here with a small cap.
    EXPECT_FALSE(CaseFile::Write(path, stream, err, stream.size() - 1));
    EXPECT_NE(err.find("not saved"), std::string::npos) << err;
    EXPECT_EQ(ReadRaw(path), before);
    EXPECT_TRUE(CaseFile::Write(path, stream, err, stream.size())) << err;
}

TEST_F(CaseFileFixture, SavingOverADeviceIsRefused) {
    BuildSmallCase(doc, true);
    const std::string link = Path("null.pmx");
    ASSERT_EQ(::symlink("/dev/null", link.c_str()), 0);
    EXPECT_FALSE(doc.SaveCase(link));
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}
