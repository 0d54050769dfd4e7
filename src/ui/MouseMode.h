#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// What a left-button drag in the 3-D view does. The values are bit flags
// as the tool-bar buttons and the case windows pass them around.
enum class MouseMode : int {
    Move = 1,      // turn the view direction about the eye
    Zoom = 2,      // move the eye towards the target (Ctrl: narrow the field of view)
    Rotate = 4,    // orbit the eye about the target
    Plane = 8,     // pick a disk for the cut plane and move the plane
    Pick = 16,     // pick an outfall, riser, jet or disk
    Idle = 61458,  // no drag action (chosen with the particle presentation)
};
