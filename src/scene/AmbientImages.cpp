#include "scene/AmbientImages.h"

#include <cstdint>
#include <vector>

#include "image/FileBytes.h"
#include "model/Ambient.h"

namespace {
std::uint32_t U32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
std::uint16_t U16(const unsigned char* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

// Largest face image taken; bigger ones are refused rather than allocated.
constexpr int kMaxSide = 16384;
}  // namespace

int FloorPowerOfTwo(int n) {
    if (n < 1) return 0;
    int p = 1;
    while (p <= n / 2) p *= 2;
    return p;
}

bool ReadFaceImage(const std::string& path, FaceTexture& out) {
    out = FaceTexture{};
    // Only 24-bit uncompressed bottom-up images are face images; anything
    // else, or a file shorter than its headers say, leaves the face out.
    // Offsets are those of the 14-byte file header and the 40-byte info header.
    std::vector<std::uint8_t> file;
    if (!ReadFileBytes(path, file) || file.size() < 14 + 40 || U16(&file[0]) != 0x4D42) return false;
    const std::uint32_t offBits = U32(&file[10]);
    const std::int32_t width = static_cast<std::int32_t>(U32(&file[18]));
    const std::int32_t height = static_cast<std::int32_t>(U32(&file[22]));
    const std::uint16_t bits = U16(&file[28]);
    const std::uint32_t compression = U32(&file[30]);
    if (bits != 24 || compression != 0 || width < 1 || height < 1 || width > kMaxSide || height > kMaxSide ||
        offBits < 14)
        return false;
    const std::size_t stride = ((3 * std::size_t(width) + 3) / 4) * 4;
    const std::size_t start = offBits;
    if (start > file.size() || file.size() - start < stride * std::size_t(height)) return false;

    const int tw = FloorPowerOfTwo(width), th = FloorPowerOfTwo(height);
    out.m_nWidth = tw;
    out.m_nHeight = th;
    out.m_Pixels.resize(std::size_t(tw) * th * 3);
    for (int j = 0; j < th; ++j) {
        const std::size_t srcRow = std::size_t(j) * height / th;
        const unsigned char* src = &file[start + srcRow * stride];
        unsigned char* dst = &out.m_Pixels[std::size_t(j) * tw * 3];
        for (int k = 0; k < tw; ++k) {
            const std::size_t sc = std::size_t(k) * width / tw;
            dst[3 * k + 0] = src[3 * sc + 2];  // BGR -> RGB
            dst[3 * k + 1] = src[3 * sc + 1];
            dst[3 * k + 2] = src[3 * sc + 0];
        }
    }
    out.m_bLoaded = true;
    return true;
}
