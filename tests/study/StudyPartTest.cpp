// Slices of a study and the merging of their results files.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "study/StudyPart.h"
#include "study/StudyRecord.h"

namespace {
StudyPartInfo Info(int part, int parts, std::size_t total, const std::string& caseSum = std::string(64, 'a')) {
    StudyPartInfo i;
    i.m_strCaseSum = caseSum;
    i.m_strConditionsSum = std::string(64, 'b');
    i.m_nPart = part;
    i.m_nParts = parts;
    i.m_nTotal = total;
    std::size_t first = 0, end = 0;
    SliceOf(total, part, parts, first, end);
    i.m_nFirst = first;
    i.m_nCount = end - first;
    return i;
}

// A results file of the slice with one row per condition "c<index>".
std::string WritePart(const QTemporaryDir& dir, const StudyPartInfo& info, const std::string& name) {
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream out(path, std::ios::binary);
    out << PartHeaderLine(info) << "\n" << StudyRecordHeader() << "\n";
    for (std::size_t i = info.m_nFirst; i < info.m_nFirst + info.m_nCount; ++i)
        out << "c" << i << ",(all jets),1,trap,2,3,4,5,done,1\n";
    return path;
}

bool Merge(const std::vector<std::string>& paths, std::string& text, std::string& error) {
    text.clear();
    return MergeStudyParts(
        paths, [&text](const std::string& l) { text += l + "\n"; }, error);
}
}  // namespace

TEST(StudyPart, SlicesCoverEveryConditionOnce) {
    for (std::size_t total : {0u, 1u, 7u, 12u, 1000u}) {
        for (int k : {1, 2, 3, 5, 13}) {
            std::size_t next = 0;
            for (int i = 1; i <= k; ++i) {
                std::size_t first = 0, end = 0;
                SliceOf(total, i, k, first, end);
                EXPECT_EQ(first, next);
                EXPECT_LE(end - first, total / k + 1);
                next = end;
            }
            EXPECT_EQ(next, total);
        }
    }
    int i = 0, k = 0;
    EXPECT_TRUE(ParsePartSpec("2/3", i, k));
    EXPECT_EQ(i, 2);
    EXPECT_EQ(k, 3);
    for (const char* bad : {"0/3", "4/3", "1/0", "1", "1/2x", "a/b", "-1/2"}) EXPECT_FALSE(ParsePartSpec(bad, i, k));
}

TEST(StudyPart, HeaderLineSaysWhereThePartCameFrom) {
    const StudyPartInfo info = Info(2, 3, 12);
    StudyPartInfo back;
    ASSERT_TRUE(ParsePartHeaderLine(PartHeaderLine(info), back));
    EXPECT_EQ(back.m_nPart, 2);
    EXPECT_EQ(back.m_nParts, 3);
    EXPECT_EQ(back.m_nFirst, 4u);
    EXPECT_EQ(back.m_nCount, 4u);
    EXPECT_EQ(back.m_strCaseSum, info.m_strCaseSum);
    // A slice that does not match its part number is not believed.
    StudyPartInfo wrong = info;
    wrong.m_nFirst = 3;
    EXPECT_FALSE(ParsePartHeaderLine(PartHeaderLine(wrong), back));
    EXPECT_FALSE(ParsePartHeaderLine("condition,jet", back));
}

TEST(StudyPart, MergedPartsEqualTheWholeInAnyOrder) {
    QTemporaryDir dir;
    const std::string whole = WritePart(dir, Info(1, 1, 7), "whole.csv");
    const std::string p1 = WritePart(dir, Info(1, 3, 7), "p1.csv");
    const std::string p2 = WritePart(dir, Info(2, 3, 7), "p2.csv");
    const std::string p3 = WritePart(dir, Info(3, 3, 7), "p3.csv");
    std::ifstream in(whole, std::ios::binary);
    std::stringstream expected;
    expected << in.rdbuf();
    std::string merged, error;
    ASSERT_TRUE(Merge({p3, p1, p2}, merged, error)) << error;
    EXPECT_EQ(merged, expected.str());
}

TEST(StudyPart, RefusesPartsThatDoNotBelongTogether) {
    QTemporaryDir dir;
    const std::string p1 = WritePart(dir, Info(1, 2, 6), "p1.csv");
    const std::string p2 = WritePart(dir, Info(2, 2, 6), "p2.csv");
    const std::string other = WritePart(dir, Info(2, 2, 6, std::string(64, 'c')), "other.csv");
    const std::string three = WritePart(dir, Info(2, 3, 6), "three.csv");
    std::string merged, error;
    EXPECT_FALSE(Merge({p1, other}, merged, error));
    EXPECT_NE(error.find("another case file"), std::string::npos) << error;
    EXPECT_FALSE(Merge({p1, p1, p2}, merged, error));
    EXPECT_NE(error.find("part 1 given twice"), std::string::npos) << error;
    EXPECT_FALSE(Merge({p2}, merged, error));
    EXPECT_NE(error.find("missing part(s) 1 of 2"), std::string::npos) << error;
    EXPECT_FALSE(Merge({p1, three}, merged, error));
    EXPECT_NE(error.find("a part of 3"), std::string::npos) << error;

    StudyPartInfo otherConditions = Info(2, 2, 6);
    otherConditions.m_strConditionsSum = std::string(64, 'd');
    const std::string oc = WritePart(dir, otherConditions, "oc.csv");
    EXPECT_FALSE(Merge({p1, oc}, merged, error));
    EXPECT_NE(error.find("another conditions file"), std::string::npos) << error;

    // A part that lost a condition's rows.
    const std::string cut = dir.filePath("cut.csv").toStdString();
    {
        std::ifstream in(p2, std::ios::binary);
        std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream out(cut, std::ios::binary);
        out << all.substr(0, all.rfind("c5,"));
    }
    EXPECT_FALSE(Merge({p1, cut}, merged, error));
    EXPECT_NE(error.find("holds 2 conditions where its slice has 3"), std::string::npos) << error;
}
