// The DIB layout, CDib and the handle-based DIB functions.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>

#include "ImageTestUtil.h"
#include "image/Dib.h"
#include "image/DibError.h"
#include "image/DibFormat.h"
#include "image/Hdibapi.h"
#include "support/ScriptedPrompt.h"

namespace {

BITMAPINFOHEADER Header(int bits, std::uint32_t clrUsed = 0) {
    BITMAPINFOHEADER bi{};
    bi.biSize = 40;
    bi.biWidth = 4;
    bi.biHeight = 4;
    bi.biBitCount = static_cast<std::uint16_t>(bits);
    bi.biClrUsed = clrUsed;
    return bi;
}

// An 8-bit 3 x 4 CDib whose pixel (x, row from bottom) holds index 10 * row + x
// and whose colour table maps index i to grey i.
void MakeIndexed(CDib& dib) {
    ASSERT_TRUE(dib.Create(3, 4, 8));
    RGBQUAD* table = dib.ColorTable();
    for (int i = 0; i < 256; ++i)
        table[i] = RGBQUAD{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), 0};
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 3; ++x) dib.Bits()[row * dib.Stride() + x] = static_cast<std::uint8_t>(10 * row + x);
}

std::uint32_t Grey(int v) {
    return 0xFF000000u | (std::uint32_t(v) << 16) | (std::uint32_t(v) << 8) | std::uint32_t(v);
}

}  // namespace

TEST(DibFormat, ColourCountsTableSizesAndStrides) {
    EXPECT_EQ(DibNumColors(Header(1)), 2u);
    EXPECT_EQ(DibPaletteSize(Header(1)), 8u);
    EXPECT_EQ(DibNumColors(Header(4)), 16u);
    EXPECT_EQ(DibNumColors(Header(8)), 256u);
    EXPECT_EQ(DibNumColors(Header(24)), 0u);
    EXPECT_EQ(DibPaletteSize(Header(24)), 0u);
    EXPECT_EQ(DibNumColors(Header(8, 5)), 5u);
    EXPECT_EQ(DibNumColors(Header(24, 7)), 7u);

    EXPECT_EQ(DibRowStride(8, 3), 4u);
    EXPECT_EQ(DibRowStride(24, 3), 12u);
    EXPECT_EQ(DibRowStride(24, 5), 16u);
    EXPECT_EQ(DibRowStride(1, 33), 8u);
    EXPECT_EQ(DibPackedRowLength(24, 5), 15u);
    EXPECT_EQ(DibPackedRowLength(1, 9), 2u);
    EXPECT_EQ(DibPackedRowLength(4, 3), 2u);
}

TEST(DibFormat, PixelsOfA24BitDibFollowTheHeader) {
    std::uint8_t block[40 + 16] = {};
    BITMAPINFOHEADER bi = Header(24);
    std::memcpy(block, &bi, sizeof bi);
    EXPECT_EQ(FindDIBBits(block), block + 40);
    bi = Header(1);
    std::memcpy(block, &bi, sizeof bi);
    EXPECT_EQ(FindDIBBits(block), block + 48);
    EXPECT_EQ(DIBNumColors(block), 2u);
    EXPECT_EQ(PaletteSize(block), 8u);
}

TEST(CDibTest, CreateFillsTheHeaderAndSizes) {
    CDib dib;
    EXPECT_TRUE(dib.IsEmpty());
    ASSERT_TRUE(dib.Create(5, 2, 24));
    EXPECT_EQ(dib.Width(), 5);
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.Stride(), 16);
    EXPECT_EQ(dib.NumColors(), 0u);
    EXPECT_EQ(Val(dib.Header()->biSizeImage), 32u);
    EXPECT_EQ(dib.BlockSize(), 40u + 32u);
    EXPECT_EQ(dib.Bits(), reinterpret_cast<std::uint8_t*>(dib.Header()) + 40);
    EXPECT_FALSE(dib.Create(0, 2, 8));
    EXPECT_TRUE(dib.IsEmpty());
}

TEST(CDibTest, HeaderWrittenByTheCallerIsCheckedAgainstTheBlock) {
    CDib dib;
    ASSERT_TRUE(dib.AllocateBlock(40 + 1024 + 4 * 2));
    BITMAPINFOHEADER bi = Header(8);
    bi.biWidth = 3;
    bi.biHeight = 2;
    std::memcpy(dib.Header(), &bi, sizeof bi);
    EXPECT_TRUE(dib.UpdateFromHeader());
    EXPECT_EQ(dib.Stride(), 4);
    bi.biHeight = 3;  // one row more than the block holds
    std::memcpy(dib.Header(), &bi, sizeof bi);
    EXPECT_FALSE(dib.UpdateFromHeader());
    CArgbImage img(3, 3, 0);
    dib.Paint(img, CRect(0, 0, 3, 3), CRect(0, 0, 3, 3), nullptr);
    for (std::uint32_t p : img.m_pixels) EXPECT_EQ(p, 0u) << "nothing is painted from a block too short for its header";
}

TEST(CDibTest, PaintWithEqualSizesAddressesSourceRowsFromTheBottom) {
    CDib dib;
    MakeIndexed(dib);
    CArgbImage img(5, 5, 0);
    // Source rectangle: columns 1..2, top-down rows 1..2, i.e. bottom-up rows 2 and 1.
    dib.Paint(img, CRect(2, 3, 4, 5), CRect(1, 1, 3, 3), nullptr);
    EXPECT_EQ(img.At(2, 3), Grey(21));
    EXPECT_EQ(img.At(3, 3), Grey(22));
    EXPECT_EQ(img.At(2, 4), Grey(11));
    EXPECT_EQ(img.At(3, 4), Grey(12));
    EXPECT_EQ(img.At(1, 3), 0u);
    EXPECT_EQ(img.At(4, 4), 0u);
}

TEST(CDibTest, PaintStretchesTheWholeImage) {
    CDib dib;
    MakeIndexed(dib);
    CArgbImage img(6, 8, 0);
    dib.Paint(img, CRect(0, 0, 6, 8), CRect(0, 0, 3, 4), nullptr);
    // Each source pixel covers 2 x 2 target pixels; the top target row shows the top image row.
    EXPECT_EQ(img.At(0, 0), Grey(30));
    EXPECT_EQ(img.At(1, 1), Grey(30));
    EXPECT_EQ(img.At(5, 0), Grey(32));
    EXPECT_EQ(img.At(0, 7), Grey(0));
    EXPECT_EQ(img.At(3, 4), Grey(11));
}

TEST(CDibTest, PaintClipsToTargetAndImage) {
    CDib dib;
    MakeIndexed(dib);
    CArgbImage img(2, 2, 0);
    dib.Paint(img, CRect(-1, -1, 2, 3), CRect(0, 0, 3, 4), nullptr);
    EXPECT_EQ(img.At(0, 0), Grey(21));
    EXPECT_EQ(img.At(1, 1), Grey(12));
    CArgbImage img2(4, 4, 0);
    dib.Paint(img2, CRect(0, 0, 4, 4), CRect(1, 0, 5, 4), nullptr);  // reaches past the right edge
    EXPECT_EQ(img2.At(0, 0), Grey(31));
    EXPECT_EQ(img2.At(2, 0), 0u);
}

TEST(CDibTest, MakePaletteCopiesTheColourTable) {
    CDib dib;
    ASSERT_TRUE(dib.Create(2, 2, 1));
    dib.ColorTable()[1] = RGBQUAD{3, 2, 1, 9};
    CPalette pal;
    ASSERT_TRUE(dib.MakePalette(pal));
    ASSERT_EQ(pal.m_entries.size(), 2u);
    EXPECT_EQ(pal.m_entries[1].peRed, 1);
    EXPECT_EQ(pal.m_entries[1].peGreen, 2);
    EXPECT_EQ(pal.m_entries[1].peBlue, 3);
    EXPECT_EQ(pal.m_entries[1].peFlags, 0);
    CDib rgb;
    ASSERT_TRUE(rgb.Create(2, 2, 24));
    EXPECT_FALSE(rgb.MakePalette(pal));
}

TEST(HandleDib, InitBitmapInfoHeaderChoosesDepths) {
    BITMAPINFOHEADER bi;
    InitBitmapInfoHeader(bi, 5, 3, 1);
    EXPECT_EQ(Val(bi.biBitCount), 1);
    InitBitmapInfoHeader(bi, 5, 3, 3);
    EXPECT_EQ(Val(bi.biBitCount), 4);
    InitBitmapInfoHeader(bi, 5, 3, 8);
    EXPECT_EQ(Val(bi.biBitCount), 8);
    InitBitmapInfoHeader(bi, 5, 3, 32);
    EXPECT_EQ(Val(bi.biBitCount), 24);
    EXPECT_EQ(Val(bi.biSize), 40u);
    EXPECT_EQ(Val(bi.biPlanes), 1);
    EXPECT_EQ(Val(bi.biSizeImage), 16u * 3u);
    EXPECT_EQ(Val(bi.biCompression), 0u);
}

namespace {
// A 4 x 3 RGBA "screen" whose pixel (x, y) is (x, y, 100 + x + 10 * y).
struct CScreen {
    std::vector<std::uint8_t> px;
    CPixelView view;
    CScreen(bool bBottomUp = false) : px(4 * 3 * 4) {
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) {
                const int row = bBottomUp ? 2 - y : y;
                std::uint8_t* p = &px[(row * 4 + x) * 4];
                p[0] = static_cast<std::uint8_t>(x);
                p[1] = static_cast<std::uint8_t>(y);
                p[2] = static_cast<std::uint8_t>(100 + x + 10 * y);
                p[3] = 255;
            }
        view = CPixelView{px.data(), 4, 3, 16, 4, bBottomUp};
    }
};

// The blue, green, red bytes of DIB pixel (x, top-down y).
std::array<int, 3> DibPixel(HDIB h, int x, int y) {
    std::uint8_t* p = GlobalLockBlock(h);
    const BITMAPINFOHEADER* bi = reinterpret_cast<const BITMAPINFOHEADER*>(p);
    const std::size_t stride = DibRowStride(24, bi->biWidth);
    const std::uint8_t* q = FindDIBBits(p) + (bi->biHeight - 1 - y) * stride + 3 * x;
    std::array<int, 3> out{q[0], q[1], q[2]};
    GlobalUnlockBlock(h);
    return out;
}
}  // namespace

TEST(HandleDib, CaptureIsClippedToTheScreenAndStoredBottomUp) {
    for (bool bBottomUp : {false, true}) {
        CScreen screen(bBottomUp);
        CScriptedPrompt prompt;
        HDIB h = CopyScreenToDIB(screen.view, CRect(2, -5, 10, 2), prompt);
        ASSERT_NE(h, nullptr);
        const BITMAPINFOHEADER* bi = reinterpret_cast<const BITMAPINFOHEADER*>(GlobalLockBlock(h));
        EXPECT_EQ(Val(bi->biWidth), 2);
        EXPECT_EQ(Val(bi->biHeight), 2);
        EXPECT_EQ(Val(bi->biBitCount), 24);
        GlobalUnlockBlock(h);
        EXPECT_EQ(GlobalBlockSize(h), 40u + 8u * 2u);
        // Top-left of the capture is screen pixel (2, 0): blue 102, green 0, red 2.
        EXPECT_EQ(DibPixel(h, 0, 0), (std::array<int, 3>{102, 0, 2}));
        EXPECT_EQ(DibPixel(h, 1, 1), (std::array<int, 3>{113, 1, 3}));
        EXPECT_TRUE(prompt.Empty());
        GlobalFreeBlock(h);
    }
}

TEST(HandleDib, EmptyOrOffScreenRectanglesGiveNoDib) {
    CScreen screen;
    CScriptedPrompt prompt;
    EXPECT_EQ(CopyScreenToDIB(screen.view, CRect(1, 1, 1, 3), prompt), nullptr);
    EXPECT_EQ(CopyScreenToDIB(screen.view, CRect(5, 0, 9, 3), prompt), nullptr);
    EXPECT_EQ(CopyScreenToBitmap(screen.view, CRect(3, 2, 2, 3)), nullptr);
}

TEST(HandleDib, WindowCaptureUsesWindowOrClientRectangle) {
    CScreen screen;
    CCaptureWindow wnd{screen.view, CRect(0, 0, 4, 3), CRect(1, 1, 3, 3)};
    CScriptedPrompt prompt;
    HDIB hWindow = CopyWindowToDIB(wnd, PW_WINDOW, prompt);
    HDIB hClient = CopyWindowToDIB(wnd, PW_CLIENT, prompt);
    HDIB hPart = CopyClientRectToDIB(wnd, CRect(1, 0, 2, 1), prompt);
    ASSERT_NE(hWindow, nullptr);
    ASSERT_NE(hClient, nullptr);
    ASSERT_NE(hPart, nullptr);
    EXPECT_EQ(CopyWindowToDIB(wnd, 3, prompt), nullptr);
    EXPECT_EQ(Val(reinterpret_cast<BITMAPINFOHEADER*>(GlobalLockBlock(hWindow))->biWidth), 4);
    EXPECT_EQ(Val(reinterpret_cast<BITMAPINFOHEADER*>(GlobalLockBlock(hClient))->biWidth), 2);
    EXPECT_EQ(DibPixel(hClient, 0, 0), (std::array<int, 3>{111, 1, 1}));
    // Client (1, 0) is screen (2, 1).
    EXPECT_EQ(DibPixel(hPart, 0, 0), (std::array<int, 3>{112, 1, 2}));
    GlobalFreeBlock(hWindow);
    GlobalFreeBlock(hClient);
    GlobalFreeBlock(hPart);
}

TEST(HandleDib, SystemPaletteIsTheIdentity) {
    CScriptedPrompt prompt;
    std::unique_ptr<CPalette> pal = GetSystemPalette(prompt);
    ASSERT_TRUE(pal);
    ASSERT_EQ(pal->m_entries.size(), 256u);
    EXPECT_EQ(pal->m_entries[200].peRed, 200);
    EXPECT_EQ(pal->m_entries[200].peFlags, PC_EXPLICIT);
    EXPECT_TRUE(prompt.Empty());
}

TEST(HandleDib, PaletteCopyAndPaintOfAHandleDib) {
    // A 4-bit 3 x 1 DIB: indices 1, 2, 15.
    const std::size_t nSize = 40 + 16 * 4 + 4;
    HDIB h = GlobalAllocBlock(nSize);
    std::uint8_t* p = GlobalLockBlock(h);
    BITMAPINFOHEADER bi;
    InitBitmapInfoHeader(bi, 3, 1, 4);
    std::memcpy(p, &bi, sizeof bi);
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(p + 40);
    table[1] = RGBQUAD{0, 0, 255, 0};
    table[2] = RGBQUAD{0, 255, 0, 0};
    table[15] = RGBQUAD{255, 0, 0, 0};
    p[40 + 64] = 0x12;
    p[40 + 65] = 0xF0;
    GlobalUnlockBlock(h);

    std::unique_ptr<CPalette> pal = CreateDIBPalette(h);
    ASSERT_TRUE(pal);
    EXPECT_EQ(pal->m_entries.size(), 16u);
    EXPECT_EQ(pal->m_entries[15].peBlue, 255);

    CArgbImage img(3, 1, 0);
    ASSERT_TRUE(PaintDIB(img, CRect(0, 0, 3, 1), h, CRect(0, 0, 3, 1), pal.get()));
    EXPECT_EQ(img.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(img.At(1, 0), 0xFF00FF00u);
    EXPECT_EQ(img.At(2, 0), 0xFF0000FFu);

    HGLOBAL hCopy = CopyHandle(h);
    ASSERT_NE(hCopy, nullptr);
    EXPECT_EQ(hCopy->m_data, h->m_data);
    EXPECT_NE(GlobalLockBlock(hCopy), GlobalLockBlock(h));
    EXPECT_EQ(CopyHandle(nullptr), nullptr);
    EXPECT_FALSE(PaintDIB(img, CRect(0, 0, 3, 1), nullptr, CRect(0, 0, 3, 1), nullptr));
    GlobalFreeBlock(hCopy);
    GlobalFreeBlock(h);
}

TEST(DibErrorTest, AllTextsAndTheUndefinedOne) {
    CScriptedPrompt prompt;
    for (int i = -1; i <= kDibErrorCount; ++i) DIBError(i, prompt);
    const std::vector<std::string> texts = prompt.Texts();
    ASSERT_EQ(texts.size(), 30u);
    EXPECT_EQ(texts[0], "Undefined Error!");
    EXPECT_EQ(texts[1], "Not a DIB file!");
    EXPECT_EQ(texts[6], "Error creating palette!");
    EXPECT_EQ(texts[7], "Error getting a DC!");
    EXPECT_EQ(texts[9], "Error creating Device Dependent Bitmap");
    EXPECT_EQ(texts[15], "Printing: GetModuleHandle() couldn't find GDI!");
    EXPECT_EQ(texts[23], "Can't copy to clipboard -- no current DIB!");
    EXPECT_EQ(texts[28], "Error writing DIB file!");
    EXPECT_EQ(texts[29], "Undefined Error!");
    for (const auto& e : prompt.Entries()) EXPECT_EQ(e.icon, PromptIcon::Stop);
    // All 28 texts are distinct and none is empty.
    std::set<std::string> distinct(texts.begin() + 1, texts.end() - 1);
    EXPECT_EQ(distinct.size(), 28u);
}
