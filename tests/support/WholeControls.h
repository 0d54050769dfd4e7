#pragma once
// The controls of a pane the user cannot read whole, for layout tests.
#include <QStringList>

class QWidget;

// Every visible caption, button, box, group title and tab of pane (pane
// included) that is cut: narrower than its text or its smallest size, or
// reaching past a parent that clips it. Inside a scroll area only the
// horizontal edges count, since the user scrolls up and down to the rest.
// Each entry names the control and its sizes.
QStringList CutControls(const QWidget* pane);
