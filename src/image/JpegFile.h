#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// JPEG decoding into a plain RGB buffer (3 bytes per pixel, rows top to
// bottom, no padding) with the IJG library, and the vertical flip applied to
// every texture image. Library errors, truncated files and CMYK images give
// no buffer; nothing stays allocated.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CPrompt;

std::unique_ptr<std::uint8_t[]> JpegFileToRGB(const std::string& name, int& nWidth, int& nHeight, CPrompt& prompt);
// The same on the bytes of a file already in memory.
std::unique_ptr<std::uint8_t[]> JpegMemToRGB(const std::uint8_t* pData, std::size_t nSize, int& nWidth, int& nHeight,
                                             CPrompt& prompt);
// Swaps row i and row rows - 1 - i in place.
void VertFlipBuf(std::uint8_t* pBuffer, std::size_t nRowBytes, std::size_t nRows);
