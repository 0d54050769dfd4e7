#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// Writer of a handle-based DIB as a BMP file.
#include <cstdio>

#include "image/GlobalBlock.h"

// Writes the 14-byte file header and the DIB (header, colour table, pixels).
// False without writing for a null handle, a header whose size is not 40 or
// a block shorter than its header says; false as well when a write fails.
// The block stays with the caller, who frees it.
bool SaveDIB(HDIB hDib, std::FILE* file);
