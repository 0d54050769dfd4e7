#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The cursors of the 3-D view's mouse modes, drawn at the screen's device
// pixel ratio so that they stay sharp on high-density screens: an open hand
// (Move), a magnifier (Zoom), a circular arrow (Rotate), a tilted plane with
// a double arrow (Plane) and the standard arrow (Pick and anything else).
#include <QCursor>

QCursor ModeCursor(int mode, qreal devicePixelRatio);
