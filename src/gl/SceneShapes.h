#pragma once
#ifndef PLUMEX_LAYER_GL
#error "a header of plumex_gl, included by a library that does not link it"
#endif
// Shape helpers of the scene (GL drawing code).

// A closed cylinder standing on y = 0: radius r1 at height h, r2 at the
// bottom, a lid at the top; n slices.
void DrawCappedCylinder(double r1, double r2, double h, int n);
// A box centred on the origin with the given sizes; the two y faces carry
// normals pointing into the box.
void DrawBox(double sx, double sy, double sz);
// The stock floor of a GL view: 11 x 11 squares of side 0.5 in the plane
// y = 0, alternately near black and light grey, the first dark.
void DrawFloorGrid();
