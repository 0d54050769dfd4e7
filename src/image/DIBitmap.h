#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// A DIB kept as two blocks: the information header with a 256-entry colour
// table, and the pixel rows (bottom row first). It carries a palette for
// depths up to 8 bits and loads and saves BMP files.
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "image/DibFormat.h"
#include "image/ImageTypes.h"

class CDibView;

class CDIBitmap {
public:
    CDIBitmap() = default;
    virtual ~CDIBitmap() = default;
    CDIBitmap(const CDIBitmap&) = delete;
    CDIBitmap& operator=(const CDIBitmap&) = delete;

    // A 24-bit DIB of a true-colour device bitmap (rows padded).
    bool CreateFromBitmap(const CDeviceBitmap& bitmap);
    // Loads a BMP image of the program's resources: a Qt resource path
    // (":/...") or a file name in the resource folder (empty: the folder of
    // the running program), converted to the screen's 24-bit depth.
    bool LoadResource(const std::string& name, const std::string& folder = std::string());

    virtual bool Load(std::istream& file);
    virtual bool Load(const std::string& name);
    // Loads a BMP file that is already in memory.
    bool LoadFromMemory(const std::uint8_t* pData, std::size_t nSize);
    virtual bool Save(std::ostream& file);
    virtual bool Save(const std::string& name);

    // Stretches the whole image into the rectangle (x, y, width, height).
    void Draw(CArgbImage& dc, int x, int y, int nWidth, int nHeight) const;
    // Copies the source rectangle (top-down coordinates) to the destination's
    // top-left corner without stretching.
    void Draw(CArgbImage& dc, const CRect& rcDest, const CRect& rcSrc) const;

    const BITMAPINFOHEADER* GetHeaderPtr() const;
    const RGBQUAD* GetColorTable() const;
    std::uint8_t* GetPixelPtr() { return m_pBits.get(); }
    const std::uint8_t* GetPixelPtr() const { return m_pBits.get(); }
    int GetWidth() const;
    int GetHeight() const;
    int GetBitCount() const;
    // Colours used, or 1 shifted left by the bit count.
    std::uint32_t GetPalEntries() const;
    const CPalette* GetPalette() const { return m_pPalette.get(); }
    bool IsPadded() const { return m_bPadded; }
    bool IsEmpty() const { return !m_pInfo; }

    // Move the rows between the padded stride and the packed row length.
    void PadBits();
    void UnPadBits();
    // A palette of the colour table for depths up to 8 bits.
    void CreatePalette();

    // Size of the header block: 40 bytes and 256 colour-table entries.
    static constexpr std::size_t kInfoBlockSize = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);

private:
    // Copies the rows between packed and 4-byte padded strides; false when
    // the new block cannot be had (the bits stay as they were).
    bool RepackRows(bool toPadded);
    void Clear();
    // Number of colour-table entries that belong to the image (0 above 8 bits).
    std::uint32_t TableEntries() const;
    std::size_t RowBytes() const;
    // The bits as the painting code reads them (rows as they are held now).
    CDibView View() const;
    bool LoadBytes(const std::uint8_t* pData, std::size_t nSize);

    std::unique_ptr<std::uint8_t[]> m_pInfo;
    std::unique_ptr<std::uint8_t[]> m_pBits;
    std::unique_ptr<CPalette> m_pPalette;
    bool m_bPadded = false;
    std::size_t m_nBitsSize = 0;
};
