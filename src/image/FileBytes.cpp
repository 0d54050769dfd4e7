#include "image/FileBytes.h"

#include <cstdio>
#include <cstring>
#include <new>

bool ReadFileBytes(const std::string& name, std::vector<std::uint8_t>& out) {
    out.clear();
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) return false;
    bool bOk = true;
    std::uint8_t chunk[65536];
    try {
        for (;;) {
            const std::size_t n = std::fread(chunk, 1, sizeof chunk, f);
            if (n == 0) break;
            if (out.size() + n > kMaxImageFileBytes) {
                bOk = false;
                break;
            }
            out.insert(out.end(), chunk, chunk + n);
        }
        if (std::ferror(f)) bOk = false;
    } catch (const std::bad_alloc&) {
        bOk = false;
    }
    std::fclose(f);
    if (!bOk) out.clear();
    return bOk;
}

bool CByteReader::ReadU8(std::uint8_t& v) { return Read(&v, 1) == 1; }

bool CByteReader::ReadU16(std::uint16_t& v) {
    std::uint8_t b[2];
    if (Read(b, 2) != 2) return false;
    v = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool CByteReader::ReadU32(std::uint32_t& v) {
    std::uint8_t b[4];
    if (Read(b, 4) != 4) return false;
    v = std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[3]) << 24);
    return true;
}

bool CByteReader::ReadI16(std::int16_t& v) {
    std::uint16_t u;
    if (!ReadU16(u)) return false;
    v = static_cast<std::int16_t>(u);
    return true;
}

bool CByteReader::ReadI32(std::int32_t& v) {
    std::uint32_t u;
    if (!ReadU32(u)) return false;
    v = static_cast<std::int32_t>(u);
    return true;
}

std::size_t CByteReader::Read(void* p, std::size_t n) {
    const std::size_t nAvail = m_nSize - m_nPos;
    const std::size_t nCopy = n < nAvail ? n : nAvail;
    if (nCopy) std::memcpy(p, m_pData + m_nPos, nCopy);
    m_nPos += nCopy;
    return nCopy;
}

bool CByteReader::Skip(std::size_t n) {
    if (n > m_nSize - m_nPos) {
        m_nPos = m_nSize;
        return false;
    }
    m_nPos += n;
    return true;
}
