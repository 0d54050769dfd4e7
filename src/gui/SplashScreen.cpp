#include "gui/SplashScreen.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

CSplashScreen* CSplashScreen::s_pCurrent = nullptr;

CSplashScreen::CSplashScreen(QWidget* frame)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("splash");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::ArrowCursor);
    if (QScreen* s = frame && frame->screen() ? frame->screen() : QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
    qApp->installEventFilter(this);
    QTimer::singleShot(kTimeoutMs, this, &CSplashScreen::HideSplash);
}

CSplashScreen::~CSplashScreen() {
    if (s_pCurrent == this) s_pCurrent = nullptr;
}

CSplashScreen* CSplashScreen::ShowSplash(QWidget* frame) {
    if (s_pCurrent) return s_pCurrent;
    s_pCurrent = new CSplashScreen(frame);
    s_pCurrent->show();
    return s_pCurrent;
}

void CSplashScreen::HideSplash() {
    if (s_pCurrent != this) return;
    s_pCurrent = nullptr;
    qApp->removeEventFilter(this);
    close();
    emit hidden();
}

bool CSplashScreen::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        HideSplash();
        break;
    default:
        break;
    }
    return false;
}

void CSplashScreen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, Picture(devicePixelRatioF()));
}

QPixmap CSplashScreen::Picture(qreal ratio) {
    QPixmap pixmap(QSize(kWidth, kHeight) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Sea from the surface down to the bed.
    QLinearGradient sea(0, 0, 0, kHeight);
    sea.setColorAt(0.0, QColor(40, 120, 180));
    sea.setColorAt(1.0, QColor(8, 30, 70));
    p.fillRect(QRect(0, 0, kWidth, kHeight), sea);
    p.fillRect(QRect(0, 0, kWidth, 6), QColor(170, 215, 240));
    // The sea bed and the outfall pipe with three risers.
    QPainterPath bed;
    bed.moveTo(0, 200);
    bed.cubicTo(120, 190, 260, 210, kWidth, 196);
    bed.lineTo(kWidth, kHeight);
    bed.lineTo(0, kHeight);
    bed.closeSubpath();
    p.fillPath(bed, QColor(150, 125, 80));
    p.setPen(QPen(QColor(70, 70, 70), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(200, 199, 360, 199);
    // Plumes rising and bending with the current, widening as they dilute.
    for (int i = 0; i < 3; ++i) {
        const qreal x = 230 + i * 50;
        p.setPen(QPen(QColor(60, 60, 60), 3));
        p.drawLine(QPointF(x, 199), QPointF(x, 185));
        for (int k = 0; k < 14; ++k) {
            const qreal t = k / 13.0;
            const QPointF c(x + 55 * t * t + 5 * t, 182 - 120 * t);
            const qreal r = 3 + 16 * t;
            QColor plume = QColor::fromHsvF(0.02 + 0.14 * t, 0.85, 1.0, 0.55 - 0.3 * t);
            p.setPen(Qt::NoPen);
            p.setBrush(plume);
            p.drawEllipse(c, r, r * 0.7);
        }
    }
    // Name and line.
    QFont title("Sans", 30, QFont::Bold);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(20, 26, 240, 48), Qt::AlignLeft | Qt::AlignVCenter, "Plumex");
    QFont line("Sans", 10);
    p.setFont(line);
    p.setPen(QColor(220, 235, 245));
    p.drawText(QRect(22, 74, 180, 40), Qt::AlignLeft | Qt::TextWordWrap, "Buoyant jets of submarine sewage outfalls");
    p.drawText(QRect(22, 110, 200, 20), Qt::AlignLeft, QString("Version %1").arg(PLUMEX_VERSION));
    return pixmap;
}
