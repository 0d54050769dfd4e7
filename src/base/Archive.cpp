#include "base/Archive.h"

#include <algorithm>
#include <cmath>
#include <cstring>

CArchive::CArchive() : m_bStoring(true) {}

CArchive::CArchive(std::vector<std::uint8_t> bytes) : m_bStoring(false), m_data(std::move(bytes)) {}

namespace {
template <typename T>
void PutLE(std::vector<std::uint8_t>& out, T v) {
    std::uint8_t b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));  // the targets we build for are little-endian
    out.insert(out.end(), b, b + sizeof(T));
}
}  // namespace

void CArchive::WriteInt32(std::int32_t v) { PutLE(m_data, v); }
void CArchive::WriteFloat(float v) { PutLE(m_data, v); }
void CArchive::WriteDouble(double v) { PutLE(m_data, v); }

void CArchive::WriteBytes(const void* p, std::size_t n) {
    const auto* b = static_cast<const std::uint8_t*>(p);
    m_data.insert(m_data.end(), b, b + n);
}

void CArchive::WriteZeros(std::size_t n) { m_data.insert(m_data.end(), n, 0); }

void CArchive::WriteText(const std::string& text, std::size_t width) {
    if (width == 0) return;
    std::size_t len = std::min(text.size(), width - 1);
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos && nul < len) len = nul;
    WriteBytes(text.data(), len);
    WriteZeros(width - len);
}

void CArchive::Need(std::size_t n) {
    if (m_bStoring) throw CArchiveException("archive is not open for reading");
    if (n > Remaining()) throw CArchiveException("unexpected end of file at byte " + std::to_string(m_nPos));
}

std::int32_t CArchive::ReadInt32() {
    std::int32_t v;
    ReadBytes(&v, sizeof v);
    return v;
}

float CArchive::ReadFloat() {
    float v;
    ReadBytes(&v, sizeof v);
    return v;
}

double CArchive::ReadDouble() {
    double v;
    ReadBytes(&v, sizeof v);
    return v;
}

void CArchive::ReadBytes(void* p, std::size_t n) {
    Need(n);
    std::memcpy(p, m_data.data() + m_nPos, n);
    m_nPos += n;
}

void CArchive::Skip(std::size_t n) {
    Need(n);
    m_nPos += n;
}

std::string CArchive::ReadText(std::size_t width) {
    Need(width);
    const char* p = reinterpret_cast<const char*>(m_data.data() + m_nPos);
    // The text ends at its NUL; a field filled to its width without one
    // yields all width characters.
    const void* nul = std::memchr(p, 0, width);
    const std::size_t len = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - p) : width;
    std::string s(p, len);
    m_nPos += width;
    return s;
}

std::int32_t CArchive::ReadCount(std::size_t minItemBytes, const char* what) {
    const std::size_t at = m_nPos;
    const std::int32_t n = ReadInt32();
    if (n < 0) throw CArchiveException(std::string("negative ") + what + " count at byte " + std::to_string(at));
    if (minItemBytes > 0 && static_cast<std::uint64_t>(n) * minItemBytes > Remaining())
        throw CArchiveException(std::string(what) + " count " + std::to_string(n) +
                                " does not fit the rest of the file (byte " + std::to_string(at) + ")");
    return n;
}
