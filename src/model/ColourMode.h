#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// What the colours of the sorted jet display show.
enum class ColourMode { Concentration, Velocity, HalfWidth };
