#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// Plain image types that stand in for the window-system objects the DIB code
// talks to: rectangles, a view of pixels the GUI hands in (a framebuffer read
// back or a widget grab), a device bitmap (a captured true-colour area), the
// 32-bit image that painting draws into (the GUI wraps it in a QImage), and a
// palette (a list of palette entries).
#include <cstdint>
#include <vector>

#include "image/DibFormat.h"

// A rectangle in the window-system manner: right and bottom are exclusive.
class CRect {
public:
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    CRect() = default;
    CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    bool operator==(const CRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Pixels owned by someone else: RGB (3 bytes) or RGBA (4 bytes) per pixel,
// rows m_nStride bytes apart, top row first unless m_bBottomUp (as glReadPixels
// delivers them).
class CPixelView {
public:
    const std::uint8_t* m_pData = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nStride = 0;
    int m_nChannels = 3;
    bool m_bBottomUp = false;

    bool IsValid() const;
    // The pixel at (x, y), y counted from the top; RGB.
    void PixelAt(int x, int y, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) const;
};

// A window as the capture functions see it: the pixels of the area the GUI
// could grab (the "screen"), the window rectangle and the client rectangle,
// both in the grab's coordinates.
class CCaptureWindow {
public:
    CPixelView m_screen;
    CRect m_rcWindow;
    CRect m_rcClient;
};

// A device-dependent bitmap: a true-colour area copied from the screen,
// top row first, 3 bytes per pixel (red, green, blue), no padding.
class CDeviceBitmap {
public:
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nPlanes = 1;
    int m_nBitsPixel = 24;
    std::vector<std::uint8_t> m_pixels;
};

// A 32-bit image, one 0xAARRGGBB word per pixel, top row first: the target of
// painting. The GUI wraps it in a QImage of format ARGB32.
class CArgbImage {
public:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<std::uint32_t> m_pixels;

    CArgbImage() = default;
    CArgbImage(int nWidth, int nHeight, std::uint32_t fill = 0xFF000000u);
    std::uint32_t At(int x, int y) const { return m_pixels[static_cast<std::size_t>(y) * m_nWidth + x]; }
    std::uint32_t& At(int x, int y) { return m_pixels[static_cast<std::size_t>(y) * m_nWidth + x]; }
};

// A logical palette: on a true-colour display it only matters as a list of
// colours; entries with PC_EXPLICIT hold an index in peRed/peGreen.
class CPalette {
public:
    // Replaces the entries by the first n colours of a DIB colour table
    // (flags 0).
    void AssignColorTable(const RGBQUAD* pColors, std::uint32_t n);

    std::vector<PALETTEENTRY> m_entries;
};
