// CDIBitmap: creation from a device bitmap, file load and save, padding,
// drawing and resources.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "ImageTestUtil.h"
#include "image/DIBitmap.h"

namespace {
// A 5 x 2 device bitmap (odd packed row length 15): pixel (x, y) = (x, y, 7).
CDeviceBitmap FiveByTwo() {
    CDeviceBitmap bmp;
    bmp.m_nWidth = 5;
    bmp.m_nHeight = 2;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) {
            bmp.m_pixels.push_back(static_cast<std::uint8_t>(x));
            bmp.m_pixels.push_back(static_cast<std::uint8_t>(y));
            bmp.m_pixels.push_back(7);
        }
    return bmp;
}

std::uint32_t Argb(int r, int g, int b) {
    return 0xFF000000u | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}
}  // namespace

TEST(DIBitmapTest, CreateFromBitmapSaveAndLoadKeepThePixels) {
    CDIBitmap dib;
    ASSERT_TRUE(dib.CreateFromBitmap(FiveByTwo()));
    EXPECT_EQ(dib.GetWidth(), 5);
    EXPECT_EQ(dib.GetHeight(), 2);
    EXPECT_EQ(dib.GetBitCount(), 24);
    EXPECT_EQ(dib.GetPalette(), nullptr);
    EXPECT_TRUE(dib.IsPadded());

    std::stringstream file;
    ASSERT_TRUE(dib.Save(file));
    const std::string bytes = file.str();
    ASSERT_EQ(bytes.size(), 14u + 40u + 16u * 2u) << "rows padded once, no colour table for 24 bits";
    BITMAPINFOHEADER bi;
    std::memcpy(&bi, bytes.data() + 14, sizeof bi);
    EXPECT_EQ(Val(bi.biSizeImage), 0u);

    CDIBitmap back;
    ASSERT_TRUE(back.Load(file));
    CArgbImage img(5, 2, 0);
    back.Draw(img, 0, 0, 5, 2);
    EXPECT_EQ(img.At(0, 0), Argb(0, 0, 7));
    EXPECT_EQ(img.At(4, 0), Argb(4, 0, 7));
    EXPECT_EQ(img.At(3, 1), Argb(3, 1, 7));
}

TEST(DIBitmapTest, PadAndUnpadMoveRowsBetweenStrides) {
    CDIBitmap dib;
    ASSERT_TRUE(dib.CreateFromBitmap(FiveByTwo()));
    const std::vector<std::uint8_t> padded(dib.GetPixelPtr(), dib.GetPixelPtr() + 32);
    dib.UnPadBits();
    EXPECT_FALSE(dib.IsPadded());
    // Row 1 now starts at byte 15.
    EXPECT_TRUE(std::equal(padded.begin() + 16, padded.begin() + 31, dib.GetPixelPtr() + 15));
    CArgbImage img(5, 2, 0);
    dib.Draw(img, CRect(0, 0, 5, 2), CRect(0, 0, 5, 2));
    EXPECT_EQ(img.At(4, 1), Argb(4, 1, 7)) << "drawing honours the packed rows";
    dib.PadBits();
    EXPECT_TRUE(dib.IsPadded());
    EXPECT_TRUE(std::equal(padded.begin(), padded.begin() + 15, dib.GetPixelPtr()));
    EXPECT_TRUE(std::equal(padded.begin() + 16, padded.begin() + 31, dib.GetPixelPtr() + 16));
}

TEST(DIBitmapTest, EightBitFileWithPaletteRoundTrips) {
    CBytes b = BmpHeaders(54 + 12, 3, 2, 8, 0, 3);
    b.Raw({0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0});
    b.Raw({0, 1, 2, 0});  // bottom row
    b.Raw({2, 2, 1, 0});  // top row
    CDIBitmap dib;
    ASSERT_TRUE(dib.LoadFromMemory(b.v.data(), b.v.size()));
    EXPECT_EQ(dib.GetPalEntries(), 3u);
    ASSERT_NE(dib.GetPalette(), nullptr);
    EXPECT_EQ(dib.GetPalette()->m_entries.size(), 3u);
    EXPECT_EQ(dib.GetPalette()->m_entries[0].peRed, 255);

    CArgbImage img(3, 2, 0);
    // Source rectangle (1, 0)-(3, 1): the top row's last two pixels.
    dib.Draw(img, CRect(0, 0, 3, 2), CRect(1, 0, 3, 1));
    EXPECT_EQ(img.At(0, 0), Argb(0, 0, 255));
    EXPECT_EQ(img.At(1, 0), Argb(0, 255, 0));
    EXPECT_EQ(img.At(0, 1), 0u);

    CTempDir dir;
    ASSERT_TRUE(dib.Save(dir.Path("p.bmp")));
    CDIBitmap back;
    ASSERT_TRUE(back.Load(dir.Path("p.bmp")));
    EXPECT_EQ(back.GetPalEntries(), 3u);
    EXPECT_TRUE(std::equal(dib.GetPixelPtr(), dib.GetPixelPtr() + 8, back.GetPixelPtr()));
    EXPECT_FALSE(dib.Save(dir.Path("no/such/folder/p.bmp")));
}

TEST(DIBitmapTest, BadFilesLeaveTheObjectEmpty) {
    CBytes os2 = BmpHeaders(54, 1, 1, 24);
    os2.v[14] = 12;
    CBytes rle = BmpHeaders(54, 1, 1, 8, 1);
    rle.Raw({0, 0, 0, 0});
    CBytes shortRows = BmpHeaders(54, 8, 8, 24);
    shortRows.Raw({1, 2, 3});
    CBytes offsetPastEnd = BmpHeaders(1000, 1, 1, 24);
    offsetPastEnd.Raw({1, 2, 3, 0});
    CBytes notBm;
    notBm.Raw({'G', 'I', 'F', '8'});
    for (const CBytes* b : {&os2, &rle, &shortRows, &offsetPastEnd, &notBm}) {
        CDIBitmap dib;
        EXPECT_FALSE(dib.LoadFromMemory(b->v.data(), b->v.size()));
        EXPECT_TRUE(dib.IsEmpty());
        EXPECT_EQ(dib.GetPixelPtr(), nullptr);
    }
}

TEST(DIBitmapTest, LoadResourceFromTheResourceFolder) {
    CTempDir dir;
    CBytes b = BmpHeaders(54 + 8, 2, 1, 1);
    b.Raw({0, 0, 0, 0, 255, 255, 255, 0});
    b.Raw({0x40, 0, 0, 0});
    WriteBytes(dir.Path("logo.bmp"), b.v);
    CDIBitmap dib;
    ASSERT_TRUE(dib.LoadResource("logo.bmp", dir.Path("")));
    // Converted to the screen's true colour depth.
    EXPECT_EQ(dib.GetBitCount(), 24);
    CArgbImage img(2, 1, 0);
    dib.Draw(img, 0, 0, 2, 1);
    EXPECT_EQ(img.At(0, 0), Argb(0, 0, 0));
    EXPECT_EQ(img.At(1, 0), Argb(255, 255, 255));
    EXPECT_FALSE(dib.LoadResource("missing.bmp", dir.Path("")));
    EXPECT_TRUE(dib.IsEmpty());
}
