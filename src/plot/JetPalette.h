#pragma once
#ifndef PLUMEX_LAYER_PLOT
#error "a header of plumex_plot, included by a library that does not link it"
#endif
// The colour each jet is drawn with in the plots and the report: one fixed
// palette of distinct colours, indexed by the jet's place in the case, so a
// jet keeps its colour whichever other jets are shown with it.
#include <cstdint>

struct JetColour {
    std::uint8_t r, g, b;
};

// Colour of the jet at the given place in the case (from 0); the palette
// repeats after its last colour.
JetColour JetPaletteColour(int ordinal);
// Number of distinct colours before the palette repeats.
int JetPaletteSize();
