#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// Where a case's section image takes its colour table from: the jet
// displays, which colour the jets by the same table. The case holds only
// this view of them, so the model never depends on the scene.
#include "geometry/ColourTableEntry.h"

class CSectionColours {
public:
    virtual ~CSectionColours() = default;
    // The table of the colour mode shown, made for the case as it is now.
    virtual const ColourTable& SectionColourTable() const = 0;
};
