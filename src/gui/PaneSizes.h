#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The first sizes of a case window's three panes, chosen from the screen
// size (device-independent pixels) and the size the window is made with.
#include <QSize>

struct PaneSizes {
    int m_nLeftWidth = 0;          // the 3-D view
    int m_nRightWidth = 0;         // the column of the plane view and the data pane
    int m_nTopRightHeight = 0;     // the plane view
    int m_nBottomRightHeight = 0;  // the data pane
};

// rightMinimum: the width the right column needs to show its panes whole
// and the height the data pane needs at least; the 3-D view and the plane
// view give way to them in a window narrower or lower than the screen.
PaneSizes ComputePaneSizes(const QSize& screen, const QSize& creation, const QSize& rightMinimum = QSize(0, 0));
