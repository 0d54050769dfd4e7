#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// Colour mapping of the sorted jet display: the histogram-equalised transfer
// table and the level (0 ... 255) of a value quadruple. GL-free.
//
// Zero-width guard: a range or a table entry whose maximum equals its
// minimum (one disk, constant values) maps every value to the middle of the
// scale, level 127, instead of dividing by zero. Levels are held to 0 ... 255.
#include <array>
#include <vector>

#include "base/RangeRecord.h"
#include "geometry/ColourTableEntry.h"
#include "model/ColourMode.h"

// The middle of the colour scale, used where a range has no width.
constexpr int kMidLevel = 127;

// Fills the table from the values (one per disk of every jet) in [lo, hi].
// Leaves the table as it is when there are no values.
void FillColourTable(ColourTable& table, const std::vector<double>& values, double lo, double hi);

// Level of a value quadruple (mean concentration, half width, thickness,
// velocity) in the colour mode.
int ColourLevel(ColourMode mode, const float values[4], const CRangeRecord& min, const CRangeRecord& max,
                const ColourTable& table);

// Diffuse colour for a level: the low-value colour at 0, the high-value
// colour at 255, linear between; alpha from the high-value colour.
void LevelColour(int level, const float high[4], const float low[4], float out[4]);
