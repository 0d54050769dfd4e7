#include "image/DibPaint.h"

#include <cstring>

CDibView CDibView::FromPackedDib(const std::uint8_t* pBlock, std::size_t nBlockSize) {
    CDibView v;
    if (!pBlock || nBlockSize < sizeof(BITMAPINFOHEADER)) return v;
    BITMAPINFOHEADER bi;
    std::memcpy(&bi, pBlock, sizeof bi);
    if (bi.biSize < sizeof(BITMAPINFOHEADER) || bi.biSize > nBlockSize || bi.biCompression != BI_RGB) return v;
    const std::size_t nPal = DibPaletteSize(bi);
    if (nPal > nBlockSize - bi.biSize) return v;
    v.m_nWidth = bi.biWidth;
    v.m_nHeight = bi.biHeight;
    v.m_nBitCount = bi.biBitCount;
    v.m_pColors = reinterpret_cast<const RGBQUAD*>(pBlock + bi.biSize);
    v.m_nColors = static_cast<std::uint32_t>(nPal / sizeof(RGBQUAD));
    v.m_pBits = pBlock + bi.biSize + nPal;
    v.m_nBitsSize = nBlockSize - bi.biSize - nPal;
    v.m_nRowBytes = DibRowStride(bi.biBitCount, bi.biWidth);
    if (!v.IsValid()) return CDibView();
    return v;
}

bool CDibView::IsValid() const {
    if (!m_pBits || m_nWidth <= 0 || m_nHeight <= 0) return false;
    switch (m_nBitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    const std::size_t nPacked = DibPackedRowLength(m_nBitCount, m_nWidth);
    if (m_nRowBytes < nPacked) return false;
    // Every row must lie inside the pixel block.
    const std::uint64_t nNeed = static_cast<std::uint64_t>(m_nRowBytes) * (m_nHeight - 1) + nPacked;
    return nNeed <= m_nBitsSize;
}

std::uint32_t CDibView::Pixel(int x, int nRowFromBottom) const {
    const std::uint8_t* row = m_pBits + static_cast<std::size_t>(nRowFromBottom) * m_nRowBytes;
    auto fromTable = [this](unsigned idx) -> std::uint32_t {
        if (!m_pColors || idx >= m_nColors) return 0xFF000000u;
        const RGBQUAD& q = m_pColors[idx];
        return 0xFF000000u | (std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
    };
    switch (m_nBitCount) {
    case 1:
        return fromTable((row[x >> 3] >> (7 - (x & 7))) & 1u);
    case 4:
        return fromTable((x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4));
    case 8:
        return fromTable(row[x]);
    case 16: {
        const unsigned v = row[2 * x] | (unsigned(row[2 * x + 1]) << 8);
        const unsigned r = ((v >> 10) & 31u) * 255u / 31u;
        const unsigned g = ((v >> 5) & 31u) * 255u / 31u;
        const unsigned b = (v & 31u) * 255u / 31u;
        return 0xFF000000u | (r << 16) | (g << 8) | b;
    }
    case 24: {
        const std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
        return 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
    }
    default: {
        const std::uint8_t* p = row + 4 * static_cast<std::size_t>(x);
        return 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
    }
    }
}

void PaintDibRect(CArgbImage& target, const CRect& rcDest, const CDibView& dib, int xSrc, int ySrc, int nSrcWidth,
                  int nSrcHeight) {
    const int dw = rcDest.Width();
    const int dh = rcDest.Height();
    if (!dib.IsValid() || dw <= 0 || dh <= 0 || nSrcWidth <= 0 || nSrcHeight <= 0) return;
    for (int dy = 0; dy < dh; ++dy) {
        const int ty = rcDest.top + dy;
        if (ty < 0 || ty >= target.m_nHeight) continue;
        // The top row of the destination shows the top row of the source
        // rectangle, which in bottom-up rows is ySrc + height - 1.
        const long long sy = static_cast<long long>(dy) * nSrcHeight / dh;
        const long long yb = static_cast<long long>(ySrc) + nSrcHeight - 1 - sy;
        if (yb < 0 || yb >= dib.m_nHeight) continue;
        for (int dx = 0; dx < dw; ++dx) {
            const int tx = rcDest.left + dx;
            if (tx < 0 || tx >= target.m_nWidth) continue;
            const long long sx = static_cast<long long>(xSrc) + static_cast<long long>(dx) * nSrcWidth / dw;
            if (sx < 0 || sx >= dib.m_nWidth) continue;
            target.At(tx, ty) = dib.Pixel(static_cast<int>(sx), static_cast<int>(yb));
        }
    }
}
