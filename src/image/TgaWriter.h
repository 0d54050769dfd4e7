#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// Writer of 24-bit true-colour TGA files, uncompressed or run-length encoded.
#include <cstdint>
#include <string>

// rgb: width * height pixels of red, green, blue, top row first. The file
// stores rows bottom row first (origin lower left). False when the file
// cannot be written.
bool SaveTGA(const std::string& name, int nWidth, int nHeight, const std::uint8_t* rgb, bool bRunLength);
