#include "image/DibFile.h"

#include <cstring>

#include "image/DibFormat.h"

bool SaveDIB(HDIB hDib, std::FILE* file) {
    if (!hDib || !file) return false;
    std::uint8_t* p = GlobalLockBlock(hDib);
    if (!p) return false;
    const std::size_t nBlock = GlobalBlockSize(hDib);
    BITMAPINFOHEADER bi;
    if (nBlock < sizeof bi) {
        GlobalUnlockBlock(hDib);
        return false;
    }
    std::memcpy(&bi, p, sizeof bi);
    if (bi.biSize != sizeof bi) {
        GlobalUnlockBlock(hDib);
        return false;
    }
    std::uint64_t nImage;
    if (bi.biCompression == BI_RLE8 || bi.biCompression == BI_RLE4) {
        nImage = bi.biSizeImage;
    } else {
        const std::int64_t nRows = bi.biHeight < 0 ? -static_cast<std::int64_t>(bi.biHeight) : bi.biHeight;
        nImage = static_cast<std::uint64_t>(DibRowStride(bi.biBitCount, bi.biWidth)) * nRows;
    }
    const std::uint64_t nDib = bi.biSize + DibPaletteSize(bi) + nImage;
    if (nDib > nBlock || nDib + 14 > 0xFFFFFFFFu) {
        GlobalUnlockBlock(hDib);
        return false;
    }
    if (bi.biCompression != BI_RLE8 && bi.biCompression != BI_RLE4) {
        bi.biSizeImage = static_cast<std::uint32_t>(nImage);
        std::memcpy(p, &bi, sizeof bi);
    }
    BITMAPFILEHEADER bf{};
    bf.bfType = kBmpMagic;
    bf.bfSize = static_cast<std::uint32_t>(sizeof bf + nDib);
    bf.bfReserved1 = 0;
    bf.bfReserved2 = 0;
    bf.bfOffBits = static_cast<std::uint32_t>(sizeof bf + bi.biSize + DibPaletteSize(bi));
    bool bOk = std::fwrite(&bf, sizeof bf, 1, file) == 1;
    bOk = bOk && std::fwrite(p, 1, static_cast<std::size_t>(nDib), file) == nDib;
    bOk = bOk && std::fflush(file) == 0;
    GlobalUnlockBlock(hDib);
    return bOk;
}
