#include "image/Hdibapi.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "image/DibError.h"
#include "image/DibPaint.h"

HDIB CopyWindowToDIB(const CCaptureWindow& wnd, int which, CPrompt& prompt) {
    switch (which) {
    case PW_WINDOW:
        return CopyScreenToDIB(wnd.m_screen, wnd.m_rcWindow, prompt);
    case PW_CLIENT:
        return CopyScreenToDIB(wnd.m_screen, wnd.m_rcClient, prompt);
    default:
        return nullptr;
    }
}

HDIB CopyClientRectToDIB(const CCaptureWindow& wnd, const CRect& rcClient, CPrompt& prompt) {
    CRect rc = rcClient;
    rc.OffsetRect(wnd.m_rcClient.left, wnd.m_rcClient.top);
    return CopyScreenToDIB(wnd.m_screen, rc, prompt);
}

HDIB CopyScreenToDIB(const CPixelView& screen, const CRect& rcScreen, CPrompt& prompt) {
    std::unique_ptr<CDeviceBitmap> bitmap = CopyScreenToBitmap(screen, rcScreen);
    if (!bitmap) return nullptr;
    std::unique_ptr<CPalette> pal = GetSystemPalette(prompt);
    return BitmapToDIB(*bitmap, pal.get());
}

std::unique_ptr<CDeviceBitmap> CopyScreenToBitmap(const CPixelView& screen, const CRect& rcScreen) {
    if (rcScreen.IsRectEmpty() || !screen.IsValid()) return nullptr;
    const int left = std::max(rcScreen.left, 0);
    const int top = std::max(rcScreen.top, 0);
    const int right = std::min(rcScreen.right, screen.m_nWidth);
    const int bottom = std::min(rcScreen.bottom, screen.m_nHeight);
    if (right <= left || bottom <= top) return nullptr;
    try {
        auto bmp = std::make_unique<CDeviceBitmap>();
        bmp->m_nWidth = right - left;
        bmp->m_nHeight = bottom - top;
        bmp->m_pixels.resize(static_cast<std::size_t>(bmp->m_nWidth) * bmp->m_nHeight * 3);
        std::uint8_t* out = bmp->m_pixels.data();
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x, out += 3) screen.PixelAt(x, y, out[0], out[1], out[2]);
        return bmp;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<CPalette> GetSystemPalette(CPrompt& prompt) {
    // A true-colour screen has no hardware palette; its "system palette" is
    // the identity map of 256 indices.
    try {
        auto pal = std::make_unique<CPalette>();
        pal->m_entries.resize(256);
        for (int i = 0; i < 256; ++i) {
            pal->m_entries[i].peRed = static_cast<std::uint8_t>(i);
            pal->m_entries[i].peGreen = 0;
            pal->m_entries[i].peBlue = 0;
            pal->m_entries[i].peFlags = PC_EXPLICIT;
        }
        return pal;
    } catch (const std::bad_alloc&) {
        DIBError(5, prompt);
        return nullptr;
    }
}

void InitBitmapInfoHeader(BITMAPINFOHEADER& bi, int nWidth, int nHeight, int nBitsPixel) {
    std::memset(&bi, 0, sizeof bi);
    bi.biSize = sizeof bi;
    bi.biWidth = nWidth;
    bi.biHeight = nHeight;
    bi.biPlanes = 1;
    if (nBitsPixel <= 1) bi.biBitCount = 1;
    else if (nBitsPixel <= 4) bi.biBitCount = 4;
    else if (nBitsPixel <= 8) bi.biBitCount = 8;
    else bi.biBitCount = 24;
    bi.biSizeImage = static_cast<std::uint32_t>(DibRowStride(bi.biBitCount, nWidth) * (nHeight > 0 ? nHeight : 0));
}

HDIB BitmapToDIB(const CDeviceBitmap& bitmap, const CPalette* /*pPal*/) {
    // The device bitmap is true colour, so the DIB is 24-bit and has no
    // colour table; the palette would only matter for a palette device.
    const int w = bitmap.m_nWidth;
    const int h = bitmap.m_nHeight;
    if (w <= 0 || h <= 0 || bitmap.m_pixels.size() < static_cast<std::size_t>(w) * h * 3) return nullptr;
    BITMAPINFOHEADER bi;
    InitBitmapInfoHeader(bi, w, h, 24);
    const std::size_t nStride = DibRowStride(24, w);
    HDIB hDib = GlobalAllocBlock(sizeof bi + nStride * h);
    if (!hDib) return nullptr;
    std::uint8_t* p = GlobalLockBlock(hDib);
    std::memcpy(p, &bi, sizeof bi);
    BitmapToDibRows(bitmap, p + sizeof bi, nStride);
    GlobalUnlockBlock(hDib);
    return hDib;
}

void BitmapToDibRows(const CDeviceBitmap& bitmap, std::uint8_t* pBits, std::size_t nStride) {
    const int w = bitmap.m_nWidth;
    const int h = bitmap.m_nHeight;
    for (int y = 0; y < h; ++y) {
        // DIB rows run bottom-up.
        const std::uint8_t* src = bitmap.m_pixels.data() + static_cast<std::size_t>(h - 1 - y) * w * 3;
        std::uint8_t* dst = pBits + static_cast<std::size_t>(y) * nStride;
        for (int x = 0; x < w; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
}

std::uint8_t* FindDIBBits(std::uint8_t* lpbi) {
    const BITMAPINFOHEADER* bi = reinterpret_cast<const BITMAPINFOHEADER*>(lpbi);
    return lpbi + bi->biSize + DibPaletteSize(*bi);
}

std::uint32_t DIBNumColors(const std::uint8_t* lpbi) {
    BITMAPINFOHEADER bi;
    std::memcpy(&bi, lpbi, sizeof bi);
    return DibNumColors(bi);
}

std::size_t PaletteSize(const std::uint8_t* lpbi) {
    BITMAPINFOHEADER bi;
    std::memcpy(&bi, lpbi, sizeof bi);
    return DibPaletteSize(bi);
}

std::unique_ptr<CPalette> CreateDIBPalette(HDIB hDib) {
    const std::uint8_t* p = GlobalLockBlock(hDib);
    if (!p) return nullptr;
    const CDibView v = CDibView::FromPackedDib(p, GlobalBlockSize(hDib));
    const std::uint32_t n = v.IsValid() ? DIBNumColors(p) : 0;
    std::unique_ptr<CPalette> pal;
    if (n != 0 && v.m_nColors >= n) {
        pal = std::make_unique<CPalette>();
        pal->AssignColorTable(v.m_pColors, n);
    }
    GlobalUnlockBlock(hDib);
    return pal;
}

bool PaintDIB(CArgbImage& dc, const CRect& rcDest, HDIB hDib, const CRect& rcSrc, const CPalette* /*pPal*/) {
    const std::uint8_t* p = GlobalLockBlock(hDib);
    if (!p) return false;
    const CDibView v = CDibView::FromPackedDib(p, GlobalBlockSize(hDib));
    const bool bOk = v.IsValid();
    if (bOk) {
        if (rcDest.Width() == rcSrc.Width() && rcDest.Height() == rcSrc.Height())
            PaintDibRect(dc, rcDest, v, rcSrc.left, v.m_nHeight - rcSrc.bottom, rcSrc.Width(), rcSrc.Height());
        else PaintDibRect(dc, rcDest, v, rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height());
    }
    GlobalUnlockBlock(hDib);
    return bOk;
}

HGLOBAL CopyHandle(HGLOBAL h) {
    if (!h) return nullptr;
    HGLOBAL hCopy = GlobalAllocBlock(h->m_data.size());
    if (hCopy) hCopy->m_data = h->m_data;
    return hCopy;
}
