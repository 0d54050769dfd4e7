#pragma once
#ifndef PLUMEX_LAYER_FARFIELD
#error "a header of plumex_farfield, included by a library that does not link it"
#endif
// The current speed of the ambient profile at a depth, for the far field:
// linear between the rows around the depth, the first (last) row's speed
// above (below) the profile; 0 without rows.
#include <vector>

struct ProfileRow;

double CurrentAtDepth(const std::vector<ProfileRow>& rows, double depth);
