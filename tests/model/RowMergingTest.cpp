// The merging of the jets' rows of ports: its text, and how the case file
// keeps it beside the case stream without changing the case stream or the
// file of a case that has no rows.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <clocale>

#include "CaseBuilder.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "model/CaseFile.h"
#include "model/RowMergingStream.h"
#include "support/ScriptedPrompt.h"

namespace {
CRowMerging MergedRow(double z, double dilution) {
    CRowMerging r;
    r.m_nPorts = 4;
    r.m_dSpacing = 2.5;
    r.m_dAxisDeg = 90.0;
    r.m_bMerged = true;
    r.m_dArc = z + 0.4321;
    r.m_dX = 0.1 + z / 7.0;  // digits a short format would lose
    r.m_dZ = z;
    r.m_dDilution = dilution;
    r.m_dHalfWidth = 1.75;
    r.m_dHalfLength = 5.5;
    return r;
}

struct RowMergingFixture : ::testing::Test {
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
    std::vector<CJet*> Jets(CCase& c) {
        std::vector<CJet*> jets;
        c.ForEachJet([&jets](int, int, int, CRiser&, CBase&, CJet& j) { jets.push_back(&j); });
        return jets;
    }
    // The small case computed in one row of its four ports: the first three
    // jets merged at different heights, the last did not merge.
    void BuildRowCase() {
        BuildSmallCase(doc, true);
        const std::vector<CJet*> jets = Jets(doc);
        for (std::size_t k = 0; k < jets.size(); ++k) {
            jets[k]->m_KeyParams.m_nPorts = 4;
            jets[k]->m_KeyParams.m_Row = MergedRow(3.0 + 0.25 * k, 40.0 + k);
        }
        jets[3]->m_KeyParams.m_Row.m_bMerged = false;
    }
};

}  // namespace

TEST(RowMergingText, SaysWhereThePlumesMergeWithADecimalPointUnderAnyLocale) {
    EXPECT_EQ(RowMergingText(CRowMerging{}), "computed alone");
    CRowMerging r = MergedRow(3.204, 41.04);
    r.m_nPorts = 6;
    const std::string old = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_ALL, name)) break;
    const std::string merged = RowMergingText(r);
    r.m_bMerged = false;
    const std::string apart = RowMergingText(r);
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_EQ(merged, "row of 6 ports, plumes merge 3.20 m above the port at dilution 41.0");
    EXPECT_EQ(apart, "row of 6 ports, plumes do not merge");
}

TEST_F(RowMergingFixture, TheCaseFileKeepsTheRowsExactlyAndTheCaseStreamUnchanged) {
    BuildRowCase();
    const std::vector<unsigned char> stream = doc.SaveToBytes();
    const std::string path = Path("rows.pmx");
    ASSERT_TRUE(doc.SaveCase(path));

    // The case stream is the one a case without rows has: the rows are not in it.
    CCase plain(app, prompt);
    BuildSmallCase(plain, true);
    for (CJet* j : Jets(plain)) j->m_KeyParams.m_nPorts = 4;
    EXPECT_EQ(plain.SaveToBytes(), stream);
    std::vector<unsigned char> read;
    CaseFile::SideStreams side;
    std::string error;
    ASSERT_TRUE(CaseFile::Read(path, read, error, &side)) << error;
    EXPECT_EQ(read, stream);
    EXPECT_FALSE(side.m_strRowMerging.empty());

    // Every value comes back exactly (the text holds each double's shortest
    // exact form).
    CCase back(app, prompt);
    ASSERT_TRUE(back.OpenCase(path));
    EXPECT_TRUE(prompt.Empty());
    EXPECT_EQ(FormatRowMergingStream(back), FormatRowMergingStream(doc));
    EXPECT_EQ(Jets(back)[2]->m_KeyParams.m_Row.m_dX, Jets(doc)[2]->m_KeyParams.m_Row.m_dX);
    EXPECT_FALSE(Jets(back)[3]->m_KeyParams.m_Row.m_bMerged);
    // Opened and written back (opening places the jets and takes their
    // value ranges afresh once), the file stays the same to the byte.
    const std::string once = Path("once.pmx"), twice = Path("twice.pmx");
    ASSERT_TRUE(back.SaveCase(once));
    CCase again(app, prompt);
    ASSERT_TRUE(again.OpenCase(once));
    ASSERT_TRUE(again.SaveCase(twice));
    EXPECT_EQ(ReadRaw(twice), ReadRaw(once));
    for (CJet* j : Jets(again)) EXPECT_TRUE(j->m_KeyParams.m_Row.HasRow());
}

TEST_F(RowMergingFixture, ACaseWithoutRowsWritesNoStreamAndItsFileComesBackByteForByte) {
    BuildSmallCase(doc, true);
    // The case as the program leaves it after opening it once.
    ASSERT_TRUE(doc.SaveCase(Path("first.pmx")));
    CCase opened(app, prompt);
    ASSERT_TRUE(opened.OpenCase(Path("first.pmx")));
    const std::string path = Path("plain.pmx");
    ASSERT_TRUE(opened.SaveCase(path));
    std::vector<unsigned char> read;
    CaseFile::SideStreams side;
    std::string error;
    ASSERT_TRUE(CaseFile::Read(path, read, error, &side)) << error;
    EXPECT_TRUE(side.m_strRowMerging.empty());
    EXPECT_FALSE(side.m_strRunOptions.empty());
    // The same file as one written with only the streams kept before rows were.
    CaseFile::SideStreams before;
    before.m_strRunOptions = side.m_strRunOptions;
    const std::string old = Path("old.pmx");
    ASSERT_TRUE(CaseFile::Write(old, read, error, CaseFile::kMaxStreamBytes, &before)) << error;
    EXPECT_EQ(ReadRaw(path), ReadRaw(old));

    CCase back(app, prompt);
    ASSERT_TRUE(back.OpenCase(old));
    for (CJet* j : Jets(back)) EXPECT_FALSE(j->m_KeyParams.m_Row.HasRow());
    const std::string again = Path("again.pmx");
    ASSERT_TRUE(back.SaveCase(again));
    EXPECT_EQ(ReadRaw(again), ReadRaw(old));
}

TEST_F(RowMergingFixture, LinesThatDoNotFitTheirJetArePassedOver) {
    BuildRowCase();
    const std::string text = FormatRowMergingStream(doc);
    ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << text;

    CCase other(app, prompt);
    BuildSmallCase(other, true);
    for (CJet* j : Jets(other)) j->m_KeyParams.m_nPorts = 4;
    Jets(other)[1]->m_KeyParams.m_nPorts = 5;  // results of another row
    Jets(other)[2]->m_KeyParams.m_nSteps = 0;  // no results
    const std::string extra =
        "jet 9 ports 4 spacing 1 axis 0 merged 0\n"  // no such jet
        "jet 3 ports 4 spacing x axis 0 merged 0\n"  // a broken number
        "jet -1 ports 4\n"
        "row 0 ports 4\n"
        "jet 0 ports 4 merged 2\n"
        "jet 0 spacing 3\n";  // no port count
    EXPECT_EQ(ApplyRowMergingStream(extra, other), 0);
    for (CJet* j : Jets(other)) EXPECT_FALSE(j->m_KeyParams.m_Row.HasRow());

    // A later program's names are passed over; the rest of the line stands.
    std::string later = text;
    later.insert(later.find(" merged"), " colour blue");
    EXPECT_EQ(ApplyRowMergingStream(later, other), 2);
    EXPECT_EQ(Jets(other)[0]->m_KeyParams.m_Row.m_dZ, Jets(doc)[0]->m_KeyParams.m_Row.m_dZ);
    EXPECT_FALSE(Jets(other)[1]->m_KeyParams.m_Row.HasRow());
    EXPECT_FALSE(Jets(other)[2]->m_KeyParams.m_Row.HasRow());
    EXPECT_TRUE(Jets(other)[3]->m_KeyParams.m_Row.HasRow());
}
