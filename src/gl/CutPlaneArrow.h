#pragma once
#ifndef PLUMEX_LAYER_GL
#error "a header of plumex_gl, included by a library that does not link it"
#endif
// The green arrow along the normal of a user-specified cut plane, standing
// on the plane's point. GL drawing code.
class CCutPlane;

void DrawCutPlaneArrow(const CCutPlane& plane);
