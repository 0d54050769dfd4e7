#pragma once
#ifndef PLUMEX_LAYER_FARFIELD
#error "a header of plumex_farfield, included by a library that does not link it"
#endif
// Horizontal spreading of a wastefield carried by a steady current, with an
// eddy diffusivity that grows as the 4/3 power of the field's width
// (Brooks 1960; Fischer et al. 1979, "Mixing in Inland and Coastal Waters",
// ch. 10): eps = eps0 (b/b0)^(4/3), eps0 = alpha b0^(4/3). The centreline
// concentration of a field of initial width b0 falls, relative to its start, to
//   c/c_start = erf( sqrt( 1.5 / ((1 + (2/3) beta x/b0)^3 - 1) ) ),
//   beta = 12 eps0 / (U b0),
// so the far-field dilution is its inverse. For large x it approaches
// sqrt(pi/6) ((1 + (2/3) beta x/b0)^3 - 1)^(1/2), i.e. grows as x^(3/2).

// beta of a field of width b0 (m) in a current u (m/s), alpha in m^(2/3)/s.
double BrooksBeta(double alpha, double width, double current);
// The far-field centreline dilution S_f at beta x / b0 (0 or more): 1 at
// the start, rising without bound.
double BrooksCentrelineDilution(double betaXOverWidth);
