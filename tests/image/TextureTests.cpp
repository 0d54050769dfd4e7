// The headless part of CTexture: choosing the reader, the flip and the size.
#include <gtest/gtest.h>

#include "ImageTestUtil.h"
#include "image/Texture.h"
#include "support/ScriptedPrompt.h"

namespace {
// A 24-bit BMP of width x height whose rows are grey 10 * (row from the top).
std::vector<std::uint8_t> GreyRowsBmp(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    CBytes b = BmpHeaders(54, width, height, 24);
    for (int r = height - 1; r >= 0; --r) {
        for (int x = 0; x < width; ++x) b.Raw({10 * r, 10 * r, 10 * r});
        for (int p = width * 3; p < stride; ++p) b.U8(0);
    }
    return b.v;
}
}  // namespace

TEST(TextureLoad, ReaderFollowsTheLastThreeLettersOfTheName) {
    CTempDir dir;
    const std::vector<std::uint8_t> jpeg = MakeJpeg(8, 8, 3, std::vector<std::uint8_t>(8 * 8 * 3, 128));
    WriteBytes(dir.Path("wall.JPG"), jpeg);
    WriteBytes(dir.Path("wall.jpeg"), jpeg);
    CScriptedPrompt prompt;
    CTexture jpg("wall.JPG");
    EXPECT_TRUE(jpg.Load(dir.Path("wall.JPG"), prompt));
    EXPECT_EQ(jpg.m_nWidth, 8);
    CTexture other("wall.jpeg");
    EXPECT_FALSE(other.Load(dir.Path("wall.jpeg"), prompt)) << "read as BMP, which it is not";
    EXPECT_FALSE(other.GetPixels());
    EXPECT_TRUE(prompt.Empty());
}

TEST(TextureLoad, BottomRowComesFirstAndSizeIsChosen) {
    CTempDir dir;
    WriteBytes(dir.Path("t.bmp"), GreyRowsBmp(8, 4));
    CScriptedPrompt prompt;
    CTexture tex("t.bmp");
    ASSERT_TRUE(tex.Load(dir.Path("t.bmp"), prompt));
    EXPECT_EQ(tex.GetFileName(), dir.Path("t.bmp"));
    EXPECT_EQ(tex.GetPixels()[0], 30) << "bottom image row first";
    EXPECT_EQ(tex.GetPixels()[3 * 8 * 3], 0) << "top image row last";
    EXPECT_EQ(tex.m_nSize, 4);

    // A 3 x 3 image keeps the previous size.
    WriteBytes(dir.Path("s.bmp"), GreyRowsBmp(3, 3));
    ASSERT_TRUE(tex.Load(dir.Path("s.bmp"), prompt));
    EXPECT_EQ(tex.m_nSize, 4);
    EXPECT_EQ(tex.m_nWidth, 3);
}

TEST(TextureLoad, SquareSizes) {
    EXPECT_EQ(CTexture::SquareSize(512, 256, 0), 256);
    EXPECT_EQ(CTexture::SquareSize(4096, 2048, 0), 1024);
    EXPECT_EQ(CTexture::SquareSize(300, 200, 0), 128);
    EXPECT_EQ(CTexture::SquareSize(3, 3, 64), 64);
    EXPECT_EQ(CTexture::SquareSize(1000, 3, 16), 16);
    EXPECT_EQ(CTexture::SquareSize(4, 4, 64), 4);
}

TEST(TextureLoad, AlphaTexturesHaveFourBytesPerPixel) {
    CTempDir dir;
    WriteBytes(dir.Path("a.bmp"), GreyRowsBmp(4, 2));
    WriteBytes(dir.Path("a.jpg"), MakeJpeg(4, 2, 3, std::vector<std::uint8_t>(4 * 2 * 3, 200)));
    CScriptedPrompt prompt;
    CTexture bmp("a.bmp");
    bmp.m_bAlpha = true;
    ASSERT_TRUE(bmp.Load(dir.Path("a.bmp"), prompt));
    EXPECT_EQ(bmp.Components(), 4);
    // Bottom row grey 10, inverted to 245, then 255.
    EXPECT_EQ(bmp.GetPixels()[0], 245);
    EXPECT_EQ(bmp.GetPixels()[3], 255);
    EXPECT_EQ(bmp.GetPixels()[4 * 4], 255) << "top row (grey 0) inverted";
    CTexture jpg("a.jpg");
    jpg.m_bAlpha = true;
    ASSERT_TRUE(jpg.Load(dir.Path("a.jpg"), prompt));
    EXPECT_EQ(jpg.GetPixels()[3], 255);
    EXPECT_EQ(jpg.GetPixels()[4 * 2 * 4 - 1], 255);
}
