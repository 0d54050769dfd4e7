#include "image/Dib.h"

#include <cstdlib>
#include <cstring>

#include "image/DibPaint.h"

CDib::~CDib() { Free(); }

void CDib::Free() {
    std::free(m_pBlock);
    m_pBlock = nullptr;
    m_nWidth = m_nHeight = m_nStride = 0;
    m_nBlockSize = 0;
}

bool CDib::AllocateBlock(std::size_t nBytes) {
    Free();
    if (nBytes < sizeof(BITMAPINFOHEADER)) return false;
    m_pBlock = static_cast<std::uint8_t*>(std::calloc(nBytes, 1));
    if (!m_pBlock) return false;
    m_nBlockSize = nBytes;
    return true;
}

bool CDib::UpdateFromHeader() {
    if (!m_pBlock) return false;
    const BITMAPINFOHEADER* bi = Header();
    m_nWidth = bi->biWidth;
    m_nHeight = bi->biHeight;
    // An invalid header keeps the block (the caller may still read what it
    // wrote) but reports a stride that nobody paints from.
    const bool bValid = CDibView::FromPackedDib(m_pBlock, m_nBlockSize).IsValid();
    m_nStride = bValid ? static_cast<int>(DibRowStride(bi->biBitCount, bi->biWidth)) : 0;
    return bValid;
}

bool CDib::Create(int nWidth, int nHeight, int nBitCount, std::uint32_t nColors) {
    Free();
    if (nWidth <= 0 || nHeight <= 0) return false;
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = nWidth;
    bi.biHeight = nHeight;
    bi.biPlanes = 1;
    bi.biBitCount = static_cast<std::uint16_t>(nBitCount);
    bi.biCompression = BI_RGB;
    const std::uint32_t nDefault = DibNumColors(bi);
    bi.biClrUsed = (nColors == nDefault) ? 0 : nColors;
    const std::uint64_t nImage = static_cast<std::uint64_t>(DibRowStride(nBitCount, nWidth)) * nHeight;
    if (nImage == 0 || nImage > 0x7FFFFFFFu) return false;
    bi.biSizeImage = static_cast<std::uint32_t>(nImage);
    if (!AllocateBlock(sizeof bi + DibPaletteSize(bi) + nImage)) return false;
    std::memcpy(m_pBlock, &bi, sizeof bi);
    return UpdateFromHeader();
}

std::uint32_t CDib::NumColors() const { return m_pBlock ? DibNumColors(*Header()) : 0; }

std::size_t CDib::PaletteSize() const { return m_pBlock ? DibPaletteSize(*Header()) : 0; }

BITMAPINFOHEADER* CDib::Header() { return reinterpret_cast<BITMAPINFOHEADER*>(m_pBlock); }

const BITMAPINFOHEADER* CDib::Header() const { return reinterpret_cast<const BITMAPINFOHEADER*>(m_pBlock); }

RGBQUAD* CDib::ColorTable() { return m_pBlock ? reinterpret_cast<RGBQUAD*>(m_pBlock + Header()->biSize) : nullptr; }

std::uint8_t* CDib::Bits() { return m_pBlock ? m_pBlock + Header()->biSize + PaletteSize() : nullptr; }

const std::uint8_t* CDib::Bits() const { return m_pBlock ? m_pBlock + Header()->biSize + PaletteSize() : nullptr; }

void CDib::Paint(CArgbImage& dc, const CRect& rcDest, const CRect& rcSrc, const CPalette* /*pPal*/) const {
    if (!m_pBlock) return;
    const CDibView v = CDibView::FromPackedDib(m_pBlock, m_nBlockSize);
    if (rcDest.Width() == rcSrc.Width() && rcDest.Height() == rcSrc.Height()) {
        // Row-for-row copy; the source is addressed from the bottom.
        PaintDibRect(dc, rcDest, v, rcSrc.left, m_nHeight - rcSrc.bottom, rcSrc.Width(), rcSrc.Height());
    } else {
        // Stretched copy; the source row is the rectangle's top, as the
        // stretching call takes it.
        PaintDibRect(dc, rcDest, v, rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height());
    }
}

bool CDib::MakePalette(CPalette& pal) const {
    const std::uint32_t n = NumColors();
    if (n == 0) return false;
    const CDibView v = CDibView::FromPackedDib(m_pBlock, m_nBlockSize);
    if (!v.IsValid() || v.m_nColors < n) return false;
    pal.AssignColorTable(v.m_pColors, n);
    return true;
}
