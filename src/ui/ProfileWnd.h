#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// "Profile of ambient data": a small window that plots the density of the
// active case's ambient water against depth, density along the top and
// depth downwards, so that the user sees at a glance whether the water is
// stably stratified. It draws nothing while no case is set.
#include <QWidget>

class CPlumexDoc;

class CProfileWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeft = 20, kTop = 20, kBottom = 20, kRight = 5, kAxisEnd = 18;

    explicit CProfileWnd(QWidget* parent = nullptr);
    // The case to draw; null draws nothing (a closed case is never drawn).
    void SetDocument(const CPlumexDoc* doc);
    const CPlumexDoc* Document() const { return m_pDoc; }

    // Where a level is plotted in a client area of this size (the same
    // sums the painting uses).
    static QPoint LevelPoint(double density, double depth, double smallest, double largest, double greatestAxis,
                             const QSize& client);
    // The depth the axis reaches: the greatest depth rounded up to 20 m.
    static int AxisDepth(double greatestDepth);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CPlumexDoc* m_pDoc = nullptr;
};
