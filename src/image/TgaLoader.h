#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// Loader of Truevision TGA images (uncompressed and run-length encoded, true
// colour and grey) into a buffer of 4 bytes per pixel: red, green, blue, 255.
// Rows are stored bottom row first and pixels left to right, whatever origin
// the file declares, as OpenGL expects. Bad files are refused with a message
// and a false result; the loader keeps no state between calls.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CPrompt;

// Largest row of file data the loader takes, in bytes.
constexpr int kTgaRowBufferBytes = 32768;

bool LoadTGA(const std::string& name, int& nWidth, int& nHeight, std::unique_ptr<std::uint8_t[]>& pBuffer,
             CPrompt& prompt);
// The same on the bytes of a file already in memory.
bool LoadTGAFromMemory(const std::uint8_t* pData, std::size_t nSize, int& nWidth, int& nHeight,
                       std::unique_ptr<std::uint8_t[]>& pBuffer, CPrompt& prompt);
