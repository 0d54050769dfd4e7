#include "ui/XkbIndicators.h"

#include <X11/XKBlib.h>

unsigned XkbIndicatorMask(Display* display) {
    unsigned state = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success) return 0;
    return state;
}
