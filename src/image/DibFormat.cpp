#include "image/DibFormat.h"

std::uint32_t DibNumColors(const BITMAPINFOHEADER& bi) {
    if (bi.biClrUsed != 0) return bi.biClrUsed;
    switch (bi.biBitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

std::size_t DibPaletteSize(const BITMAPINFOHEADER& bi) {
    return static_cast<std::size_t>(DibNumColors(bi)) * sizeof(RGBQUAD);
}

std::size_t DibRowStride(int nBitCount, int nWidth) {
    if (nBitCount <= 0 || nWidth <= 0) return 0;
    const std::uint64_t bits = static_cast<std::uint64_t>(nBitCount) * static_cast<std::uint64_t>(nWidth);
    return static_cast<std::size_t>((bits + 31) / 32 * 4);
}

std::size_t DibPackedRowLength(int nBitCount, int nWidth) {
    if (nBitCount <= 0 || nWidth <= 0) return 0;
    const std::uint64_t bits = static_cast<std::uint64_t>(nBitCount) * static_cast<std::uint64_t>(nWidth);
    return static_cast<std::size_t>((bits - 1) / 8 + 1);
}
