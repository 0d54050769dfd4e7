#pragma once
#ifndef PLUMEX_LAYER_GL
#error "a header of plumex_gl, included by a library that does not link it"
#endif
// The edge of each outfall's mixing zone as a line on the water surface
// (farfield/MixingZoneEdge.h), drawn in the scene's coordinates over the
// water. GL drawing code.
class CCase;

void DrawMixingZoneEdges(const CCase& doc);
