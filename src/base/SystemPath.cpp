#include "base/SystemPath.h"

namespace {
constexpr char16_t kEscapeBase = 0xDC00;

// The length of the well-formed UTF-8 sequence at s[i] (its code point in
// cp), or 0 when the bytes there are not one.
std::size_t Utf8Sequence(const std::string& s, std::size_t i, char32_t& cp) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char lead = b(0);
    std::size_t n = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        n = 2, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        n = 3, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        n = 4, cp = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(k) & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are no UTF-8.
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

void AppendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
}  // namespace

QString PathFromSystem(const std::string& bytes) {
    QString path;
    path.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        const std::size_t n = Utf8Sequence(bytes, i, cp);
        if (n == 0) {
            path += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            path += QChar(QChar::highSurrogate(cp));
            path += QChar(QChar::lowSurrogate(cp));
        } else {
            path += QChar(static_cast<char16_t>(cp));
        }
        i += n;
    }
    return path;
}

std::string SystemPath(const QString& path) {
    std::string out;
    out.reserve(static_cast<std::size_t>(path.size()));
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t u = path[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < path.size() && QChar::isLowSurrogate(path[i + 1].unicode())) {
            AppendUtf8(QChar::surrogateToUcs4(u, path[i + 1].unicode()), out);
            ++i;
        } else if (u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF) {
            out += static_cast<char>(u - kEscapeBase);  // a byte kept from the system
        } else {
            AppendUtf8(u, out);
        }
    }
    return out;
}

QStringList ArgumentsFromSystem(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << PathFromSystem(argv[i]);
    return arguments;
}
