#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// A DIB kept in one block: the 40-byte information header, the colour table
// and the padded pixel rows, bottom row first. The cut plane builds its 8-bit
// section image in one and the plane view paints it.
#include <cstddef>
#include <cstdint>

#include "image/DibFormat.h"
#include "image/ImageTypes.h"

class CDib {
public:
    CDib() = default;
    ~CDib();
    CDib(const CDib&) = delete;
    CDib& operator=(const CDib&) = delete;

    // Replaces the image by a zeroed block of nBytes; the caller writes the
    // header and calls UpdateFromHeader. False when the block cannot be had.
    bool AllocateBlock(std::size_t nBytes);
    // Reads width, height and stride back from the header in the block.
    // False (and an empty image) when the header does not fit the block.
    bool UpdateFromHeader();
    // Convenience: a zeroed image with a filled header (no compression, image
    // size set, colours used nColors unless that equals the default count).
    bool Create(int nWidth, int nHeight, int nBitCount, std::uint32_t nColors = 0);
    void Free();

    // Draws the source rectangle (top-down coordinates) into the destination
    // rectangle. Equal sizes copy row for row; otherwise the source is
    // stretched. The palette only matters on palette displays: on a
    // true-colour target the colour table gives the colours.
    void Paint(CArgbImage& dc, const CRect& rcDest, const CRect& rcSrc, const CPalette* pPal) const;
    // A palette of the colour table (red, green, blue, flags 0). False when
    // the image has no colours.
    bool MakePalette(CPalette& pal) const;

    std::uint32_t NumColors() const;
    std::size_t PaletteSize() const;
    BITMAPINFOHEADER* Header();
    const BITMAPINFOHEADER* Header() const;
    RGBQUAD* ColorTable();
    std::uint8_t* Bits();
    const std::uint8_t* Bits() const;
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int Stride() const { return m_nStride; }
    bool IsEmpty() const { return m_pBlock == nullptr; }
    std::size_t BlockSize() const { return m_nBlockSize; }

private:
    std::uint8_t* m_pBlock = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nStride = 0;
    std::size_t m_nBlockSize = 0;
};
