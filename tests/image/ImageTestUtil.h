#pragma once
// Helpers of the image tests: a private temporary folder and builders of
// small image files byte by byte.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    std::string Path(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Little-endian byte building.
struct CBytes {
    std::vector<std::uint8_t> v;
    CBytes& U8(unsigned x) {
        v.push_back(static_cast<std::uint8_t>(x));
        return *this;
    }
    CBytes& U16(unsigned x) {
        U8(x & 0xFF);
        return U8((x >> 8) & 0xFF);
    }
    CBytes& U32(std::uint32_t x) {
        U16(x & 0xFFFF);
        return U16(x >> 16);
    }
    CBytes& Raw(std::initializer_list<int> xs) {
        for (int x : xs) U8(static_cast<unsigned>(x));
        return *this;
    }
};

// A BMP file header and information header; the caller appends the colour
// table and pixels.
CBytes BmpHeaders(std::uint32_t offBits, std::int32_t width, std::int32_t height, unsigned bitCount,
                  std::uint32_t compression = 0, std::uint32_t clrUsed = 0);

// A JPEG made with the library's compressor: components 1 (grey) or 3 (RGB);
// pixels top row first.
std::vector<std::uint8_t> MakeJpeg(int width, int height, int components, const std::vector<std::uint8_t>& pixels,
                                   int quality = 95);

// A copy of a value. Fields of the packed file headers must be copied before
// GoogleTest compares them: it binds references, and a reference to a packed
// field may be misaligned.
template <typename T>
T Val(T v) {
    return v;
}
