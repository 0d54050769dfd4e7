#include "run/TextLineReader.h"

#include <algorithm>
#include <cstring>

namespace {
// A summary page fits the first block; a long trajectory section reads in
// growing blocks.
constexpr std::size_t kFirstBlock = 4096;
constexpr std::size_t kLargestBlock = 65536;
}  // namespace

CTextLineReader::CTextLineReader(std::FILE* file) : m_pFile(file) {
    if (!m_pFile) return;
    m_nBufferAt = std::ftell(m_pFile);
    // A stream without positions cannot be given back what was read ahead:
    // it is read one byte at a time.
    m_nBlock = m_nBufferAt >= 0 ? kFirstBlock : 1;
}

CTextLineReader::~CTextLineReader() {
    if (m_pFile && m_nPos < m_nEnd && m_nBufferAt >= 0) std::fseek(m_pFile, Tell(), SEEK_SET);
}

long CTextLineReader::Tell() const { return m_nBufferAt < 0 ? -1 : m_nBufferAt + static_cast<long>(m_nPos); }

bool CTextLineReader::Seek(long position) {
    if (!m_pFile || m_nBufferAt < 0 || position < 0) return false;
    if (position >= m_nBufferAt && position <= m_nBufferAt + static_cast<long>(m_nEnd)) {
        m_nPos = static_cast<std::size_t>(position - m_nBufferAt);
        return true;
    }
    if (std::fseek(m_pFile, position, SEEK_SET) != 0) return false;
    m_nBufferAt = position;
    m_nPos = m_nEnd = 0;
    return true;
}

bool CTextLineReader::Fill() {
    if (!m_pFile) return false;
    // Only called with every byte handed out: the buffer starts afresh.
    if (m_nBufferAt >= 0) m_nBufferAt += static_cast<long>(m_nEnd);
    m_nPos = m_nEnd = 0;
    if (m_Buffer.size() < m_nBlock) m_Buffer.resize(m_nBlock);
    m_nEnd = std::fread(m_Buffer.data(), 1, m_nBlock, m_pFile);
    if (m_nBlock > 1) m_nBlock = std::min(kLargestBlock, m_nBlock * 4);
    return m_nEnd > 0;
}

bool CTextLineReader::ReadLine(std::string& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (m_nPos == m_nEnd && !Fill()) break;
        const char* from = m_Buffer.data() + m_nPos;
        const std::size_t left = m_nEnd - m_nPos;
        const char* newline = static_cast<const char*>(std::memchr(from, '\n', left));
        const std::size_t n = newline ? static_cast<std::size_t>(newline - from) : left;
        any = true;
        if (line.size() < kMaxTextLine) line.append(from, std::min(n, kMaxTextLine - line.size()));
        m_nPos += n;
        if (newline) {
            ++m_nPos;
            break;
        }
    }
    if (!any) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}
