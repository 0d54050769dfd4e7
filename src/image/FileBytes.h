#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// Whole-file reading for the image readers, which then parse the bytes with
// every read checked against the end of the buffer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Largest file the image readers take (textures and pictures are far smaller).
constexpr std::size_t kMaxImageFileBytes = std::size_t(1) << 30;

// Reads the file into out. False when it cannot be opened or read, or is
// larger than kMaxImageFileBytes.
bool ReadFileBytes(const std::string& name, std::vector<std::uint8_t>& out);

// A cursor over bytes: every read reports whether the bytes were there.
class CByteReader {
public:
    CByteReader(const std::uint8_t* pData, std::size_t nSize) : m_pData(pData), m_nSize(nSize) {}
    bool ReadU8(std::uint8_t& v);
    bool ReadU16(std::uint16_t& v);
    bool ReadU32(std::uint32_t& v);
    bool ReadI16(std::int16_t& v);
    bool ReadI32(std::int32_t& v);
    // Copies up to n bytes; returns how many were there.
    std::size_t Read(void* p, std::size_t n);
    bool Skip(std::size_t n);
    std::size_t Position() const { return m_nPos; }
    std::size_t Remaining() const { return m_nSize - m_nPos; }
    std::size_t Size() const { return m_nSize; }

private:
    const std::uint8_t* m_pData;
    std::size_t m_nSize;
    std::size_t m_nPos = 0;
};
