// The report's question to the jet model program for its version is handled
// as a run is: a private folder, a time limit, and nothing it started left
// running.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <fstream>

#include "CliRunner.h"

namespace {
const QString kExamples = QString::fromUtf8(PLUMEX_EXAMPLES_DIR);

bool Alive(pid_t pid) {
    // A child the probe left behind is reaped by the system once killed.
    for (int i = 0; i < 50; ++i) {
        if (::kill(pid, 0) != 0 && errno == ESRCH) return false;
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string pidText, name, state;
        if (stat >> pidText >> name >> state && state == "Z") return false;
        QThread::msleep(100);
    }
    return true;
}
}  // namespace

TEST(ModelProbeTest, TheVersionProbeRunsInAPrivateFolderAndLeavesNothingRunning) {
    QTemporaryDir dir;
    const QString note = dir.filePath("child.txt");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PLUMEX_MODEL", PLUMEX_FAKE_MODEL);
    env.insert("PLUMEX_FAKE_VERSION_CHILD", note);
    const QString demo = dir.filePath("demo.pmx");
    ASSERT_EQ(
        FinishPlumex(*StartPlumex({"--import", kExamples + "/diffuser.json", "--out", demo}, env, dir.path())).exitCode,
        0);
    const CliResult r =
        FinishPlumex(*StartPlumex({"--report", demo, "--out", dir.filePath("r.html")}, env, dir.path()), 120000);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(QFile(dir.filePath("r.html")).open(QIODevice::ReadOnly));

    std::ifstream in(note.toStdString());
    int pid = 0;
    std::string folder;
    ASSERT_TRUE(in >> pid) << "the stand-in was asked for its version";
    std::getline(in, folder);
    std::getline(in, folder);
    EXPECT_FALSE(Alive(pid)) << "the probe's child " << pid << " is still running";
    if (pid > 0) ::kill(pid, SIGKILL);
    EXPECT_NE(QDir(QString::fromStdString(folder)).canonicalPath(), QDir(dir.path()).canonicalPath())
        << "the probe ran in the user's folder";
    EXPECT_FALSE(QDir(QString::fromStdString(folder)).exists()) << "its private folder is gone";
}
