// BMP reading (CBMPFile) and writing (SaveDIB).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "ImageTestUtil.h"
#include "image/BMPFile.h"
#include "image/DibFile.h"
#include "image/Hdibapi.h"

namespace {

// 2 x 2, 24-bit: bottom row (file row 0) red, green; top row blue, white.
CBytes TwoByTwo() {
    CBytes b = BmpHeaders(54, 2, 2, 24);
    b.Raw({0, 0, 255, 0, 255, 0, 0, 0});      // red, green, 2 padding bytes
    b.Raw({255, 0, 0, 255, 255, 255, 0, 0});  // blue, white, 2 padding bytes
    return b;
}

std::vector<std::uint8_t> Load(CBMPFile& reader, const CBytes& b, int& w, int& h) {
    std::unique_ptr<std::uint8_t[]> p = reader.LoadBMPFromMemory(b.v.data(), b.v.size(), w, h);
    if (!p) return {};
    const int ch = reader.m_bRGBA ? 4 : 3;
    return std::vector<std::uint8_t>(p.get(), p.get() + static_cast<std::size_t>(w) * h * ch);
}

}  // namespace

TEST(BmpFile, TwoByTwo24BitTopRowFirst) {
    CTempDir dir;
    WriteBytes(dir.Path("a.bmp"), TwoByTwo().v);
    CBMPFile reader;
    EXPECT_EQ(reader.GetError(), "OK");
    int w = -1, h = -1;
    std::unique_ptr<std::uint8_t[]> p = reader.LoadBMP(dir.Path("a.bmp"), w, h);
    ASSERT_TRUE(p) << reader.GetError();
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 2);
    const std::vector<std::uint8_t> got(p.get(), p.get() + 12);
    EXPECT_EQ(got, (std::vector<std::uint8_t>{0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0}));
    EXPECT_EQ(reader.GetError(), "OK");
    EXPECT_EQ(reader.m_bytesRead, 54 + 16);
}

TEST(BmpFile, RgbaInvertsColoursAndSetsTheFourthByte) {
    CBMPFile reader;
    reader.m_bRGBA = true;
    int w, h;
    const std::vector<std::uint8_t> px = Load(reader, TwoByTwo(), w, h);
    ASSERT_EQ(px.size(), 16u);
    // White (top right) becomes (0, 0, 0, 255); red (bottom left) (0, 255, 255, 255).
    EXPECT_EQ(std::vector<std::uint8_t>(px.begin() + 4, px.begin() + 8), (std::vector<std::uint8_t>{0, 0, 0, 255}));
    EXPECT_EQ(std::vector<std::uint8_t>(px.begin() + 8, px.begin() + 12),
              (std::vector<std::uint8_t>{0, 255, 255, 255}));
}

TEST(BmpFile, FourBitWithoutColourCountReadsSixteenEntries) {
    CBytes b = BmpHeaders(54 + 64, 3, 1, 4);
    for (int i = 0; i < 16; ++i) b.Raw({i, 2 * i, 3 * i, 0});
    b.Raw({0x1F, 0x70, 0, 0});  // indices 1, 15, 7
    CBMPFile reader;
    int w, h;
    const std::vector<std::uint8_t> px = Load(reader, b, w, h);
    ASSERT_EQ(px.size(), 9u) << reader.GetError();
    EXPECT_EQ(px, (std::vector<std::uint8_t>{3, 2, 1, 45, 30, 15, 21, 14, 7}));
}

TEST(BmpFile, OneAndEightBitTablesAndTopDownRows) {
    CBytes b1 = BmpHeaders(54 + 8, 10, 1, 1);
    b1.Raw({0, 0, 0, 0, 255, 255, 255, 0});
    b1.Raw({0xA0, 0x40, 0, 0});  // pixels 0, 2 and 9 set
    CBMPFile reader;
    int w, h;
    std::vector<std::uint8_t> px = Load(reader, b1, w, h);
    ASSERT_EQ(px.size(), 30u) << reader.GetError();
    EXPECT_EQ(px[0], 255);
    EXPECT_EQ(px[3], 0);
    EXPECT_EQ(px[6], 255);
    EXPECT_EQ(px[27], 255);
    EXPECT_EQ(px[24], 0);

    // 8-bit, two colours listed, height -2: rows are stored top row first.
    CBytes b8 = BmpHeaders(54 + 8, 1, -2, 8, 0, 2);
    b8.Raw({10, 20, 30, 0, 40, 50, 60, 0});
    b8.Raw({0, 0, 0, 0, 1, 0, 0, 0});
    px = Load(reader, b8, w, h);
    ASSERT_EQ(px.size(), 6u) << reader.GetError();
    EXPECT_EQ(px, (std::vector<std::uint8_t>{30, 20, 10, 60, 50, 40}));
}

TEST(BmpFile, IndexBeyondTheListedColoursIsBlackNotARead) {
    CBytes b = BmpHeaders(54 + 4, 1, 1, 8, 0, 1);
    b.Raw({9, 9, 9, 0});
    b.Raw({200, 0, 0, 0});
    CBMPFile reader;
    int w, h;
    EXPECT_EQ(Load(reader, b, w, h), (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST(BmpFile, ColourTableFollowsALongerInformationHeader) {
    // A 108-byte information header: the table starts 68 bytes after the
    // 40 bytes of the classic header.
    CBytes b = BmpHeaders(14 + 108 + 8, 1, 1, 8, 0, 2);
    b.v[14] = 108;
    b.v.insert(b.v.end(), 68, 0xEE);
    b.Raw({10, 20, 30, 0, 40, 50, 60, 0});
    b.Raw({1, 0, 0, 0});
    CBMPFile reader;
    int w, h;
    EXPECT_EQ(Load(reader, b, w, h), (std::vector<std::uint8_t>{60, 50, 40})) << reader.GetError();

    // The same header cut short before its end is a read error.
    b.v.resize(14 + 60);
    EXPECT_TRUE(Load(reader, b, w, h).empty());
    EXPECT_EQ(reader.GetError(), "Read Error!");
}

TEST(BmpFile, RefusalsAndTheirTexts) {
    struct Case {
        const char* what;
        CBytes bytes;
        const char* error;
    };
    CBytes corrupt = BmpHeaders(60, 1, 1, 4);
    for (int i = 0; i < 16; ++i) corrupt.Raw({0, 0, 0, 0});
    corrupt.Raw({0, 0, 0, 0});
    CBytes rle = BmpHeaders(54 + 1024, 2, 2, 8, 1);  // no colour table follows: refused before it
    CBytes notBm;
    notBm.Raw({'P', '6', 0, 0, 0, 0, 0, 0});
    CBytes shortHeader;
    shortHeader.Raw({'B', 'M', 1, 2});
    CBytes shortPixels = BmpHeaders(54, 4, 4, 24);
    shortPixels.Raw({1, 2, 3});
    CBytes huge = BmpHeaders(54, 0x7FFFFFFF, 0x7FFFFFFF, 24);
    CBytes bigOffset = BmpHeaders(0xFFFFFF00u, 1, 1, 24);
    bigOffset.Raw({1, 2, 3, 0});
    CBytes tooManyColours = BmpHeaders(54, 1, 1, 1, 0, 3);
    CBytes zeroWidth = BmpHeaders(54, 0, 1, 24);
    const Case cases[] = {
        {"offset inside the colour table", corrupt, "Corrupt palette"},
        {"RLE8", rle, "This is a compressed file."},
        {"not BM", notBm, "Not a valid BMP File"},
        {"short header", shortHeader, "Read Error!"},
        {"short pixel rows", shortPixels, "Read Error"},
        {"size beyond any file", huge, "Invalid image size"},
        {"offset past the end", bigOffset, "Read Error!"},
        {"more colours than the depth has", tooManyColours, "Corrupt palette"},
        {"zero width", zeroWidth, "Invalid image size"},
    };
    for (const Case& c : cases) {
        CBMPFile reader;
        int w = 7, h = 7;
        EXPECT_FALSE(reader.LoadBMPFromMemory(c.bytes.v.data(), c.bytes.v.size(), w, h)) << c.what;
        EXPECT_EQ(reader.GetError(), c.error) << c.what;
        EXPECT_EQ(w, 0) << c.what;
        EXPECT_EQ(h, 0) << c.what;
    }
}

TEST(BmpFile, SixteenAndThirtyTwoBitFilesAreRefusedByName) {
    for (unsigned bits : {16u, 32u}) {
        CBytes b = BmpHeaders(54, 1, 1, bits);
        b.Raw({1, 2, 3, 4});
        CBMPFile reader;
        int w, h;
        EXPECT_TRUE(Load(reader, b, w, h).empty());
        EXPECT_NE(reader.GetError().find(std::to_string(bits) + " bits per pixel"), std::string::npos)
            << reader.GetError();
    }
}

TEST(BmpFile, MissingFileAndErrorReset) {
    CTempDir dir;
    CBMPFile reader;
    int w, h;
    EXPECT_FALSE(reader.LoadBMP(dir.Path("none.bmp"), w, h));
    EXPECT_EQ(reader.GetError(), "Can't open file for reading :\n" + dir.Path("none.bmp"));
    WriteBytes(dir.Path("a.bmp"), TwoByTwo().v);
    EXPECT_TRUE(reader.LoadBMP(dir.Path("a.bmp"), w, h));
    EXPECT_EQ(reader.GetError(), "OK");
}

TEST(SaveDib, WritesHeadersAndReadsBack) {
    // A 3 x 2 capture: odd width, so rows carry padding.
    CDeviceBitmap bmp;
    bmp.m_nWidth = 3;
    bmp.m_nHeight = 2;
    for (int i = 0; i < 18; ++i) bmp.m_pixels.push_back(static_cast<std::uint8_t>(10 * i));
    HDIB h = BitmapToDIB(bmp, nullptr);
    ASSERT_NE(h, nullptr);
    CTempDir dir;
    std::FILE* f = std::fopen(dir.Path("s.bmp").c_str(), "wb");
    ASSERT_TRUE(f);
    EXPECT_TRUE(SaveDIB(h, f));
    std::fclose(f);
    // The block stays with the caller.
    EXPECT_EQ(GlobalBlockSize(h), 40u + 12u * 2u);
    GlobalFreeBlock(h);

    std::FILE* in = std::fopen(dir.Path("s.bmp").c_str(), "rb");
    ASSERT_TRUE(in);
    std::uint8_t head[54];
    ASSERT_EQ(std::fread(head, 1, 54, in), 54u);
    std::fclose(in);
    BITMAPFILEHEADER bf;
    std::memcpy(&bf, head, sizeof bf);
    EXPECT_EQ(Val(bf.bfType), kBmpMagic);
    EXPECT_EQ(Val(bf.bfSize), 14u + 40u + 24u);
    EXPECT_EQ(Val(bf.bfOffBits), 54u);
    BITMAPINFOHEADER bi;
    std::memcpy(&bi, head + 14, sizeof bi);
    EXPECT_EQ(Val(bi.biSizeImage), 24u);

    CBMPFile reader;
    int w, hgt;
    std::unique_ptr<std::uint8_t[]> px = reader.LoadBMP(dir.Path("s.bmp"), w, hgt);
    ASSERT_TRUE(px) << reader.GetError();
    EXPECT_EQ(std::vector<std::uint8_t>(px.get(), px.get() + 18), bmp.m_pixels);
}

TEST(SaveDib, RefusesWhatItCannotWrite) {
    CTempDir dir;
    std::FILE* f = std::fopen(dir.Path("x.bmp").c_str(), "wb");
    ASSERT_TRUE(f);
    EXPECT_FALSE(SaveDIB(nullptr, f));
    HDIB h = GlobalAllocBlock(40 + 12);
    BITMAPINFOHEADER bi;
    InitBitmapInfoHeader(bi, 3, 2, 24);  // needs 24 pixel bytes, the block has 12
    std::memcpy(GlobalLockBlock(h), &bi, sizeof bi);
    GlobalUnlockBlock(h);
    EXPECT_FALSE(SaveDIB(h, f));
    bi.biSize = 12;
    std::memcpy(GlobalLockBlock(h), &bi, sizeof bi);
    GlobalUnlockBlock(h);
    EXPECT_FALSE(SaveDIB(h, f));
    EXPECT_EQ(h->m_nLocks, 0);
    std::fclose(f);
    GlobalFreeBlock(h);
    std::FILE* in = std::fopen(dir.Path("x.bmp").c_str(), "rb");
    EXPECT_EQ(std::fgetc(in), EOF) << "nothing written";
    std::fclose(in);
}

TEST(SaveDib, AWriteFailureIsReported) {
    std::FILE* full = std::fopen("/dev/full", "wb");
    if (!full) GTEST_SKIP() << "/dev/full not available";
    CDeviceBitmap bmp;
    bmp.m_nWidth = 64;
    bmp.m_nHeight = 64;
    bmp.m_pixels.assign(64 * 64 * 3, 7);
    HDIB h = BitmapToDIB(bmp, nullptr);
    EXPECT_FALSE(SaveDIB(h, full));
    std::fclose(full);
    GlobalFreeBlock(h);
}
