#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The keyboard indicator bits of an X display (bit 0 caps lock, bit 1 num
// lock, bit 2 scroll lock). Kept apart so no X11 header meets a Qt one.
typedef struct _XDisplay Display;

unsigned XkbIndicatorMask(Display* display);
