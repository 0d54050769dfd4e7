#include "ui/ProfileWnd.h"

#include <QPainter>
#include <algorithm>

#include "document/PlumexDoc.h"

namespace {
// Free pixels between a label and the axis it belongs to.
constexpr int kGap = 6;
// The widest depth label the axis can carry (depths are whole tens of metres
// up to a few hundred).
const char* const kWidestDepth = "1000";
}  // namespace

CProfileWnd::CProfileWnd(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName("profileWindow");
    setWindowTitle("Profile of ambient data");
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

QSize CProfileWnd::sizeHint() const {
    // Room for the labels and a plot some 20 lines high and wider than high.
    const int line = fontMetrics().height();
    return QSize(line * 28, line * 24);
}

void CProfileWnd::SetDocument(const CPlumexDoc* doc) {
    m_pDoc = doc;
    update();
}

int CProfileWnd::AxisDepth(double greatestDepth) { return (static_cast<int>(greatestDepth) + 19) / 20 * 20; }

QString CProfileWnd::DepthLabel(double depth) { return QString::number(depth, 'g', 6); }

QRect CProfileWnd::PlotArea() const {
    const QFontMetrics fm = fontMetrics();
    // Left: the depth labels and "depth(m)"; top: the density labels; bottom:
    // the arrow head of the depth axis and "depth(m)" below it.
    const int left = std::max(fm.horizontalAdvance(kWidestDepth), fm.horizontalAdvance("depth(m)") / 2) + kGap;
    const int top = fm.height() + kGap;
    const int bottom = fm.height() + kGap;
    const int length = width() - left - kRight - kAxisEnd;
    const int height = this->height() - top - bottom - 5;
    return QRect(left, top, std::max(1, length), std::max(1, height));
}

QPoint CProfileWnd::LevelPoint(double density, double depth, double smallest, double largest, double axisDepth) const {
    const QRect a = PlotArea();
    const double x = a.left() + (density - smallest) * (15.0 * a.width() / 20.0) / (largest - smallest);
    const double y = a.top() + a.height() * depth / (axisDepth > 0 ? axisDepth : 1.0);
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

    const int w = width();
    const QRect a = PlotArea();
    const int left = a.left(), top = a.top(), bottom = a.top() + a.height() + 5;
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(QPen(Qt::black, 1));

    // Density axis along the top, with its arrow head; the first label
    // starts at the origin, so that it clears the depth labels on the left.
    p.drawLine(left, top, w - 2, top);
    p.drawLine(w - 2, top, w - 7, top + 3);
    p.drawLine(w - 2, top, w - 7, top - 3);
    const int above = top - kGap + 2 - fm.descent();
    p.drawText(left, above, QString::asprintf("%1.4f", smallest));
    for (int i = 1; i <= 20; ++i) {
        const int x = left + i * a.width() / 20;
        p.drawLine(x, top, x, top + (i % 10 == 0 ? 7 : 4));
        if (i == 10) {
            const QString t = QString::asprintf("%1.4f", smallest + (largest - smallest) * 10.0 / 15.0);
            p.drawText(x - fm.horizontalAdvance(t) / 2, above, t);
        }
    }
    p.drawText(w - kRight - kAxisEnd - fm.horizontalAdvance("den") / 2, above, "den");

    // Depth axis down the left side; the labels end short of it.
    p.drawLine(left, top, left, bottom);
    p.drawLine(left, bottom, left - 3, bottom - 5);
    p.drawLine(left, bottom, left + 3, bottom - 5);
    const int axisDepth = AxisDepth(greatest);
    auto depthLabel = [&](int y, const QString& text) {
        p.drawText(left - kGap - fm.horizontalAdvance(text), y + (fm.ascent() - fm.descent()) / 2, text);
    };
    depthLabel(top, "0");
    for (int i = 1; i <= 20; ++i) {
        const int y = top + i * a.height() / 20;
        p.drawLine(left, y, left + (i % 5 == 0 ? 7 : 4), y);
        if (i % 5 == 0) depthLabel(y, DepthLabel(double(i) * axisDepth / 20.0));
    }
    p.drawText(std::max(0, left - fm.horizontalAdvance("depth(m)") / 2), bottom + fm.ascent() + 2, "depth(m)");

    // The levels: a green line through them, each marked red.
    QList<QPoint> points;
    for (const ProfileRow& r : rows)
        points.push_back(
            LevelPoint(CAmbient::Density(r.m_dValue, r.m_dTemperature), r.m_dDepth, smallest, largest, axisDepth));
    p.setPen(QPen(QColor(0, 160, 0), 1));
    for (int i = 1; i < points.size(); ++i) p.drawLine(points[i - 1], points[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::red);
    p.setRenderHint(QPainter::Antialiasing);
    for (const QPoint& pt : points) p.drawEllipse(QRect(pt.x() - 2, pt.y() - 2, 5, 5));
}
