#pragma once
#ifndef PLUMEX_LAYER_RESULTS_UI
#error "a header of plumex_results_ui, included by a library that does not link it"
#endif
// The chart area of the plots window: zoom with the mouse wheel or by
// dragging a rectangle, pan by dragging with the middle button (or the left
// button with Shift), a double click shows everything again. It reports the
// values under the cursor on the chart's first axes.
#include <QtCharts/QChartView>

class CPlotChartView : public QChartView {
    Q_OBJECT
public:
    explicit CPlotChartView(QChart* chart, QWidget* parent = nullptr);

signals:
    // The cursor at (x, y) in values of the first horizontal and vertical axis;
    // inside is false when the cursor left the plot area.
    void cursorValues(double x, double y, bool inside);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_bPanning = false;
    QPointF m_LastPan;
};
