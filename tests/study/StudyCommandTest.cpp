// plumex --study and --merge-study end to end with the real jet model:
// parts merged equal a single run byte for byte, a refused conditions file
// names its line, and a study killed half way leaves no results file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

#include "CliRunner.h"

namespace {
QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString kCase = PLUMEX_EXAMPLES_DIR "/demo.json";
const QString kConditions = PLUMEX_EXAMPLES_DIR "/conditions.csv";
}  // namespace

TEST(StudyCommand, PartsMergeIntoTheSingleRunsFilesByteForByte) {
    QTemporaryDir dir;
    const QString whole = dir.filePath("whole.csv"), wholeSummary = dir.filePath("whole.txt");
    const CliResult single = RunPlumex(
        {"--study", kCase, "--conditions", kConditions, "--out", whole, "--summary", wholeSummary, "--jobs", "1"});
    ASSERT_EQ(single.exitCode, 0) << single.err;
    EXPECT_NE(single.out.find("(all jets),12,"), std::string::npos) << single.out;
    QStringList parts;
    for (int i = 1; i <= 3; ++i) {
        parts << dir.filePath(QString("part%1.csv").arg(i));
        const CliResult r = RunPlumex({"--study", kCase, "--conditions", kConditions, "--out", parts.last(), "--part",
                                       QString("%1/3").arg(i), "--jobs", "2"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(Bytes(parts.last()).startsWith("# plumex-study case="));
    }
    const QString merged = dir.filePath("merged.csv"), mergedSummary = dir.filePath("merged.txt");
    const CliResult m =
        RunPlumex(QStringList{"--merge-study", merged, parts[2], parts[0], parts[1], "--summary", mergedSummary});
    ASSERT_EQ(m.exitCode, 0) << m.err;
    EXPECT_EQ(Bytes(merged), Bytes(whole));
    EXPECT_EQ(Bytes(mergedSummary), Bytes(wholeSummary));
    EXPECT_FALSE(Bytes(whole).isEmpty());

    // A missing part is refused and writes nothing.
    const QString refused = dir.filePath("refused.csv");
    const CliResult missing = RunPlumex({"--merge-study", refused, parts[0], parts[2]});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("missing part(s) 2 of 3"), std::string::npos) << missing.err;
    EXPECT_FALSE(QFile::exists(refused));
}

TEST(StudyCommand, RefusedFileAndSkippedConditionsAreReported) {
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.csv");
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("condition,depth,salinity,temperature,current\na,0,33,20,0.1\na,-5,33,20,0.1\n");
    }
    const QString out = dir.filePath("out.csv");
    CliResult r = RunPlumex({"--study", kCase, "--conditions", bad, "--out", out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("bad.csv: line 3: depth: negative (-5)"), std::string::npos) << r.err;
    EXPECT_FALSE(QFile::exists(out));

    const QString mixed = dir.filePath("mixed.csv");
    {
        QFile f(mixed);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Bytes(kConditions) + "late,0,33,20,-0.1,,,1\n");
    }
    r = RunPlumex({"--study", kCase, "--conditions", mixed, "--out", out, "--jobs", "2"});
    EXPECT_EQ(r.exitCode, 4) << r.err;
    EXPECT_NE(r.err.find("line 86: condition \"late\" skipped: current:"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("# 13 conditions: 12 computed, 1 skipped, 0 not computed"), std::string::npos) << r.out;
    EXPECT_TRUE(QFile::exists(out));

    r = RunPlumex({"--study", kCase, "--conditions", kConditions, "--out", out, "--part", "3/2"});
    EXPECT_EQ(r.exitCode, 2);
}

TEST(StudyCommand, AStudyKilledHalfWayLeavesNoResultsFile) {
    QTemporaryDir dir;
    const QString many = dir.filePath("many.csv");
    {
        QFile f(many);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray text = "condition,depth,salinity,temperature,current\n";
        for (int i = 0; i < 3000; ++i)
            text += QByteArray("c") + QByteArray::number(i) + ",0,33,20,0.1\nc" + QByteArray::number(i) +
                    ",30,34.6,13,0.05\n";
        f.write(text);
    }
    for (int sig : {SIGTERM, SIGKILL}) {
        const QString out = dir.filePath(QString("out%1.csv").arg(sig));
        auto p = StartPlumex({"--study", kCase, "--conditions", many, "--out", out, "--jobs", "2"});
        ASSERT_TRUE(p->waitForStarted());
        QThread::msleep(1500);
        ASSERT_EQ(p->state(), QProcess::Running) << "the study ended before it was stopped";
        ::kill(static_cast<pid_t>(p->processId()), sig);
        const CliResult r = FinishPlumex(*p);
        if (sig == SIGTERM) {
            EXPECT_EQ(r.exitCode, 130) << r.err;
            EXPECT_NE(r.err.find("study interrupted"), std::string::npos) << r.err;
            // Nothing left beside it either.
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1)
                << QDir(dir.path()).entryList().join(" ").toStdString();
        }
        EXPECT_FALSE(QFile::exists(out));
    }
}
