#include "base/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t NewFileMode() {
    // The mode a new file would get: what the user's umask leaves of 0666.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
}  // namespace

CSafeFileWriter::~CSafeFileWriter() { Discard(); }

bool CSafeFileWriter::Fail(const std::string& what, int err) {
    if (m_strError.empty()) m_strError = err ? what + ": " + std::strerror(err) : what;
    Discard();
    return false;
}

bool CSafeFileWriter::Open(const std::string& path) {
    Discard();
    m_strError.clear();
    if (path.empty()) return Fail("no file name given", 0);
    m_strTarget = path;
    mode_t mode = NewFileMode();
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            // Replace the file the link points to and keep the link.
            char resolved[PATH_MAX];
            if (!::realpath(path.c_str(), resolved)) return Fail("the link points to no file", errno);
            m_strTarget = resolved;
            if (::stat(resolved, &st) != 0) return Fail("the link points to no file", errno);
        }
        if (!S_ISREG(st.st_mode)) return Fail("it exists and is not a regular file", 0);
        // A file nobody may write is not replaced, not even by a user whom
        // the system would let replace it (the superuser).
        if ((st.st_mode & 0222) == 0 || ::access(m_strTarget.c_str(), W_OK) != 0)
            return Fail("it is write-protected", 0);
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return Fail("cannot look at the file", errno);
    }
    std::string temp = DirectoryOf(m_strTarget) + "/." + BaseNameOf(m_strTarget) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return Fail("cannot create a file in " + DirectoryOf(m_strTarget), errno);
    m_strTemp = temp;
    if (::fchmod(fd, mode) != 0) {
        const int err = errno;
        ::close(fd);
        return Fail("cannot set the file mode", err);
    }
    m_pFile = ::fdopen(fd, "wb");
    if (!m_pFile) {
        const int err = errno;
        ::close(fd);
        return Fail("cannot open the temporary file", err);
    }
    return true;
}

bool CSafeFileWriter::Write(const void* data, std::size_t size) {
    if (!m_pFile) return Fail("the file is not open", 0);
    if (size == 0) return true;
    errno = 0;
    if (std::fwrite(data, 1, size, m_pFile) != size) return Fail("write failed", errno ? errno : EIO);
    return true;
}

bool CSafeFileWriter::Commit() {
    if (!m_pFile) return Fail("the file is not open", 0);
    errno = 0;
    if (std::fflush(m_pFile) != 0 || std::ferror(m_pFile)) return Fail("write failed", errno ? errno : EIO);
    if (::fsync(::fileno(m_pFile)) != 0) return Fail("the file could not be synced to the disk", errno);
    std::FILE* f = m_pFile;
    m_pFile = nullptr;
    if (std::fclose(f) != 0) return Fail("the file could not be closed", errno);
    if (::rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0) return Fail("the file could not be renamed", errno);
    m_strTemp.clear();
    // Make the rename itself durable; a folder that cannot be synced
    // (some file systems refuse) does not undo a complete write.
    const int dir = ::open(DirectoryOf(m_strTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void CSafeFileWriter::Discard() {
    if (m_pFile) {
        std::fclose(m_pFile);
        m_pFile = nullptr;
    }
    if (!m_strTemp.empty()) {
        ::unlink(m_strTemp.c_str());
        m_strTemp.clear();
    }
}

bool WriteFileSafely(const std::string& path, const void* data, std::size_t size, std::string& error) {
    CSafeFileWriter w;
    if (w.Open(path) && w.Write(data, size) && w.Commit()) return true;
    error = w.Error();
    return false;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
