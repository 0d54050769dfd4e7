#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// "Profile of ambient data": a small window that plots the density of the
// active case's ambient water against depth, density along the top and
// depth downwards, so that the user sees at a glance whether the water is
// stably stratified. It draws nothing while no case is set. The margins
// around the plot follow the window's font, so that no label runs into an
// axis or another label.
#include <QRect>
#include <QWidget>

class CPlumexDoc;

class CProfileWnd : public QWidget {
    Q_OBJECT
public:
    // Pixels kept free at the right end of the density axis for its arrow.
    static constexpr int kAxisEnd = 18;
    static constexpr int kRight = 5;

    explicit CProfileWnd(QWidget* parent = nullptr);
    // The case to draw; null draws nothing (a closed case is never drawn).
    void SetDocument(const CPlumexDoc* doc);
    const CPlumexDoc* Document() const { return m_pDoc; }

    // The plot in the client area: left and top are the axes' origin, the
    // width the usable length of the density axis (20 ticks), the height
    // that of the depth axis (20 ticks).
    QRect PlotArea() const;
    // Where a level is plotted (the same sums the painting uses): the
    // density range spans 15 of the 20 ticks.
    QPoint LevelPoint(double density, double depth, double smallest, double largest, double axisDepth) const;
    // The depth the axis reaches: the greatest depth rounded up to 20 m.
    static int AxisDepth(double greatestDepth);
    // A depth tick's label: the depth in metres, without trailing zeros.
    static QString DepthLabel(double depth);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CPlumexDoc* m_pDoc = nullptr;
};
