#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// Drawing of DIB pixels into a 32-bit image: the common ground of CDib::Paint,
// CDIBitmap::Draw and PaintDIB. Source rows are addressed the DIB way, from the
// bottom: the source rectangle is given by its lower-left corner (x, row) in
// bottom-up coordinates and its size. Pixels outside the DIB or the target are
// not drawn; scaling is nearest-neighbour (rows and columns are dropped or
// repeated, as colour-on-colour stretching does).
#include <cstddef>
#include <cstdint>

#include "image/DibFormat.h"
#include "image/ImageTypes.h"

class CDibView {
public:
    int m_nWidth = 0;
    int m_nHeight = 0;    // rows, bottom-up
    int m_nBitCount = 0;  // 1, 4, 8, 16, 24 or 32
    const RGBQUAD* m_pColors = nullptr;
    std::uint32_t m_nColors = 0;  // entries the colour table really holds
    const std::uint8_t* m_pBits = nullptr;
    std::size_t m_nRowBytes = 0;  // distance of two rows
    std::size_t m_nBitsSize = 0;  // bytes available at m_pBits

    // Builds a view of one block that holds header, colour table and pixels
    // (padded rows); an invalid or too short block gives an empty view.
    static CDibView FromPackedDib(const std::uint8_t* pBlock, std::size_t nBlockSize);
    bool IsValid() const;
    // Colour of pixel (x, row counted from the bottom) as 0xFFRRGGBB.
    std::uint32_t Pixel(int x, int nRowFromBottom) const;
};

// Draws the source rectangle (xSrc, ySrc lower-left in bottom-up rows, size
// nSrcWidth x nSrcHeight) into the destination rectangle of the target.
void PaintDibRect(CArgbImage& target, const CRect& rcDest, const CDibView& dib, int xSrc, int ySrc, int nSrcWidth,
                  int nSrcHeight);
