#include "plot/JetPalette.h"

namespace {
// Twenty colours that stay apart on screen and in print (the first eight
// also for the common forms of colour blindness), none close to white:
// every pair differs by at least 100 in the weighted ("redmean") distance.
constexpr JetColour kPalette[] = {
    {0, 114, 178},  {213, 94, 0},    {0, 158, 115},  {204, 121, 167}, {86, 180, 233}, {230, 159, 0}, {0, 0, 0},
    {160, 40, 40},  {100, 100, 100}, {120, 80, 170}, {0, 50, 110},    {160, 160, 0},  {110, 70, 20}, {0, 95, 50},
    {225, 40, 120}, {130, 210, 60},  {0, 190, 200},  {255, 130, 110}, {190, 140, 90}, {60, 60, 230},
};
constexpr int kSize = static_cast<int>(sizeof kPalette / sizeof kPalette[0]);
}  // namespace

int JetPaletteSize() { return kSize; }

JetColour JetPaletteColour(int ordinal) {
    const int i = ordinal % kSize;
    return kPalette[i < 0 ? i + kSize : i];
}
