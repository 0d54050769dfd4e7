// What the command-line jobs write: never success for lost data, never a
// device or the job's own input replaced, partial batch results told apart.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "CliRunner.h"

namespace {
constexpr int kTimeoutMs = 120000;
const QString kExamples = QString::fromUtf8(PLUMEX_EXAMPLES_DIR);

// A 64 KB tmpfs for one test, when the test runs as root.
struct SmallDisk {
    std::string m_strPath;
    bool m_bMounted = false;
    explicit SmallDisk(const QString& path) : m_strPath(path.toStdString()) {
        if (::geteuid() != 0) return;
        ::mkdir(m_strPath.c_str(), 0700);
        m_bMounted = ::mount("tmpfs", m_strPath.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (m_bMounted) ::umount2(m_strPath.c_str(), MNT_DETACH);
    }
};

class OutputSafetyTest : public ::testing::Test {
protected:
    CliResult Run(const QStringList& args, const QString& mode = "echo") {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PLUMEX_MODEL", PLUMEX_FAKE_MODEL);
        env.insert("PLUMEX_FAKE_MODE", mode);
        return FinishPlumex(*StartPlumex(args, env, m_dir.path()), kTimeoutMs);
    }
    // The exit status of plumex with its standard output on /dev/full.
    int RunToFullDisk(const QStringList& args) {
        QProcess p;
        p.setStandardOutputFile("/dev/full");
        p.start(PLUMEX_EXE, args);
        EXPECT_TRUE(p.waitForFinished(kTimeoutMs));
        m_strErr = p.readAllStandardError().toStdString();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    QString In(const QString& name) const { return m_dir.filePath(name); }
    void Import(const char* example, const QString& out) {
        const CliResult r = Run({"--import", kExamples + "/" + example, "--out", out});
        ASSERT_EQ(r.exitCode, 0) << r.err;
    }
    QTemporaryDir m_dir;
    std::string m_strErr;
};
}  // namespace

TEST_F(OutputSafetyTest, AStandardOutputThatCannotBeWrittenIsAFailure) {
    Import("demo.json", In("demo.pmx"));
    EXPECT_EQ(RunToFullDisk({"--export", In("demo.pmx")}), 1);
    EXPECT_NE(m_strErr.find("standard output could not be written: No space left on device"), std::string::npos)
        << m_strErr;
    EXPECT_EQ(RunToFullDisk({"--info", In("demo.pmx")}), 1);
    EXPECT_EQ(RunToFullDisk({"--help"}), 1);
}

TEST_F(OutputSafetyTest, DevicesAreNeverReplaced) {
    Import("diffuser.json", In("d.pmx"));
    const QString link = In("null.json");
    ASSERT_EQ(::symlink("/dev/null", link.toLocal8Bit().constData()), 0);
    CliResult r = Run({"--export", In("d.pmx"), "--out", link});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    EXPECT_EQ(Run({"--export", In("d.pmx"), "--out", "/dev/null"}).exitCode, 1);
    // A CSV file name taken by a device.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("csv"));
    ASSERT_EQ(::symlink("/dev/null", In("csv/disks.csv").toLocal8Bit().constData()), 0);
    r = Run({"--batch", In("d.pmx"), "--csv", In("csv")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("CSV not written"), std::string::npos) << r.err;
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    // A FIFO or a device given as the case is refused at once.
    ASSERT_EQ(::mkfifo(In("fifo.pmx").toLocal8Bit().constData(), 0600), 0);
    r = Run({"--info", In("fifo.pmx")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    ASSERT_EQ(::symlink("/dev/zero", In("zero.pmx").toLocal8Bit().constData()), 0);
    EXPECT_EQ(Run({"--info", In("zero.pmx")}).exitCode, 1);
}

TEST_F(OutputSafetyTest, AnOutputThatIsTheInputIsRefused) {
    Import("diffuser.json", In("d.pmx"));
    const std::string before = ReadFileBytes(In("d.pmx"));
    ASSERT_EQ(::link(In("d.pmx").toLocal8Bit().constData(), In("hard.pmx").toLocal8Bit().constData()), 0);
    for (const QString& out : {In("d.pmx"), In("hard.pmx"), In("./d.pmx")}) {
        const CliResult r = Run({"--export", In("d.pmx"), "--out", out});
        EXPECT_EQ(r.exitCode, 1) << out.toStdString();
        EXPECT_NE(r.err.find("names the case the job reads"), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadFileBytes(In("d.pmx")), before);

    ASSERT_TRUE(QFile::copy(kExamples + "/diffuser.json", In("a.json")));
    const std::string json = ReadFileBytes(In("a.json"));
    const CliResult r = Run({"--import", In("a.json"), "--out", In("a.json")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(ReadFileBytes(In("a.json")), json);
}

TEST_F(OutputSafetyTest, NoJobWritesOverItsOwnInput) {
    Import("diffuser.json", In("d.pmx"));
    ASSERT_EQ(Run({"--batch", In("d.pmx")}).exitCode, 0) << "in place without --out, as meant";
    const std::string before = ReadFileBytes(In("d.pmx"));
    ASSERT_EQ(::symlink(In("d.pmx").toLocal8Bit().constData(), In("link.pdf").toLocal8Bit().constData()), 0);
    ASSERT_TRUE(QFile::copy(kExamples + "/diffuser.json", In("j.json")));
    const std::string json = ReadFileBytes(In("j.json"));
    const QStringList jobs[] = {
        {"--section", In("d.pmx"), "--kind", "2", "--distance", "50", "--image", In("d.pmx")},
        {"--render", In("d.pmx"), "--image", In("./d.pmx")},
        {"--report", In("d.pmx"), "--out", In("d.pmx")},
        {"--report", In("d.pmx"), "--out", In("link.pdf")},
        {"--batch", In("d.pmx"), "--out", In("link.pdf")},
        {"--batch", In("j.json"), "--out", In("j.json")},
        {"--batch", In("d.pmx"), "--csv", m_dir.path(), "--out", In("other.pmx")},
        // A study's results or summary over its case or conditions, and a
        // merge over one of its parts.
        {"--study", In("j.json"), "--conditions", In("c.csv"), "--out", In("j.json")},
        {"--study", In("j.json"), "--conditions", In("c.csv"), "--out", In("other.pmx"), "--summary", In("c.csv")},
        {"--merge-study", In("p1.csv"), In("p1.csv"), In("p2.csv")},
    };
    ASSERT_TRUE(QFile::copy(kExamples + "/conditions.csv", In("c.csv")));
    const std::string conditions = ReadFileBytes(In("c.csv"));
    for (const char* part : {"p1.csv", "p2.csv"}) {
        QFile f(In(part));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("a part\n");
    }
    ASSERT_EQ(::symlink(In("d.pmx").toLocal8Bit().constData(), In("disks.csv").toLocal8Bit().constData()), 0);
    for (const QStringList& job : jobs) {
        const CliResult r = Run(job);
        EXPECT_EQ(r.exitCode, 1) << job.join(' ').toStdString() << "\n" << r.err;
        EXPECT_NE(r.err.find("names the case the job reads"), std::string::npos) << r.err;
        EXPECT_FALSE(QFile::exists(In("other.pmx"))) << "nothing written";
    }
    EXPECT_EQ(ReadFileBytes(In("d.pmx")), before);
    EXPECT_EQ(ReadFileBytes(In("j.json")), json);
    EXPECT_EQ(ReadFileBytes(In("c.csv")), conditions);
    EXPECT_EQ(ReadFileBytes(In("p1.csv")), "a part\n");
}

TEST_F(OutputSafetyTest, EveryWriterRefusesDevicesFifosAndWriteProtectedFiles) {
    Import("diffuser.json", In("d.pmx"));
    ASSERT_EQ(::symlink("/dev/null", In("null.html").toLocal8Bit().constData()), 0);
    ASSERT_EQ(::mkfifo(In("fifo.pdf").toLocal8Bit().constData(), 0600), 0);
    for (const QString& out : {In("null.html"), In("fifo.pdf")}) {
        const CliResult r = Run({"--report", In("d.pmx"), "--out", out});
        EXPECT_EQ(r.exitCode, 1) << out.toStdString() << r.err;
        EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    }
    struct stat st {};
    ASSERT_EQ(::stat(In("fifo.pdf").toLocal8Bit().constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO is still a FIFO";
    ASSERT_EQ(::lstat(In("null.html").toLocal8Bit().constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    // A write-protected case is not replaced by the batch job in place, nor a
    // write-protected report by the report job: one behaviour.
    ASSERT_EQ(::chmod(In("d.pmx").toLocal8Bit().constData(), 0444), 0);
    const std::string before = ReadFileBytes(In("d.pmx"));
    CliResult r = Run({"--batch", In("d.pmx")});
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_NE(r.err.find("write-protected"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFileBytes(In("d.pmx")), before);
    std::ofstream(In("old.html").toStdString()) << "old";
    ASSERT_EQ(::chmod(In("old.html").toLocal8Bit().constData(), 0444), 0);
    r = Run({"--report", In("d.pmx"), "--out", In("old.html")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("write-protected"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFileBytes(In("old.html")), "old");
}

TEST_F(OutputSafetyTest, EveryReaderOfTheTextFormRefusesDevicesAndFifos) {
    ASSERT_EQ(::symlink("/dev/zero", In("zero.json").toLocal8Bit().constData()), 0);
    ASSERT_EQ(::mkfifo(In("fifo.json").toLocal8Bit().constData(), 0600), 0);
    for (const QString& json : {In("zero.json"), In("fifo.json")}) {
        const QStringList jobs[] = {{"--import", json, "--out", In("x.pmx")},
                                    {"--batch", json, "--out", In("x.pmx")},
                                    {"--report", json, "--out", In("x.html")},
                                    {"--render", json, "--image", In("x.bmp")}};
        for (const QStringList& job : jobs) {
            const CliResult r = Run(job);
            EXPECT_EQ(r.exitCode, 1) << job.join(' ').toStdString() << r.err;
            EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
        }
    }
    EXPECT_FALSE(QFile::exists(In("x.pmx")));
}

TEST_F(OutputSafetyTest, JetsLeftWithoutResultsSayWhyAndTheReportsStatusFollowsTheBatch) {
    Import("demo.json", In("demo.pmx"));
    // The stand-in's summary ends halfway: the first jets are read, the
    // rest have no page to be read from.
    CliResult r = Run({"--batch", In("demo.pmx"), "--out", In("cut.pmx")}, "cut");
    EXPECT_EQ(r.exitCode, 4) << r.err;
    EXPECT_NE(r.out.find("not computed: the jet model's summary of this jet could not be read"), std::string::npos)
        << r.out;
    std::istringstream lines(r.out);
    int reasons = 0;
    for (std::string line; std::getline(lines, line);) {
        // A line of a jet without results never carries another jet's reason.
        if (line.find(": 0 steps") != std::string::npos) {
            EXPECT_EQ(line.find("Plume reached"), std::string::npos) << line;
        }
        reasons += line.find("could not be read") != std::string::npos;
    }
    EXPECT_GE(reasons, 1);

    r = Run({"--report", In("demo.pmx"), "--out", In("cut.html")}, "cut");
    EXPECT_EQ(r.exitCode, 4) << r.err;
    const std::string html = ReadFileBytes(In("cut.html"));
    EXPECT_NE(html.find("summary of this jet could not be read"), std::string::npos);
    EXPECT_EQ(html.find("rejected by the jet model"), std::string::npos);

    // Nothing read at all: no jet computed, the report fails as the batch.
    r = Run({"--report", In("demo.pmx"), "--out", In("none.html")}, "silent");
    EXPECT_EQ(r.exitCode, 1) << r.err;
}

TEST_F(OutputSafetyTest, ABatchWithJetsLeftUncomputedHasItsOwnExitStatus) {
    std::string text = ReadFileBytes(kExamples + "/diffuser.json");
    const std::size_t name = text.find("\"name\"", text.find("\"jets\""));
    ASSERT_NE(name, std::string::npos);
    const std::size_t open = text.find('"', name + 6);
    text.replace(open, text.find('"', open + 1) - open + 1, "\"reject\"");  // the stand-in model refuses it
    std::ofstream(In("partial.json").toStdString()) << text;
    const CliResult r = Run({"--batch", In("partial.json"), "--out", In("partial.pmx")});
    EXPECT_EQ(r.exitCode, 4) << r.err;
    EXPECT_NE(r.err.find("jets computed (exit status 4)"), std::string::npos) << r.err;
    EXPECT_TRUE(QFile::exists(In("partial.pmx"))) << "the computed jets are saved";
    EXPECT_NE(Run({"--help"}).out.find("4 --batch"), std::string::npos);
}

TEST_F(OutputSafetyTest, AFullDiskFailsTheJobAndKeepsThePreviousFiles) {
    SmallDisk disk(In("small"));
    if (!disk.m_bMounted) GTEST_SKIP() << "needs root to mount a 64 KB tmpfs";
    Import("demo.json", In("demo.pmx"));
    ASSERT_EQ(Run({"--batch", In("demo.pmx")}).exitCode, 0);
    const QStringList section = {"--section", In("demo.pmx"), "--kind", "2", "--distance", "50", "--image"};
    const CliResult fits = Run(section + QStringList{In("fits.bmp")});
    ASSERT_EQ(fits.exitCode, 0) << fits.err;
    ASSERT_GT(ReadFileBytes(In("fits.bmp")).size(), 8192u);
    const CliResult csv = Run({"--batch", In("demo.pmx"), "--csv", In("csv")});
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    ASSERT_GT(ReadFileBytes(In("csv/disks.csv")).size(), 4096u);

    // Previous files, and a filler that leaves one 4 KB page of the disk.
    std::ofstream(In("small/disks.csv").toStdString()) << "previous";
    std::ofstream(In("small/section.bmp").toStdString()) << "old picture";
    std::ofstream(In("small/filler").toStdString(), std::ios::binary) << std::string(52 * 1024, 'f');

    const CliResult r = Run({"--batch", In("demo.pmx"), "--csv", In("small")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out.find("CSV written"), std::string::npos) << r.out;
    EXPECT_EQ(ReadFileBytes(In("small/disks.csv")), "previous");
    const CliResult s = Run(section + QStringList{In("small/section.bmp")});
    EXPECT_EQ(s.exitCode, 1) << s.out;
    EXPECT_EQ(ReadFileBytes(In("small/section.bmp")), "old picture");
    EXPECT_EQ(QDir(In("small")).entryList(QDir::Files | QDir::Hidden).size(), 3) << "no temporary file left";
}
