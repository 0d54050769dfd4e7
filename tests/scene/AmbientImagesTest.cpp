// Face images of the ambient box: power-of-two sizes by nearest-neighbour
// sampling, BGR to RGB, refusal of files that are short or not 24-bit.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/Ambient.h"
#include "scene/AmbientImages.h"

namespace {
namespace fs = std::filesystem;

// A 24-bit BMP whose pixel (x, y from the bottom) is (b, g, r) = (x, y, 7).
std::string WriteBmp(const std::string& name, int w, int h, int bits = 24, std::size_t cut = 0) {
    const fs::path path = fs::temp_directory_path() / name;
    const int stride = ((3 * w + 3) / 4) * 4;
    std::vector<unsigned char> f(54 + std::size_t(stride) * h, 0);
    auto put32 = [&](int at, unsigned v) {
        for (int i = 0; i < 4; ++i) f[at + i] = (v >> (8 * i)) & 255;
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, unsigned(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, unsigned(w));
    put32(22, unsigned(h));
    f[26] = 1;
    f[28] = static_cast<unsigned char>(bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &f[54 + std::size_t(y) * stride + 3 * x];
            p[0] = static_cast<unsigned char>(x);
            p[1] = static_cast<unsigned char>(y);
            p[2] = 7;
        }
    f.resize(f.size() - cut);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(f.data(), 1, f.size(), file);
    std::fclose(file);
    return path.string();
}
}  // namespace

TEST(AmbientImages, NonPowerOfTwoImageIsSampledDown) {
    const std::string path = WriteBmp("plumex_face_300x200.bmp", 300, 200);
    FaceTexture t;
    ASSERT_TRUE(ReadFaceImage(path, t));
    fs::remove(path);
    EXPECT_TRUE(t.m_bLoaded);
    EXPECT_EQ(t.m_nWidth, 256);
    EXPECT_EQ(t.m_nHeight, 128);
    // Target (k, j) takes source column k * 300 / 256 and row j * 200 / 128.
    const int k = 200, j = 100;
    const unsigned char* p = &t.m_Pixels[(std::size_t(j) * 256 + k) * 3];
    EXPECT_EQ(p[0], 7);                      // red
    EXPECT_EQ(p[1], (j * 200 / 128) & 255);  // green
    EXPECT_EQ(p[2], (k * 300 / 256) & 255);  // blue
}

TEST(AmbientImages, PowerOfTwoImageIsCopiedWithRedAndBlueSwapped) {
    const std::string path = WriteBmp("plumex_face_256.bmp", 256, 256);
    FaceTexture t;
    ASSERT_TRUE(ReadFaceImage(path, t));
    fs::remove(path);
    EXPECT_EQ(t.m_nWidth, 256);
    for (int k : {0, 17, 255}) {
        const unsigned char* p = &t.m_Pixels[(std::size_t(40) * 256 + k) * 3];
        EXPECT_EQ(p[0], 7);
        EXPECT_EQ(p[1], 40);
        EXPECT_EQ(p[2], k);
    }
}

TEST(AmbientImages, MissingShortAndPalettedFilesAreLeftOut) {
    FaceTexture t;
    EXPECT_FALSE(ReadFaceImage("/nonexistent/SeaBed.bmp", t));
    EXPECT_FALSE(t.m_bLoaded);
    const std::string shortFile = WriteBmp("plumex_face_short.bmp", 64, 64, 24, 100);
    EXPECT_FALSE(ReadFaceImage(shortFile, t));
    fs::remove(shortFile);
    const std::string eightBit = WriteBmp("plumex_face_8bit.bmp", 64, 64, 8);
    EXPECT_FALSE(ReadFaceImage(eightBit, t));
    fs::remove(eightBit);
    EXPECT_FALSE(t.m_bLoaded);
    EXPECT_EQ(FloorPowerOfTwo(1), 1);
    EXPECT_EQ(FloorPowerOfTwo(300), 256);
    EXPECT_EQ(FloorPowerOfTwo(0), 0);
}
