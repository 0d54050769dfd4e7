// JPEG decoding and the vertical flip.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ImageTestUtil.h"
#include "image/JpegFile.h"
#include "support/ScriptedPrompt.h"

namespace {
// A 16 x 8 image: left half red, right half blue (flat colours survive JPEG
// almost unchanged).
std::vector<std::uint8_t> Halves() {
    std::vector<std::uint8_t> px;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            if (x < 8) px.insert(px.end(), {220, 20, 20});
            else px.insert(px.end(), {20, 20, 220});
        }
    return px;
}

bool Near(int a, int b, int tol = 12) { return std::abs(a - b) <= tol; }
}  // namespace

TEST(JpegRead, ColourImageTopRowFirst) {
    CTempDir dir;
    // Top half bright, bottom half dark, to see the row order.
    std::vector<std::uint8_t> px;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) px.insert(px.end(), 3, static_cast<std::uint8_t>(y < 8 ? 230 : 20));
    WriteBytes(dir.Path("a.jpg"), MakeJpeg(8, 16, 3, px));
    CScriptedPrompt prompt;
    int w = 0, h = 0;
    std::unique_ptr<std::uint8_t[]> rgb = JpegFileToRGB(dir.Path("a.jpg"), w, h, prompt);
    ASSERT_TRUE(rgb);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 16);
    EXPECT_TRUE(Near(rgb[0], 230));
    EXPECT_TRUE(Near(rgb[(15 * 8 + 7) * 3], 20));
    EXPECT_TRUE(prompt.Empty());

    WriteBytes(dir.Path("b.jpg"), MakeJpeg(16, 8, 3, Halves()));
    rgb = JpegFileToRGB(dir.Path("b.jpg"), w, h, prompt);
    ASSERT_TRUE(rgb);
    EXPECT_TRUE(Near(rgb[0], 220) && Near(rgb[2], 20));
    EXPECT_TRUE(Near(rgb[15 * 3], 20) && Near(rgb[15 * 3 + 2], 220));
}

TEST(JpegRead, GreyImageGivesEqualChannels) {
    std::vector<std::uint8_t> grey(16 * 16);
    for (std::size_t i = 0; i < grey.size(); ++i) grey[i] = static_cast<std::uint8_t>(i);
    const std::vector<std::uint8_t> bytes = MakeJpeg(16, 16, 1, grey);
    CScriptedPrompt prompt;
    int w = 0, h = 0;
    std::unique_ptr<std::uint8_t[]> rgb = JpegMemToRGB(bytes.data(), bytes.size(), w, h, prompt);
    ASSERT_TRUE(rgb);
    ASSERT_EQ(w * h, 256);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(rgb[3 * i], rgb[3 * i + 1]);
        EXPECT_EQ(rgb[3 * i], rgb[3 * i + 2]);
    }
    EXPECT_TRUE(Near(rgb[3 * 255], 255));
}

TEST(JpegRead, TruncatedAndBrokenFilesGiveNothingAndNoMessage) {
    std::vector<std::uint8_t> bytes = MakeJpeg(16, 8, 3, Halves());
    CScriptedPrompt prompt;
    int w = 5, h = 5;
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() * 2 / 3));
    EXPECT_FALSE(JpegMemToRGB(cut.data(), cut.size(), w, h, prompt));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    const std::vector<std::uint8_t> junk{0xFF, 0xD8, 0xFF, 0xC0, 0, 3, 1, 2, 3};
    EXPECT_FALSE(JpegMemToRGB(junk.data(), junk.size(), w, h, prompt));
    const std::vector<std::uint8_t> notJpeg{'B', 'M', 0, 0};
    EXPECT_FALSE(JpegMemToRGB(notJpeg.data(), notJpeg.size(), w, h, prompt));
    EXPECT_TRUE(prompt.Empty());
}

TEST(JpegRead, CmykIsRefused) {
    std::vector<std::uint8_t> cmyk(8 * 8 * 4, 100);
    const std::vector<std::uint8_t> bytes = MakeJpeg(8, 8, 4, cmyk);
    CScriptedPrompt prompt;
    int w, h;
    EXPECT_FALSE(JpegMemToRGB(bytes.data(), bytes.size(), w, h, prompt));
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], "JpegFile :\nCMYK images are not supported");
}

TEST(JpegRead, HeaderClaimingAHugeImageIsRefusedBeforeDecoding) {
    std::vector<std::uint8_t> bytes = MakeJpeg(8, 8, 3, std::vector<std::uint8_t>(8 * 8 * 3, 9));
    // Patch the frame header (FFC0: length, precision, height, width) to 60000 x 60000.
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = 0xEA;
            bytes[i + 6] = 0x60;
            bytes[i + 7] = 0xEA;
            bytes[i + 8] = 0x60;
            break;
        }
    }
    CScriptedPrompt prompt;
    int w, h;
    EXPECT_FALSE(JpegMemToRGB(bytes.data(), bytes.size(), w, h, prompt));
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], "JpegFile :\nImage too large");
}

TEST(JpegRead, MissingFileIsReported) {
    CTempDir dir;
    CScriptedPrompt prompt;
    int w, h;
    EXPECT_FALSE(JpegFileToRGB(dir.Path("x.jpg"), w, h, prompt));
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], "JPEG :\nCan't open " + dir.Path("x.jpg") + "\n");
}

TEST(VertFlip, SwapsOuterRowsAndKeepsTheMiddle) {
    std::vector<std::uint8_t> buf{1, 2, 3, 4, 5, 6};
    VertFlipBuf(buf.data(), 2, 3);
    EXPECT_EQ(buf, (std::vector<std::uint8_t>{5, 6, 3, 4, 1, 2}));
    VertFlipBuf(buf.data(), 3, 2);
    EXPECT_EQ(buf, (std::vector<std::uint8_t>{4, 1, 2, 5, 6, 3}));
    std::vector<std::uint8_t> one{7, 8, 9};
    VertFlipBuf(one.data(), 3, 1);
    EXPECT_EQ(one, (std::vector<std::uint8_t>{7, 8, 9}));
}
