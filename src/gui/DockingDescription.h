#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The docking description of the input bar kept in the profile under
// "System Controls" / "Input_Position":
//   [ L:left T:top R:right B:bottom ; SIDE | STATE]
// Reading it never fails: missing numbers become 0, an unknown side none,
// and a rectangle far off the screen is put back on it.
#include <QRect>
#include <QSize>
#include <QString>

enum class DockSide { None = 0, Top, Left, Right, Bottom };

struct DockingDescription {
    int m_nLeft = 400, m_nTop = 400, m_nRight = 500, m_nBottom = 500;
    DockSide m_eSide = DockSide::None;
    bool m_bStoredShown = false;  // the state word as written
    bool m_bShown = true;         // the bar is shown after reading, whatever was stored

    // Reads the text and keeps the rectangle on a screen of the given size.
    static DockingDescription Parse(const QString& text, const QSize& screen);
    QString Format() const;
};

const char* DockSideWord(DockSide side);
