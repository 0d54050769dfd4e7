#include "image/BMPFile.h"

#include <cstdio>
#include <new>
#include <vector>

#include "image/DibFormat.h"
#include "image/FileBytes.h"

namespace {
// Larger images are refused: the buffer would not be addressable as int.
constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 28;
}  // namespace

std::unique_ptr<std::uint8_t[]> CBMPFile::Fail(const char* text) {
    m_errorText = text;
    return nullptr;
}

std::unique_ptr<std::uint8_t[]> CBMPFile::LoadBMP(const std::string& name, int& nWidth, int& nHeight) {
    m_errorText = "OK";
    m_bytesRead = 0;
    nWidth = nHeight = 0;
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(name, bytes)) {
        m_errorText = "Can't open file for reading :\n" + name;
        return nullptr;
    }
    return LoadBMPFromMemory(bytes.data(), bytes.size(), nWidth, nHeight);
}

std::unique_ptr<std::uint8_t[]> CBMPFile::LoadBMPFromMemory(const std::uint8_t* pData, std::size_t nSize, int& nWidth,
                                                            int& nHeight) {
    m_errorText = "OK";
    m_bytesRead = 0;
    nWidth = nHeight = 0;
    CByteReader in(pData, pData ? nSize : 0);

    std::uint8_t b = 0, m = 0;
    if (!in.ReadU8(b) || !in.ReadU8(m)) return Fail("Read Error!");
    if (b != 'B' || m != 'M') return Fail("Not a valid BMP File");

    std::uint32_t fileSize, offBits, hdrSize, compression, sizeImage, clrUsed, clrImportant;
    std::uint16_t res1, res2, planes, bitCount;
    std::int32_t width, height, xRes, yRes;
    if (!in.ReadU32(fileSize) || !in.ReadU16(res1) || !in.ReadU16(res2) || !in.ReadU32(offBits) ||
        !in.ReadU32(hdrSize) || !in.ReadI32(width) || !in.ReadI32(height) || !in.ReadU16(planes) ||
        !in.ReadU16(bitCount) || !in.ReadU32(compression) || !in.ReadU32(sizeImage) || !in.ReadI32(xRes) ||
        !in.ReadI32(yRes) || !in.ReadU32(clrUsed) || !in.ReadU32(clrImportant))
        return Fail("Read Error!");
    m_bytesRead = static_cast<int>(in.Position());

    if (compression != BI_RGB) return Fail("This is a compressed file.");
    if (hdrSize < sizeof(BITMAPINFOHEADER)) return Fail("Unsupported BMP header (OS/2 format)");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) {
        m_errorText =
            "Unsupported BMP format: " + std::to_string(bitCount) + " bits per pixel (only 1, 4, 8 and 24 are read)";
        return nullptr;
    }
    // A negative height marks top-down rows; zero or negative width is no image.
    const bool bTopDown = height < 0;
    const std::int64_t nRows = bTopDown ? -static_cast<std::int64_t>(height) : height;
    if (width <= 0 || nRows == 0 || static_cast<std::uint64_t>(width) * nRows > kMaxPixels)
        return Fail("Invalid image size");

    // Colour table: every index the pixels can hold is backed by an entry;
    // entries the file does not list stay black.
    std::vector<RGBQUAD> table;
    if (bitCount <= 8) {
        // The table follows the whole information header, which newer
        // writers make longer than the 40 bytes read above.
        if (!in.Skip(hdrSize - sizeof(BITMAPINFOHEADER))) return Fail("Read Error!");
        const std::uint32_t nMax = 1u << bitCount;
        if (clrUsed == 0) clrUsed = nMax;
        if (clrUsed > nMax) return Fail("Corrupt palette");
        table.assign(nMax, RGBQUAD{0, 0, 0, 0});
        for (std::uint32_t i = 0; i < clrUsed; ++i) {
            if (in.Read(&table[i], 4) != 4) return Fail("Read Error!");
        }
        m_bytesRead = static_cast<int>(in.Position());
    }

    if (offBits < in.Position()) return Fail("Corrupt palette");
    if (!in.Skip(offBits - in.Position())) {
        m_bytesRead = static_cast<int>(in.Position());
        return Fail("Read Error!");
    }
    m_bytesRead = static_cast<int>(in.Position());

    // The pixel rows must all be in the file before the buffer is allocated.
    const std::size_t nStride = DibRowStride(bitCount, width);
    if (static_cast<std::uint64_t>(nStride) * nRows > in.Remaining()) return Fail("Read Error");

    const int nChannels = m_bRGBA ? 4 : 3;
    const std::size_t nOut = static_cast<std::size_t>(width) * static_cast<std::size_t>(nRows) * nChannels;
    std::unique_ptr<std::uint8_t[]> out(new (std::nothrow) std::uint8_t[nOut]());
    if (!out) return Fail("Memory alloc Failed");

    const std::uint8_t* row0 = pData + offBits;
    const unsigned mask = (1u << (bitCount <= 8 ? bitCount : 1)) - 1u;
    for (std::int64_t r = 0; r < nRows; ++r) {
        const std::uint8_t* src = row0 + static_cast<std::size_t>(r) * nStride;
        const std::int64_t outRow = bTopDown ? r : nRows - 1 - r;
        std::uint8_t* dst = out.get() + static_cast<std::size_t>(outRow) * width * nChannels;
        int bitsLeft = 0;
        std::size_t byteIdx = 0;
        unsigned cur = 0;
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint8_t red, green, blue;
            if (bitCount == 24) {
                blue = src[3 * x];
                green = src[3 * x + 1];
                red = src[3 * x + 2];
            } else {
                if (bitsLeft < 1) {
                    cur = src[byteIdx++];
                    bitsLeft = 8;
                }
                bitsLeft -= bitCount;
                const RGBQUAD& q = table[(cur >> bitsLeft) & mask];
                red = q.rgbRed;
                green = q.rgbGreen;
                blue = q.rgbBlue;
            }
            if (m_bRGBA) {
                dst[0] = static_cast<std::uint8_t>(255 - red);
                dst[1] = static_cast<std::uint8_t>(255 - green);
                dst[2] = static_cast<std::uint8_t>(255 - blue);
                dst[3] = 255;
            } else {
                dst[0] = red;
                dst[1] = green;
                dst[2] = blue;
            }
            dst += nChannels;
        }
        m_bytesRead += static_cast<int>(nStride);
    }
    nWidth = width;
    nHeight = static_cast<int>(nRows);
    return out;
}
