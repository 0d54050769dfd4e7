#include "cli/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool FinishStandardOutput() {
    errno = 0;
    const bool ok = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!ok) {
        const int err = errno ? errno : EIO;
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
