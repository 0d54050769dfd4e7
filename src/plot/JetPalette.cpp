#include "plot/JetPalette.h"

namespace {
// Ten colours that stay apart on screen and in print, also for the common
// forms of colour blindness (the first eight), none close to white.
constexpr JetColour kPalette[] = {
    {0, 114, 178}, {213, 94, 0}, {0, 158, 115}, {204, 121, 167}, {86, 180, 233},
    {230, 159, 0}, {0, 0, 0},    {160, 40, 40}, {100, 100, 100}, {120, 80, 170},
};
constexpr int kSize = static_cast<int>(sizeof kPalette / sizeof kPalette[0]);
}  // namespace

int JetPaletteSize() { return kSize; }

JetColour JetPaletteColour(int ordinal) {
    const int i = ordinal % kSize;
    return kPalette[i < 0 ? i + kSize : i];
}
