#include "ui/ScenarioPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kWidth = 198, kHeight = 120;

// A plume rising and spreading from a port at (x, y) up to the surface.
void DrawPlume(QPainter& p, double x, double y, double lean) {
    QPainterPath path;
    path.moveTo(x - 2, y);
    path.cubicTo(x - 4, y - 30, x + lean - 12, y - 55, x + lean - 18, 14);
    path.lineTo(x + lean + 18, 14);
    path.cubicTo(x + lean + 12, y - 55, x + 4, y - 30, x + 2, y);
    path.closeSubpath();
    QLinearGradient g(0, y, 0, 14);
    g.setColorAt(0.0, QColor(150, 110, 60, 220));
    g.setColorAt(1.0, QColor(200, 180, 140, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
}
}  // namespace

QPixmap DrawScenarioPicture(bool withRisers, qreal dpr) {
    QPixmap pix(QSize(kWidth, kHeight) * dpr);
    pix.setDevicePixelRatio(dpr);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    // Sky, sea and sea bed.
    p.fillRect(QRectF(0, 0, kWidth, 14), QColor(205, 230, 250));
    QLinearGradient sea(0, 14, 0, kHeight);
    sea.setColorAt(0.0, QColor(70, 150, 210));
    sea.setColorAt(1.0, QColor(20, 60, 120));
    p.fillRect(QRectF(0, 14, kWidth, kHeight - 14), sea);
    p.setPen(QPen(QColor(230, 245, 255), 1.2));
    for (int x = 0; x < kWidth; x += 12) p.drawArc(QRectF(x, 11, 12, 6), 0, 180 * 16);
    p.fillRect(QRectF(0, kHeight - 16, kWidth, 16), QColor(170, 140, 90));

    // The outfall pipe along the bed.
    const double pipeTop = kHeight - 24;
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(QColor(150, 150, 155));
    p.drawRoundedRect(QRectF(10, pipeTop, kWidth - 20, 8), 3, 3);

    if (withRisers) {
        for (double x : {60.0, 138.0}) {
            p.setPen(QPen(Qt::black, 0.8));
            p.setBrush(QColor(120, 120, 125));
            p.drawRect(QRectF(x - 4, pipeTop - 26, 8, 26));
            p.drawRect(QRectF(x - 9, pipeTop - 30, 18, 5));
            DrawPlume(p, x - 9, pipeTop - 28, -10);
            DrawPlume(p, x + 9, pipeTop - 28, 10);
        }
    } else {
        for (double x : {40.0, 80.0, 120.0, 160.0}) DrawPlume(p, x, pipeTop, 0);
    }
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(10);
    p.setFont(f);
    p.drawText(QRectF(4, 16, kWidth - 8, 14), Qt::AlignLeft, withRisers ? "with risers" : "without risers");
    return pix;
}
