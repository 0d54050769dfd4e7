#include "results_ui/PlotChartView.h"

#include <QMouseEvent>
#include <QWheelEvent>

CPlotChartView::CPlotChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    setMouseTracking(true);
}

void CPlotChartView::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0.0) return;
    chart()->zoom(steps > 0 ? 1.25 : 0.8);
    event->accept();
}

void CPlotChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier))) {
        m_bPanning = true;
        m_LastPan = event->position();
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void CPlotChartView::mouseMoveEvent(QMouseEvent* event) {
    if (m_bPanning) {
        const QPointF d = event->position() - m_LastPan;
        m_LastPan = event->position();
        chart()->scroll(-d.x(), d.y());
        event->accept();
    }
    const QPointF scenePos = mapToScene(event->position().toPoint());
    const QPointF chartPos = chart()->mapFromScene(scenePos);
    const bool inside = chart()->plotArea().contains(chartPos);
    if (!chart()->series().isEmpty()) {
        const QPointF v = chart()->mapToValue(chartPos, chart()->series().first());
        emit cursorValues(v.x(), v.y(), inside);
    }
    if (!m_bPanning) QChartView::mouseMoveEvent(event);
}

void CPlotChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_bPanning) {
        m_bPanning = false;
        event->accept();
        return;
    }
    // A right click zooms out in the rubber band view; keep that.
    QChartView::mouseReleaseEvent(event);
}

void CPlotChartView::mouseDoubleClickEvent(QMouseEvent* event) {
    chart()->zoomReset();
    event->accept();
}
