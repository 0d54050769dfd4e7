#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// A movable memory block in the manner of the window system's global memory:
// allocated zeroed, reached through a handle, locked for access. Handle-based
// DIBs live in such blocks. A null handle stands for "no block".
#include <cstddef>
#include <cstdint>
#include <vector>

class CGlobalBlock {
public:
    explicit CGlobalBlock(std::size_t nBytes) : m_data(nBytes, 0) {}
    std::vector<std::uint8_t> m_data;
    int m_nLocks = 0;
};

using HGLOBAL = CGlobalBlock*;
using HDIB = HGLOBAL;

// A zeroed block of nBytes; null when the memory cannot be had.
HGLOBAL GlobalAllocBlock(std::size_t nBytes);
// The block's bytes, counting the lock; null for a null handle.
std::uint8_t* GlobalLockBlock(HGLOBAL h);
void GlobalUnlockBlock(HGLOBAL h);
std::size_t GlobalBlockSize(HGLOBAL h);
// Frees the block; a null handle is ignored.
void GlobalFreeBlock(HGLOBAL h);
