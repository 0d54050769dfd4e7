// The TGA loader and writer.
#include <gtest/gtest.h>

#include "ImageTestUtil.h"
#include "image/TgaLoader.h"
#include "image/TgaWriter.h"
#include "support/ScriptedPrompt.h"

namespace {

CBytes TgaHeader(int type, int width, int height, int depth, int descriptor = 0, int mapLength = 0, int mapBits = 0,
                 int idLength = 0) {
    CBytes b;
    b.U8(idLength).U8(mapLength ? 1 : 0).U8(type).U16(0).U16(mapLength).U8(mapBits);
    b.U16(0).U16(0).U16(width).U16(height).U8(depth).U8(descriptor);
    return b;
}

struct CLoaded {
    bool ok = false;
    int w = 0, h = 0;
    std::vector<std::uint8_t> px;
};

CLoaded Load(const CBytes& b, CScriptedPrompt& prompt) {
    CLoaded r;
    std::unique_ptr<std::uint8_t[]> buf;
    r.ok = LoadTGAFromMemory(b.v.data(), b.v.size(), r.w, r.h, buf, prompt);
    if (r.ok) r.px.assign(buf.get(), buf.get() + static_cast<std::size_t>(r.w) * r.h * 4);
    return r;
}

}  // namespace

TEST(TgaLoad, Uncompressed24BitPixelsAreSwappedToRgb) {
    CBytes b = TgaHeader(2, 2, 1, 24);
    b.Raw({1, 2, 3, 4, 5, 6});
    CScriptedPrompt prompt;
    const CLoaded r = Load(b, prompt);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.px, (std::vector<std::uint8_t>{3, 2, 1, 255, 6, 5, 4, 255}));
    EXPECT_TRUE(prompt.Empty());
}

TEST(TgaLoad, RunLengthPacketsRepeatAndSpanRows) {
    // 3 x 2 grey: a run of 4 (0x83) spans into the second row, then 2 raw pixels.
    CBytes b = TgaHeader(11, 3, 2, 8);
    b.Raw({0x83, 50, 0x01, 60, 70});
    CScriptedPrompt prompt;
    const CLoaded r = Load(b, prompt);
    ASSERT_TRUE(r.ok);
    const std::vector<std::uint8_t> expect{50, 50, 50, 255, 50, 50, 50, 255, 50, 50, 50, 255,
                                           50, 50, 50, 255, 60, 60, 60, 255, 70, 70, 70, 255};
    EXPECT_EQ(r.px, expect);
}

TEST(TgaLoad, SixteenAndThirtyTwoBitPixels) {
    CBytes b16 = TgaHeader(2, 2, 1, 16);
    b16.U16(0x7FFF).U16(0x7C00);
    CScriptedPrompt prompt;
    CLoaded r = Load(b16, prompt);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.px, (std::vector<std::uint8_t>{255, 255, 255, 255, 255, 0, 0, 255}));

    CBytes b32 = TgaHeader(10, 1, 1, 32);
    b32.Raw({0x80, 10, 20, 30, 99});
    r = Load(b32, prompt);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.px, (std::vector<std::uint8_t>{30, 20, 10, 255}));
}

TEST(TgaLoad, OrientationBitsPutTheBottomRowFirstAndPixelsLeftToRight) {
    // 2 x 2 grey; file rows: (1, 2) then (3, 4).
    const std::vector<std::pair<int, std::vector<int>>> cases = {
        {0x00, {1, 2, 3, 4}},  // bottom-up, left to right: kept as is
        {0x20, {3, 4, 1, 2}},  // top-down: the first file row becomes the last
        {0x10, {2, 1, 4, 3}},  // right to left
        {0x30, {4, 3, 2, 1}},
    };
    for (const auto& c : cases) {
        CBytes b = TgaHeader(3, 2, 2, 8, c.first);
        b.Raw({1, 2, 3, 4});
        CScriptedPrompt prompt;
        const CLoaded r = Load(b, prompt);
        ASSERT_TRUE(r.ok);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(r.px[4 * i], c.second[i]) << "descriptor " << c.first << " pixel " << i;
    }
}

TEST(TgaLoad, IdFieldAndColourMapAreSkipped) {
    CBytes b = TgaHeader(2, 1, 1, 24, 0, 2, 24, 3);
    b.Raw({'a', 'b', 'c', 9, 9, 9, 9, 9, 9, 7, 8, 9});
    CScriptedPrompt prompt;
    const CLoaded r = Load(b, prompt);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.px, (std::vector<std::uint8_t>{9, 8, 7, 255}));
}

TEST(TgaLoad, BadFilesAreRefusedWithAMessageAndTheProcessGoesOn) {
    struct Case {
        const char* what;
        CBytes bytes;
        const char* message;  // null: refused without a message
    };
    CBytes badMap = TgaHeader(2, 1, 1, 24, 0, 1, 8);
    badMap.Raw({0, 1, 2, 3});
    CBytes mapped = TgaHeader(1, 1, 1, 8, 0, 1, 24);
    mapped.Raw({0, 0, 0, 0});
    CBytes depth = TgaHeader(2, 1, 1, 12);
    depth.Raw({0, 0});
    CBytes wide = TgaHeader(2, 10923, 1, 24);
    wide.v.resize(wide.v.size() + 10923 * 3);
    CBytes shortRaw = TgaHeader(2, 4, 4, 24);
    shortRaw.Raw({1, 2, 3});
    CBytes shortRle = TgaHeader(10, 4, 1, 24);
    shortRle.Raw({0x81, 1, 2, 3, 0x05, 1, 2, 3});
    CBytes huge = TgaHeader(10, 8000, 65535, 32);
    huge.Raw({0xFF, 1, 2, 3, 4});
    CBytes empty = TgaHeader(2, 0, 5, 24);
    const Case cases[] = {
        {"map entry size 8", badMap, "bad map entry size 8"},
        {"colour-mapped type", mapped, "un-support type 1"},
        {"pixel depth 12", depth, "un-support pixel depth 12"},
        {"row over 32768 bytes", wide, "image too wide: 10923 pixels"},
        {"short raw rows", shortRaw, nullptr},
        {"short run-length data", shortRle, nullptr},
        {"size the file cannot fill", huge, nullptr},
        {"empty image", empty, "empty image"},
    };
    for (const Case& c : cases) {
        CScriptedPrompt prompt;
        const CLoaded r = Load(c.bytes, prompt);
        EXPECT_FALSE(r.ok) << c.what;
        if (c.message) {
            ASSERT_EQ(prompt.Texts().size(), 1u) << c.what;
            EXPECT_EQ(prompt.Texts()[0], c.message);
        } else {
            EXPECT_TRUE(prompt.Empty()) << c.what;
        }
    }
}

TEST(TgaLoad, RowOfExactly32768BytesIsRead) {
    CBytes b = TgaHeader(2, 8192, 1, 32);
    b.v.resize(b.v.size() + 8192 * 4, 5);
    CScriptedPrompt prompt;
    EXPECT_TRUE(Load(b, prompt).ok);
}

TEST(TgaLoad, MissingFileIsReported) {
    CTempDir dir;
    CScriptedPrompt prompt;
    int w = 0, h = 0;
    std::unique_ptr<std::uint8_t[]> buf;
    EXPECT_FALSE(LoadTGA(dir.Path("ss0.TGA"), w, h, buf, prompt));
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], "can't open input file " + dir.Path("ss0.TGA"));
    EXPECT_FALSE(buf);
}

TEST(TgaWrite, RawAndRunLengthFilesReadBackTheSame) {
    // 5 x 3 top-down RGB with runs and single pixels.
    const int w = 5, h = 3;
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int v = (x < 3) ? 10 * y : 10 * y + x;
            rgb.insert(rgb.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v + 1),
                                   static_cast<std::uint8_t>(v + 2)});
        }
    CTempDir dir;
    for (bool rle : {false, true}) {
        const std::string path = dir.Path(rle ? "r.TGA" : "u.TGA");
        ASSERT_TRUE(SaveTGA(path, w, h, rgb.data(), rle));
        CScriptedPrompt prompt;
        int lw = 0, lh = 0;
        std::unique_ptr<std::uint8_t[]> buf;
        ASSERT_TRUE(LoadTGA(path, lw, lh, buf, prompt));
        ASSERT_EQ(lw, w);
        ASSERT_EQ(lh, h);
        // The loader gives the bottom row first.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c)
                    EXPECT_EQ(buf[((h - 1 - y) * w + x) * 4 + c], rgb[(y * w + x) * 3 + c]) << rle << x << y << c;
    }
    EXPECT_FALSE(SaveTGA(dir.Path("no/dir/x.TGA"), w, h, rgb.data(), false));
}
