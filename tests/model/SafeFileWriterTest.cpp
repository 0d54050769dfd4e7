// The one file writer: whole files or none, never anything but a regular
// file replaced, and a full disk reported as a failure.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "base/SafeFileWriter.h"

namespace {
struct SafeFileWriterTest : ::testing::Test {
    QTemporaryDir dir;
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    static std::string Read(const std::string& p) {
        QFile f(QString::fromStdString(p));
        if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
        return f.readAll().toStdString();
    }
    static bool Put(const std::string& p, const std::string& text) {
        std::string error;
        return WriteFileSafely(p, text.data(), text.size(), error);
    }
    int FileCount() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size();
    }
};

// A small tmpfs, mounted for one test when the test runs as root.
struct SmallDisk {
    std::string m_strPath;
    bool m_bMounted = false;
    explicit SmallDisk(const std::string& path) : m_strPath(path) {
        if (::geteuid() != 0) return;
        ::mkdir(path.c_str(), 0700);
        m_bMounted = ::mount("tmpfs", path.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (m_bMounted) ::umount2(m_strPath.c_str(), MNT_DETACH);
    }
};
}  // namespace

TEST_F(SafeFileWriterTest, ReplacesAWholeFileKeepingItsModeAndLeavesNoTemporaryFile) {
    const std::string p = Path("a.txt");
    ASSERT_TRUE(Put(p, "old contents, longer than the new ones"));
    ASSERT_EQ(::chmod(p.c_str(), 0640), 0);
    ASSERT_TRUE(Put(p, "new"));
    EXPECT_EQ(Read(p), "new");
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(SafeFileWriterTest, UncommittedOrFailedWritesLeaveThePreviousFile) {
    const std::string p = Path("keep.txt");
    ASSERT_TRUE(Put(p, "previous"));
    {
        CSafeFileWriter w;
        ASSERT_TRUE(w.Open(p));
        ASSERT_TRUE(w.Write("half", 4));
    }  // dropped without Commit
    EXPECT_EQ(Read(p), "previous");
    EXPECT_EQ(FileCount(), 1);

    // A file in a folder that does not exist cannot be written.
    std::string error;
    EXPECT_FALSE(WriteFileSafely(Path("no/such/folder/x"), "x", 1, error));
    EXPECT_FALSE(error.empty());
}

TEST_F(SafeFileWriterTest, RefusesTargetsThatAreNotRegularFiles) {
    std::string error;
    // A character device, directly and through a link: left as it was.
    EXPECT_FALSE(WriteFileSafely("/dev/null", "x", 1, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    const std::string link = Path("null-link");
    ASSERT_EQ(::symlink("/dev/null", link.c_str()), 0);
    EXPECT_FALSE(WriteFileSafely(link, "x", 1, error));
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(WriteFileSafely(fifo, "x", 1, error));
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    EXPECT_FALSE(WriteFileSafely(Path("folder"), "x", 1, error));
    for (const QString& name :
         QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        EXPECT_FALSE(name.startsWith('.')) << "temporary file left behind: " << name.toStdString();
}

TEST_F(SafeFileWriterTest, ALinkToARegularFileStaysALink) {
    const std::string target = Path("target.txt"), link = Path("link.txt");
    ASSERT_TRUE(Put(target, "one"));
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(Put(link, "two"));
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(Read(target), "two");
}

TEST_F(SafeFileWriterTest, AFullDiskFailsAndKeepsThePreviousFile) {
    SmallDisk disk(Path("small"));
    if (!disk.m_bMounted) GTEST_SKIP() << "needs root to mount a 64 KB tmpfs";
    const std::string p = Path("small/case.bin");
    ASSERT_TRUE(Put(p, "previous"));
    const std::string big(200 * 1024, 'x');
    std::string error;
    EXPECT_FALSE(WriteFileSafely(p, big.data(), big.size(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Read(p), "previous");
    EXPECT_EQ(QDir(QString::fromStdString(Path("small"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(SafeFileWriterTest, SameFileIsToldByDeviceAndInode) {
    const std::string a = Path("a"), b = Path("b"), hard = Path("hard"), soft = Path("soft");
    ASSERT_TRUE(Put(a, "a"));
    ASSERT_TRUE(Put(b, "a"));
    ASSERT_EQ(::link(a.c_str(), hard.c_str()), 0);
    ASSERT_EQ(::symlink(a.c_str(), soft.c_str()), 0);
    EXPECT_TRUE(IsSameFile(a, hard));
    EXPECT_TRUE(IsSameFile(a, soft));
    EXPECT_TRUE(IsSameFile(a, dir.path().toStdString() + "/./a"));
    EXPECT_FALSE(IsSameFile(a, b));
    EXPECT_FALSE(IsSameFile(a, Path("missing")));
}

TEST_F(SafeFileWriterTest, AWriteProtectedFileIsNotReplaced) {
    const std::string p = Path("ro.txt");
    ASSERT_TRUE(Put(p, "kept"));
    ASSERT_EQ(::chmod(p.c_str(), 0444), 0);
    std::string error;
    EXPECT_FALSE(WriteFileSafely(p, "new", 3, error));
    EXPECT_EQ(error, "it is write-protected");
    EXPECT_EQ(Read(p), "kept");
    EXPECT_EQ(FileCount(), 1);
    // Through a link, too.
    ASSERT_EQ(::symlink(p.c_str(), Path("link.txt").c_str()), 0);
    EXPECT_FALSE(WriteFileSafely(Path("link.txt"), "new", 3, error));
    EXPECT_EQ(Read(p), "kept");
    ASSERT_EQ(::chmod(p.c_str(), 0644), 0);
    EXPECT_TRUE(Put(p, "new"));
}
