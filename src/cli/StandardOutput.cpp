#include "cli/StandardOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// The reason the first write to standard output failed; 0 while none did.
int g_nFirstWriteError = 0;

// Standard output as a stream of the program's own: every write to the
// descriptor is checked, so the reason of a lost line is the system's
// (ENOSPC for a full disk), not the EIO of a later flush with nothing left.
ssize_t WriteStandardOutput(void*, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(STDOUT_FILENO, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (g_nFirstWriteError == 0) g_nFirstWriteError = n < 0 ? errno : EIO;
            return done > 0 ? static_cast<ssize_t>(done) : -1;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}
}  // namespace

void WatchStandardOutput() {
    cookie_io_functions_t io{};
    io.write = WriteStandardOutput;
    std::FILE* out = ::fopencookie(nullptr, "w", io);
    if (!out) return;  // the C library's stream stays, with its own checks
    std::fflush(stdout);
    // Line by line on a terminal, in blocks otherwise, as before.
    std::setvbuf(out, nullptr, ::isatty(STDOUT_FILENO) ? _IOLBF : _IOFBF, BUFSIZ);
    stdout = out;
}

bool FinishStandardOutput() {
    errno = 0;
    const bool ok = std::fflush(stdout) == 0 && !std::ferror(stdout) && g_nFirstWriteError == 0;
    if (!ok) {
        const int err = g_nFirstWriteError ? g_nFirstWriteError : errno ? errno : EIO;
        std::fprintf(stderr, "plumex: standard output could not be written: %s\n", std::strerror(err));
    }
    return ok;
}

std::string TerminalText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    auto escape = [&out](unsigned c) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\x%02x", c);
        out += buf;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f) {
            escape(c);
        } else if (c == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9f) {
            // U+0080..U+009F in UTF-8: the 8-bit control codes (CSI is one).
            escape(static_cast<unsigned char>(text[++i]));
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}
