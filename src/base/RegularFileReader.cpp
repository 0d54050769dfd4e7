#include "base/RegularFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
std::string ByteCount(std::size_t n) { return std::to_string(n) + " bytes"; }
}  // namespace

bool ReadRegularFile(const std::string& path, std::size_t maxBytes, const char* kind, std::vector<unsigned char>& file,
                     std::string& error) {
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::string("the file cannot be opened: ") + std::strerror(errno);
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    if (!ok) {
        error = std::string("the file cannot be examined: ") + std::strerror(errno);
    } else if (!S_ISREG(st.st_mode)) {
        error = "it is not a regular file";
        ok = false;
    } else if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        error = "the file has " + ByteCount(static_cast<std::size_t>(st.st_size)) + ", more than " + kind +
                " may have (" + ByteCount(maxBytes) + ")";
        ok = false;
    }
    if (ok) {
        file.resize(static_cast<std::size_t>(st.st_size));
        std::size_t got = 0;
        while (got < file.size()) {
            const ssize_t n = ::read(fd, file.data() + got, file.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                error = std::string("the file cannot be read: ") + std::strerror(errno);
                ok = false;
                break;
            }
            if (n == 0) break;  // shrank meanwhile: take what is there
            got += static_cast<std::size_t>(n);
        }
        file.resize(got);
    }
    ::close(fd);
    return ok;
}
