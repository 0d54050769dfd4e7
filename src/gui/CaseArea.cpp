#include "gui/CaseArea.h"

#include <QIcon>
#include <QPainter>

CCaseArea::CCaseArea(QWidget* parent) : QMdiArea(parent) { setBackground(palette().brush(QPalette::Dark)); }

void CCaseArea::paintEvent(QPaintEvent* event) {
    QMdiArea::paintEvent(event);
    if (!subWindowList().isEmpty()) return;
    QPainter p(viewport());
    const QRect area = viewport()->rect();
    const int side = qMin(128, area.height() / 4);
    const QRect icon(area.center().x() - side / 2, area.center().y() - side, side, side);
    p.setOpacity(0.8);
    QIcon(":/icons/plumex.svg").paint(&p, icon);
    p.setOpacity(1.0);
    p.setPen(palette().color(QPalette::BrightText));
    const int line = fontMetrics().height();
    p.drawText(QRect(area.left(), icon.bottom() + line, area.width(), 3 * line), Qt::AlignHCenter | Qt::AlignTop,
               "Open a case with File > Open, or start one with File > New.");
}
