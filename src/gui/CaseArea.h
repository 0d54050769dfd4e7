#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The area of the main window that holds the case windows. While it holds
// none it shows the program icon and how to begin.
#include <QMdiArea>

class CCaseArea : public QMdiArea {
public:
    explicit CCaseArea(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
