#include "gui/ScreenCheck.h"

#include <cstdio>

bool ScreenNeedsQuestion(const QSize& screen) { return screen.width() <= 800 || screen.height() <= 600; }

std::string ScreenQuestionText(const QSize& screen) {
    char size[48];
    std::snprintf(size, sizeof size, "%d*%d", screen.width(), screen.height());
    return std::string("The screen  resoluton  is ") + size +
           " now, Plumex requires a resolution of 1024*768 or higher for better display, proceed?";
}
