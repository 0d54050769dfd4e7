#include "image/ImageTypes.h"

bool CPixelView::IsValid() const {
    if (!m_pData || m_nWidth <= 0 || m_nHeight <= 0) return false;
    if (m_nChannels != 3 && m_nChannels != 4) return false;
    return static_cast<long long>(m_nStride) >= static_cast<long long>(m_nWidth) * m_nChannels;
}

void CPixelView::PixelAt(int x, int y, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) const {
    const int row = m_bBottomUp ? m_nHeight - 1 - y : y;
    const std::uint8_t* p =
        m_pData + static_cast<std::size_t>(row) * m_nStride + static_cast<std::size_t>(x) * m_nChannels;
    r = p[0];
    g = p[1];
    b = p[2];
}

CArgbImage::CArgbImage(int nWidth, int nHeight, std::uint32_t fill)
    : m_nWidth(nWidth > 0 ? nWidth : 0),
      m_nHeight(nHeight > 0 ? nHeight : 0),
      m_pixels(static_cast<std::size_t>(m_nWidth) * m_nHeight, fill) {}

void CPalette::AssignColorTable(const RGBQUAD* pColors, std::uint32_t n) {
    m_entries.resize(n);
    for (std::uint32_t i = 0; i < n; ++i)
        m_entries[i] = PALETTEENTRY{pColors[i].rgbRed, pColors[i].rgbGreen, pColors[i].rgbBlue, 0};
}
