#include "run/ModelOutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* OpenModelOutput(const std::string& path, OutputOpen& how) {
    how = OutputOpen::Missing;
    // Non-blocking: opening a FIFO without a writer must not wait.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        how = OutputOpen::NotRegular;
        return nullptr;
    }
    if (st.st_size > kMaxModelOutputBytes) {
        ::close(fd);
        how = OutputOpen::TooLarge;
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        ::close(fd);
        return nullptr;
    }
    how = OutputOpen::Opened;
    return file;
}

std::string RefusedOutputText(const std::string& path, OutputOpen how) {
    if (how == OutputOpen::TooLarge)
        return "The jet model's output file \"" + path + "\" is larger than 1 GiB; no results were read.";
    return "The jet model's output file \"" + path + "\" is not a regular file; no results were read.";
}
