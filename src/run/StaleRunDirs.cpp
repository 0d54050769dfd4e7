#include "run/StaleRunDirs.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QString>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {
constexpr char kPrefix[] = "plumex-run-";

// The process id in "plumex-run-<pid>-XXXXXX", or 0.
pid_t OwnerOf(const char* name) {
    const std::size_t n = sizeof kPrefix - 1;
    if (std::strncmp(name, kPrefix, n) != 0) return 0;
    char* end = nullptr;
    errno = 0;
    const long pid = std::strtol(name + n, &end, 10);
    if (errno || end == name + n || *end != '-' || pid <= 0) return 0;
    return static_cast<pid_t>(pid);
}

bool ProcessIsGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }
}  // namespace

std::string RunDirTemplate(const std::string& base) {
    return base + "/" + kPrefix + std::to_string(::getpid()) + "-XXXXXX";
}

int RemoveStaleRunDirs(const std::string& base) {
    DIR* dir = ::opendir(base.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        const pid_t pid = OwnerOf(e->d_name);
        if (pid == 0 || pid == ::getpid()) continue;
        const std::string path = base + "/" + e->d_name;
        struct stat st {};
        // Only real directories of this user: never a link, never another
        // user's run.
        if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) continue;
        if (!ProcessIsGone(pid)) continue;
        if (QDir(QString::fromStdString(path)).removeRecursively()) ++removed;
    }
    ::closedir(dir);
    return removed;
}
