#include "gui/PaneSizes.h"

#include <algorithm>

PaneSizes ComputePaneSizes(const QSize& screen, const QSize& creation, const QSize& rightMinimum) {
    PaneSizes s;
    if (screen == QSize(1024, 768)) {
        s.m_nLeftWidth = 595;
        s.m_nTopRightHeight = 190;
    } else if (screen == QSize(1600, 1200)) {
        s.m_nLeftWidth = 1160;
        s.m_nTopRightHeight = 225;
    } else {
        s.m_nLeftWidth = screen.width() * 65 / 100;
        s.m_nTopRightHeight = screen.height() / 4;
    }
    // A window narrower than the screen (the input bar docked beside it)
    // keeps the right column whole: the 3-D view gives up the width, and
    // the plane view the height the data pane needs.
    s.m_nLeftWidth = std::max(0, std::min(s.m_nLeftWidth, creation.width() - rightMinimum.width()));
    s.m_nTopRightHeight = std::max(0, std::min(s.m_nTopRightHeight, creation.height() - rightMinimum.height()));
    // The right column and the data pane never vanish: 20 pixels at least.
    const int right = creation.width() - s.m_nLeftWidth;
    const int bottom = creation.height() - s.m_nTopRightHeight;
    s.m_nRightWidth = right > 20 ? right : 20;
    s.m_nBottomRightHeight = bottom > 20 ? bottom : 20;
    return s;
}
