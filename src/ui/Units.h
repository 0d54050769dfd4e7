#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The one spelling of each unit in the texts the panes add to the fixed
// captions: unit labels beside boxes, axis labels, legends and tooltips.
// (The fixed captions keep the spellings they have.)
namespace units {
constexpr const char* kMetre = "m";
constexpr const char* kSquareMetre = "m^2";
constexpr const char* kMetrePerSecond = "m/s";
constexpr const char* kDegree = "deg.";
constexpr const char* kCelsius = "\u00b0C";
constexpr const char* kGramPerMillilitre = "g/mL";
constexpr const char* kPartPerThousand = "ppt";
// Concentrations are fractions of the effluent's: no unit.
constexpr const char* kRelative = "relative to the effluent";
}  // namespace units
