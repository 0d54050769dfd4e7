#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// pi and the factors between degrees and radians, for every angle the
// program turns. (The trajectory file's own factor is kept with the disks.)
inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kDegToRad = kPi / 180.0;
inline constexpr double kRadToDeg = 180.0 / kPi;
