#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// Functions on DIBs held in global memory blocks (header, colour table and
// pixels in one block): capture of a screen area into a 24-bit DIB, palettes
// and painting. The "screen" is whatever pixels the GUI hands in: the 3-D
// view's framebuffer read back or a grab of a widget.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "image/DibFormat.h"
#include "image/GlobalBlock.h"
#include "image/ImageTypes.h"

class CPrompt;

constexpr int PW_WINDOW = 1;  // capture the window rectangle
constexpr int PW_CLIENT = 2;  // capture the client rectangle

// which = PW_WINDOW: the window rectangle; PW_CLIENT: the client rectangle;
// other values give no DIB.
HDIB CopyWindowToDIB(const CCaptureWindow& wnd, int which, CPrompt& prompt);
// A rectangle in client coordinates, moved to screen coordinates.
HDIB CopyClientRectToDIB(const CCaptureWindow& wnd, const CRect& rcClient, CPrompt& prompt);
HDIB CopyScreenToDIB(const CPixelView& screen, const CRect& rcScreen, CPrompt& prompt);
// The screen area clipped to the screen; null for an empty area.
std::unique_ptr<CDeviceBitmap> CopyScreenToBitmap(const CPixelView& screen, const CRect& rcScreen);
// The identity palette of the screen: 256 entries, entry i holds index i with
// PC_EXPLICIT. Shows error 5 when the memory cannot be had.
std::unique_ptr<CPalette> GetSystemPalette(CPrompt& prompt);
// A 24-bit DIB of the bitmap's pixels; null when the block cannot be had.
HDIB BitmapToDIB(const CDeviceBitmap& bitmap, const CPalette* pPal);
void InitBitmapInfoHeader(BITMAPINFOHEADER& bi, int nWidth, int nHeight, int nBitsPixel);
// Writes the bitmap's top-down RGB pixels as 24-bit DIB rows: bottom row
// first, blue-green-red, nStride bytes apart. The bitmap must hold
// width x height pixels.
void BitmapToDibRows(const CDeviceBitmap& bitmap, std::uint8_t* pBits, std::size_t nStride);

// Views of a locked DIB block (the block starts with the information header).
std::uint8_t* FindDIBBits(std::uint8_t* lpbi);
std::uint32_t DIBNumColors(const std::uint8_t* lpbi);
std::size_t PaletteSize(const std::uint8_t* lpbi);

// A palette of the DIB's colour table; null when the DIB has no colours.
std::unique_ptr<CPalette> CreateDIBPalette(HDIB hDib);
// Like CDib::Paint, on the DIB in the block. False when there is nothing to paint.
bool PaintDIB(CArgbImage& dc, const CRect& rcDest, HDIB hDib, const CRect& rcSrc, const CPalette* pPal);
// A new block with the same bytes; null for a null handle or no memory.
HGLOBAL CopyHandle(HGLOBAL h);
