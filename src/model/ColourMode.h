#pragma once
// What the colours of the sorted jet display show.
enum class ColourMode { Concentration, Velocity, HalfWidth };
