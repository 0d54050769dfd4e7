#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// A DIB written as a BMP file through the one file writer: a failed write
// leaves the previous picture, never an empty or cut one.
#include <string>

#include "image/GlobalBlock.h"

// False with a reason in error; the block stays with the caller.
bool SaveDibFile(HDIB hDib, const std::string& path, std::string& error);
