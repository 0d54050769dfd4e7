#pragma once
// The plane view's own cursors, drawn at run time: a hand for panning and
// a magnifier for zooming.
#include <QCursor>

QCursor MakePanCursor();
QCursor MakeZoomCursor();
