#include "ui/ProfileWnd.h"

#include <QPainter>
#include <algorithm>

#include "document/PlumexDoc.h"

CProfileWnd::CProfileWnd(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName("profileWindow");
    setWindowTitle("Profile of ambient data");
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont f = font();
    f.setPixelSize(10);
    setFont(f);
    resize(220, 190);
}

void CProfileWnd::SetDocument(const CPlumexDoc* doc) {
    m_pDoc = doc;
    update();
}

int CProfileWnd::AxisDepth(double greatestDepth) { return (static_cast<int>(greatestDepth) + 19) / 20 * 20; }

QPoint CProfileWnd::LevelPoint(double density, double depth, double smallest, double largest, double axisDepth,
                               const QSize& client) {
    const int length = client.width() - kLeft - kRight - kAxisEnd;
    const int height = client.height() - kTop - kBottom - 5;
    const double x = kLeft + (density - smallest) * (15.0 * length / 20.0) / (largest - smallest);
    const double y = kTop + height * depth / (axisDepth > 0 ? axisDepth : 1.0);
    return QPoint(static_cast<int>(x), static_cast<int>(y));
}

void CProfileWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!m_pDoc || !m_pDoc->Ambient() || m_pDoc->Ambient()->GetRowCount() == 0) return;
    const std::vector<ProfileRow>& rows = m_pDoc->Ambient()->Rows();

    double smallest = 3000000.0, largest = -1.0;
    for (const ProfileRow& r : rows) {
        const double d = CAmbient::Density(r.m_dValue, r.m_dTemperature);
        smallest = std::min(smallest, d);
        largest = std::max(largest, d);
    }
    const double greatest = rows.back().m_dDepth;
    if (smallest == largest) smallest -= 0.1;

    const int w = width(), h = height();
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(QPen(Qt::black, 1));
    auto centred = [&p, &fm](int x, int y, const QString& text) {
        p.drawText(x - fm.horizontalAdvance(text) / 2, y, text);
    };

    // Density axis along the top, with its arrow head.
    p.drawLine(kLeft, kTop, w - 2, kTop);
    p.drawLine(w - 2, kTop, w - 7, kTop + 3);
    p.drawLine(w - 2, kTop, w - 7, kTop - 3);
    const int length = w - kLeft - kRight - kAxisEnd;
    centred(kLeft, kTop - 4, QString::asprintf("%1.4f", smallest));
    for (int i = 1; i <= 20; ++i) {
        const int x = kLeft + i * length / 20;
        p.drawLine(x, kTop, x, kTop + (i % 10 == 0 ? 7 : 4));
        if (i == 10) centred(x, kTop - 4, QString::asprintf("%1.4f", smallest + (largest - smallest) * 10.0 / 15.0));
    }

    // Depth axis down the left side.
    p.drawLine(kLeft, kTop, kLeft, h - kBottom);
    p.drawLine(kLeft, h - kBottom, kLeft - 3, h - 25);
    p.drawLine(kLeft, h - kBottom, kLeft + 3, h - 25);
    const int height = h - kTop - kBottom - 5;
    const int axisDepth = AxisDepth(greatest);
    p.drawText(0, kTop + fm.ascent() / 2, " 0");
    for (int i = 1; i <= 20; ++i) {
        const int y = kTop + i * height / 20;
        p.drawLine(kLeft, y, kLeft + (i % 5 == 0 ? 7 : 4), y);
        if (i % 5 == 0) p.drawText(0, y + fm.ascent() / 2, QString::asprintf("%lf", double(i) * axisDepth / 20.0));
    }
    p.drawText(0, h - 16, "depth(m)");
    p.drawText(w - kRight - kAxisEnd, fm.ascent(), "den");

    // The levels: a green line through them, each marked red.
    QList<QPoint> points;
    for (const ProfileRow& r : rows)
        points.push_back(LevelPoint(CAmbient::Density(r.m_dValue, r.m_dTemperature), r.m_dDepth, smallest, largest,
                                    axisDepth, size()));
    p.setPen(QPen(QColor(0, 160, 0), 1));
    for (int i = 1; i < points.size(); ++i) p.drawLine(points[i - 1], points[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::red);
    p.setRenderHint(QPainter::Antialiasing);
    for (const QPoint& pt : points) p.drawEllipse(QRect(pt.x() - 2, pt.y() - 2, 5, 5));
}
