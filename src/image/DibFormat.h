#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// The device-independent bitmap layout as it is stored in memory and in BMP
// files: a 14-byte file header, a 40-byte information header, a colour table
// of 4-byte entries and the pixel rows, bottom row first, each row padded to
// a multiple of 4 bytes. The structs are packed and little-endian, as on disk;
// the program runs on little-endian hosts only (checked below).
#include <cstddef>
#include <cstdint>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the DIB structs are read and written in host byte order");

#pragma pack(push, 1)
struct BITMAPFILEHEADER {
    std::uint16_t bfType;  // 'B' 'M'
    std::uint32_t bfSize;  // whole file in bytes
    std::uint16_t bfReserved1;
    std::uint16_t bfReserved2;
    std::uint32_t bfOffBits;  // offset of the pixel rows from the file start
};

struct BITMAPINFOHEADER {
    std::uint32_t biSize;  // 40
    std::int32_t biWidth;
    std::int32_t biHeight;   // positive: bottom-up rows
    std::uint16_t biPlanes;  // 1
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};

struct RGBQUAD {
    std::uint8_t rgbBlue;
    std::uint8_t rgbGreen;
    std::uint8_t rgbRed;
    std::uint8_t rgbReserved;
};

struct PALETTEENTRY {
    std::uint8_t peRed;
    std::uint8_t peGreen;
    std::uint8_t peBlue;
    std::uint8_t peFlags;
};
#pragma pack(pop)

static_assert(sizeof(BITMAPFILEHEADER) == 14, "file header is 14 bytes");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "information header is 40 bytes");
static_assert(sizeof(RGBQUAD) == 4, "colour table entries are 4 bytes");

constexpr std::uint16_t kBmpMagic = 0x4D42;  // "BM" read as a little-endian word
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint8_t PC_EXPLICIT = 2;  // palette entry holds an index, not a colour

// Number of colours of a DIB: colours used when set, otherwise 2, 16 or 256
// for 1, 4 and 8 bits per pixel and 0 for any other depth.
std::uint32_t DibNumColors(const BITMAPINFOHEADER& bi);
// Size of the colour table in bytes.
std::size_t DibPaletteSize(const BITMAPINFOHEADER& bi);
// Bytes of one pixel row padded to a multiple of 4 bytes.
std::size_t DibRowStride(int nBitCount, int nWidth);
// Bytes of one pixel row without padding: ((width * bits - 1) / 8) + 1.
std::size_t DibPackedRowLength(int nBitCount, int nWidth);
