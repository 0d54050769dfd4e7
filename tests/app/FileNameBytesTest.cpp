// File names are bytes on Linux: a name that is not UTF-8 reaches the
// system as it was given, whatever job takes it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CliRunner.h"

namespace {
const QString kExamples = QString::fromUtf8(PLUMEX_EXAMPLES_DIR);

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

struct RawResult {
    int exitCode = -1;
    std::string out, err;
};

// Runs plumex with its arguments as the given bytes (QProcess would pass
// them as UTF-8 text), standard output and error into files of dir.
RawResult RunRaw(const std::vector<std::string>& args, const std::string& dir) {
    const std::string out = dir + "/stdout.txt", err = dir + "/stderr.txt";
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr)) _exit(127);
        std::vector<char*> argv{const_cast<char*>(PLUMEX_EXE)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::setenv("PLUMEX_MODEL", PLUMEX_FAKE_MODEL, 1);
        ::execv(PLUMEX_EXE, argv.data());
        _exit(127);
    }
    int status = 0;
    RawResult r;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
    r.out = ReadFile(out);
    r.err = ReadFile(err);
    return r;
}
}  // namespace

TEST(FileNameBytesTest, NamesThatAreNotUtf8ReachTheSystemAsGiven) {
    QTemporaryDir tmp;
    const std::string dir = tmp.path().toStdString();
    const std::string latin1Case = dir + "/d\xe9mo.pmx";  // "démo" in Latin-1: no UTF-8
    RawResult r = RunRaw({"--import", (kExamples + "/diffuser.json").toStdString(), "--out", latin1Case}, dir);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Exists(latin1Case));
    EXPECT_NE(r.out.find("d\xe9mo.pmx"), std::string::npos) << "the name is printed as given";

    r = RunRaw({"--info", latin1Case}, dir);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err.find("No such file"), std::string::npos) << r.err;

    const std::string latin1Json = dir + "/caf\xe9.json";
    r = RunRaw({"--export", latin1Case, "--out", latin1Json}, dir);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Exists(latin1Json));
    EXPECT_FALSE(Exists(dir + "/caf\xef\xbf\xbd.json")) << "no replacement character in the name";
    EXPECT_NE(ReadFile(latin1Json).find("\"format\": \"plumex-case\""), std::string::npos);

    // The check of a job's own input sees the same file under the same bytes.
    r = RunRaw({"--batch", latin1Json, "--out", latin1Json}, dir);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("names the case the job reads"), std::string::npos) << r.err;

    // A UTF-8 name still works as before.
    const std::string utf8Case = dir + "/d\xc3\xa9mo.pmx";
    ASSERT_EQ(std::rename(latin1Case.c_str(), utf8Case.c_str()), 0);
    EXPECT_EQ(RunRaw({"--info", utf8Case}, dir).exitCode, 0);
}
