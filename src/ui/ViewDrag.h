#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The arithmetic of the 3-D view's drags: a mouse move of (dx, dy) pixels in
// a client area of cw x ch pixels turns or moves the camera, or moves the
// cut plane. The angles are the drag distances in per cent of the window.
class CViewControl;
class CPlumexDoc;

// Move: turns the view direction; Zoom: dollies (Ctrl: scales the field of
// view), nothing when the factor 1 - dy / ch is not above 0.001; Rotate:
// orbits about the axis of the larger component (about the side axis on a
// tie). Other modes do nothing. False when nothing was asked of the camera.
bool ApplyCameraDrag(CViewControl& camera, int mode, int dx, int dy, int cw, int ch, bool ctrl);

// Plane mode. With Ctrl the plane turns (the larger component wins: a
// vertical drag lowers V within 0 .. 90, a horizontal one raises H, wrapped
// into 0 .. 360) and keeps passing through its point. Without Ctrl the plane
// moves: planes at a disk of the current jet step along its disks, the
// others move their distance by 5 x dy / ch metres within -50 .. 50. The
// section is not recomputed. True when the plane moved.
bool ApplyPlaneDrag(CPlumexDoc& doc, int dx, int dy, int cw, int ch, bool ctrl);
