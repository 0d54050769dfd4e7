#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The state of the caps, num and scroll lock keys, for the status bar.
// Known only on X11; elsewhere all three read as off.
struct LockKeyState {
    bool m_bCaps = false;
    bool m_bNum = false;
    bool m_bScroll = false;
};

LockKeyState QueryLockKeys();
