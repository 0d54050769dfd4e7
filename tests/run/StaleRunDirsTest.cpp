// Working directories left by killed runs are removed at the next start;
// those of running programs, other names and links are left alone.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "run/StaleRunDirs.h"

namespace {
// The id of a process that has ended.
pid_t DeadProcess() {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return pid;
}
}  // namespace

TEST(StaleRunDirs, OnlyDirectoriesOfEndedRunsAreRemoved) {
    QTemporaryDir base;
    QDir b(base.path());
    const QString dead = QString("plumex-run-%1-abc123").arg(DeadProcess());
    const QString alive = QString("plumex-run-%1-def456").arg(::getppid());
    ASSERT_TRUE(b.mkpath(dead + "/inner"));
    QFile f(b.filePath(dead + "/inner/Plxdata"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    ASSERT_TRUE(b.mkdir(alive));
    ASSERT_TRUE(b.mkdir("plumex-run-XYZ123"));  // the old pattern without an id
    ASSERT_TRUE(b.mkdir("other-1-x"));
    // A link named like a dead run points to a folder that must survive.
    QTemporaryDir elsewhere;
    const QString link = QString("plumex-run-%1-lnk000").arg(DeadProcess());
    ASSERT_EQ(::symlink(elsewhere.path().toLocal8Bit().constData(), b.filePath(link).toLocal8Bit().constData()), 0);

    EXPECT_EQ(RemoveStaleRunDirs(base.path().toStdString()), 1);
    EXPECT_FALSE(b.exists(dead));
    EXPECT_TRUE(b.exists(alive));
    EXPECT_TRUE(b.exists("plumex-run-XYZ123"));
    EXPECT_TRUE(b.exists("other-1-x"));
    EXPECT_TRUE(QDir(elsewhere.path()).exists());
}

TEST(StaleRunDirs, NewDirectoriesCarryTheProcessId) {
    const std::string t = RunDirTemplate("/base");
    EXPECT_EQ(t, "/base/plumex-run-" + std::to_string(::getpid()) + "-XXXXXX");
}
