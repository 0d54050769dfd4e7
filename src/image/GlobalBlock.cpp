#include "image/GlobalBlock.h"

#include <new>
#include <stdexcept>

HGLOBAL GlobalAllocBlock(std::size_t nBytes) {
    try {
        return new CGlobalBlock(nBytes);
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (const std::length_error&) {
        return nullptr;
    }
}

std::uint8_t* GlobalLockBlock(HGLOBAL h) {
    if (!h) return nullptr;
    ++h->m_nLocks;
    return h->m_data.data();
}

void GlobalUnlockBlock(HGLOBAL h) {
    if (h && h->m_nLocks > 0) --h->m_nLocks;
}

std::size_t GlobalBlockSize(HGLOBAL h) { return h ? h->m_data.size() : 0; }

void GlobalFreeBlock(HGLOBAL h) { delete h; }
