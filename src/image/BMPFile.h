#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// Reader of BMP files into a plain pixel buffer: rows top to bottom, no
// padding, 3 bytes per pixel (red, green, blue) or, with m_bRGBA, 4 bytes
// (255 - red, 255 - green, 255 - blue, 255). Uncompressed 1-, 4-, 8- and
// 24-bit files are read; everything else is refused with a text in
// m_errorText. The file is untrusted: sizes are checked against the file
// before anything is allocated.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CBMPFile {
public:
    CBMPFile() = default;

    // The pixels, or null with width and height 0 and the reason in GetError().
    std::unique_ptr<std::uint8_t[]> LoadBMP(const std::string& name, int& nWidth, int& nHeight);
    // The same on the bytes of a file already in memory.
    std::unique_ptr<std::uint8_t[]> LoadBMPFromMemory(const std::uint8_t* pData, std::size_t nSize, int& nWidth,
                                                      int& nHeight);
    const std::string& GetError() const { return m_errorText; }

    std::string m_errorText = "OK";
    int m_bytesRead = 0;
    bool m_bRGBA = false;

private:
    std::unique_ptr<std::uint8_t[]> Fail(const char* text);
};
