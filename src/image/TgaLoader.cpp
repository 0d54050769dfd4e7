#include "image/TgaLoader.h"

#include <cstdio>
#include <new>
#include <vector>

#include "base/Prompt.h"
#include "image/FileBytes.h"

namespace {

std::string Format(const char* fmt, int value) {
    char text[128];
    std::snprintf(text, sizeof text, fmt, value);
    return text;
}

// One load: the file cursor, the header and the output being filled.
class CTgaReader {
public:
    CTgaReader(const std::uint8_t* pData, std::size_t nSize, CPrompt& prompt) : m_in(pData, nSize), m_prompt(prompt) {}
    bool Load(int& nWidth, int& nHeight, std::unique_ptr<std::uint8_t[]>& pBuffer);

private:
    bool ReadError();
    bool ReadHeader();
    bool ReadPixel(std::uint8_t& r, std::uint8_t& g, std::uint8_t& b);
    void DecodePixel(const std::uint8_t* p, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) const;
    void StoreRow(int nRow);
    bool ReadUncompressed();
    bool ReadRunLength();

    CByteReader m_in;
    CPrompt& m_prompt;
    std::uint8_t m_nIdLength = 0, m_nMapType = 0, m_nImageType = 0, m_nMapEntryBits = 0;
    std::uint8_t m_nDepth = 0, m_nDescriptor = 0;
    std::uint16_t m_nMapFirst = 0, m_nMapLength = 0, m_nWidth = 0, m_nHeight = 0;
    std::int16_t m_nXOrigin = 0, m_nYOrigin = 0;
    int m_nBytesPerPixel = 0;
    int m_nFlags = 0;
    std::uint8_t* m_pOut = nullptr;
    std::vector<std::uint8_t> m_row;  // red, green, blue of the row being read
};

bool CTgaReader::ReadError() {
    std::fputs("read error on input\n", stderr);
    return false;
}

bool CTgaReader::ReadHeader() {
    return m_in.ReadU8(m_nIdLength) && m_in.ReadU8(m_nMapType) && m_in.ReadU8(m_nImageType) &&
           m_in.ReadU16(m_nMapFirst) && m_in.ReadU16(m_nMapLength) && m_in.ReadU8(m_nMapEntryBits) &&
           m_in.ReadI16(m_nXOrigin) && m_in.ReadI16(m_nYOrigin) && m_in.ReadU16(m_nWidth) && m_in.ReadU16(m_nHeight) &&
           m_in.ReadU8(m_nDepth) && m_in.ReadU8(m_nDescriptor);
}

void CTgaReader::DecodePixel(const std::uint8_t* p, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) const {
    switch (m_nDepth) {
    case 8:
        r = g = b = p[0];
        break;
    case 15:
    case 16: {
        const unsigned v = p[0] | (unsigned(p[1]) << 8);
        r = static_cast<std::uint8_t>(((v >> 10) & 31u) * 255u / 31u);
        g = static_cast<std::uint8_t>(((v >> 5) & 31u) * 255u / 31u);
        b = static_cast<std::uint8_t>((v & 31u) * 255u / 31u);
        break;
    }
    default:  // 24 and 32: blue, green, red (and alpha, not used)
        r = p[2];
        g = p[1];
        b = p[0];
        break;
    }
}

bool CTgaReader::ReadPixel(std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
    std::uint8_t p[4];
    if (m_in.Read(p, m_nBytesPerPixel) != static_cast<std::size_t>(m_nBytesPerPixel)) return false;
    DecodePixel(p, r, g, b);
    return true;
}

void CTgaReader::StoreRow(int nRow) {
    const int target = (m_nFlags & 2) ? m_nHeight - 1 - nRow : nRow;
    std::uint8_t* dst = m_pOut + static_cast<std::size_t>(target) * m_nWidth * 4;
    for (int i = 0; i < m_nWidth; ++i) {
        const int col = (m_nFlags & 1) ? m_nWidth - 1 - i : i;
        std::uint8_t* p = dst + static_cast<std::size_t>(col) * 4;
        p[0] = m_row[3 * i];
        p[1] = m_row[3 * i + 1];
        p[2] = m_row[3 * i + 2];
        p[3] = 255;
    }
}

bool CTgaReader::ReadUncompressed() {
    std::vector<std::uint8_t> rowBuffer(kTgaRowBufferBytes);
    const std::size_t nRowBytes = static_cast<std::size_t>(m_nWidth) * m_nBytesPerPixel;
    for (int r = 0; r < m_nHeight; ++r) {
        if (m_in.Read(rowBuffer.data(), nRowBytes) != nRowBytes) return ReadError();
        for (int i = 0; i < m_nWidth; ++i)
            DecodePixel(&rowBuffer[static_cast<std::size_t>(i) * m_nBytesPerPixel], m_row[3 * i], m_row[3 * i + 1],
                        m_row[3 * i + 2]);
        StoreRow(r);
    }
    return true;
}

bool CTgaReader::ReadRunLength() {
    int nRow = 0, nCol = 0;
    while (nRow < m_nHeight) {
        std::uint8_t h;
        if (!m_in.ReadU8(h)) return ReadError();
        const int nCount = (h & 0x7F) + 1;
        const bool bRun = (h & 0x80) != 0;
        std::uint8_t r = 0, g = 0, b = 0;
        if (bRun && !ReadPixel(r, g, b)) return ReadError();
        for (int k = 0; k < nCount && nRow < m_nHeight; ++k) {
            if (!bRun && !ReadPixel(r, g, b)) return ReadError();
            m_row[3 * nCol] = r;
            m_row[3 * nCol + 1] = g;
            m_row[3 * nCol + 2] = b;
            if (++nCol == m_nWidth) {
                StoreRow(nRow++);
                nCol = 0;
            }
        }
    }
    return true;
}

bool CTgaReader::Load(int& nWidth, int& nHeight, std::unique_ptr<std::uint8_t[]>& pBuffer) {
    if (!ReadHeader() || !m_in.Skip(m_nIdLength)) return ReadError();
    if (m_nMapLength >= 1) {
        int nEntryBytes = 0;
        switch (m_nMapEntryBits) {
        case 15:
        case 16:
            nEntryBytes = 2;
            break;
        case 24:
            nEntryBytes = 3;
            break;
        case 32:
            nEntryBytes = 4;
            break;
        default:
            m_prompt.Inform(Format("bad map entry size %d", m_nMapEntryBits), PromptIcon::Stop);
            return false;
        }
        if (!m_in.Skip(static_cast<std::size_t>(m_nMapLength) * nEntryBytes)) return ReadError();
    }
    const bool bRle = m_nImageType == 10 || m_nImageType == 11;
    if (m_nImageType != 2 && m_nImageType != 3 && !bRle) {
        m_prompt.Inform(Format("un-support type %d", m_nImageType), PromptIcon::Stop);
        return false;
    }
    switch (m_nDepth) {
    case 8:
        m_nBytesPerPixel = 1;
        break;
    case 15:
    case 16:
        m_nBytesPerPixel = 2;
        break;
    case 24:
        m_nBytesPerPixel = 3;
        break;
    case 32:
        m_nBytesPerPixel = 4;
        break;
    default:
        m_prompt.Inform(Format("un-support pixel depth %d", m_nDepth), PromptIcon::Stop);
        return false;
    }
    if (m_nWidth == 0 || m_nHeight == 0) {
        m_prompt.Inform("empty image", PromptIcon::Stop);
        return false;
    }
    const std::size_t nRowBytes = static_cast<std::size_t>(m_nWidth) * m_nBytesPerPixel;
    if (nRowBytes > static_cast<std::size_t>(kTgaRowBufferBytes)) {
        m_prompt.Inform(Format("image too wide: %d pixels", m_nWidth), PromptIcon::Stop);
        return false;
    }
    // The file must be able to fill the image before the buffer is allocated:
    // raw rows take their bytes, a run packet gives at most 128 pixels.
    const std::uint64_t nPixels = std::uint64_t(m_nWidth) * m_nHeight;
    const std::uint64_t nCanFill = bRle ? std::uint64_t(m_in.Remaining()) / (1 + m_nBytesPerPixel) * 128
                                        : std::uint64_t(m_in.Remaining()) / m_nBytesPerPixel;
    if (nPixels > nCanFill) return ReadError();

    std::unique_ptr<std::uint8_t[]> out(new (std::nothrow) std::uint8_t[nPixels * 4]());
    if (!out) {
        m_prompt.Inform("out of memory", PromptIcon::Stop);
        return false;
    }
    m_pOut = out.get();
    m_row.assign(static_cast<std::size_t>(m_nWidth) * 3, 0);
    m_nFlags = (m_nDescriptor >> 4) & 3;
    if (!(bRle ? ReadRunLength() : ReadUncompressed())) return false;
    nWidth = m_nWidth;
    nHeight = m_nHeight;
    pBuffer = std::move(out);
    return true;
}

}  // namespace

bool LoadTGAFromMemory(const std::uint8_t* pData, std::size_t nSize, int& nWidth, int& nHeight,
                       std::unique_ptr<std::uint8_t[]>& pBuffer, CPrompt& prompt) {
    CTgaReader reader(pData, pData ? nSize : 0, prompt);
    return reader.Load(nWidth, nHeight, pBuffer);
}

bool LoadTGA(const std::string& name, int& nWidth, int& nHeight, std::unique_ptr<std::uint8_t[]>& pBuffer,
             CPrompt& prompt) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(name, bytes)) {
        prompt.Inform("can't open input file " + name, PromptIcon::Stop);
        return false;
    }
    return LoadTGAFromMemory(bytes.data(), bytes.size(), nWidth, nHeight, pBuffer, prompt);
}
