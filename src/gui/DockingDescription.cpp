#include "gui/DockingDescription.h"

#include <QRegularExpression>
#include <algorithm>

namespace {
// No screen is this many pixels across: a stored number beyond it is cut to
// it, so that the spans computed below stay far inside an int.
constexpr int kMaxCoordinate = 1000000;

// The integer after tag, up to the next tag (or ";" for the last one).
int NumberAfter(const QString& text, const QString& tag, const QString& until) {
    const int at = text.indexOf(tag);
    if (at < 0) return 0;
    const int from = at + tag.size();
    int to = text.indexOf(until, from);
    if (to < 0) to = text.size();
    const QString field = text.mid(from, to - from).trimmed();
    // Leading digits with an optional sign, like the C library reads them.
    const auto m = QRegularExpression("^[+-]?\\d+").match(field);
    if (!m.hasMatch()) return 0;
    bool ok = false;
    const qlonglong n = m.captured(0).toLongLong(&ok);
    if (!ok) return m.captured(0).startsWith('-') ? -kMaxCoordinate : kMaxCoordinate;  // more digits than fit
    return static_cast<int>(std::clamp<qlonglong>(n, -kMaxCoordinate, kMaxCoordinate));
}

QString WordBetween(const QString& text, QChar open, QChar close) {
    const int a = text.indexOf(open);
    if (a < 0) return {};
    int b = text.indexOf(close, a + 1);
    if (b < 0) b = text.size();
    return text.mid(a + 1, b - a - 1).trimmed().toUpper();
}

// Moves the span [lo, hi] back on a screen extent when it starts off it.
void KeepOnScreen(int& lo, int& hi, int extent) {
    if (lo >= extent - 2 || lo < 0) {
        const int size = hi - lo;
        hi = extent - 2;
        lo = hi - (size + 2);
    }
}
}  // namespace

const char* DockSideWord(DockSide side) {
    switch (side) {
    case DockSide::Top:
        return "TOP";
    case DockSide::Left:
        return "LEFT";
    case DockSide::Right:
        return "RIGHT";
    case DockSide::Bottom:
        return "BOTTOM";
    case DockSide::None:
        break;
    }
    return "NONE";
}

DockingDescription DockingDescription::Parse(const QString& text, const QSize& screen) {
    DockingDescription d;
    if (!text.isEmpty()) {
        d.m_nLeft = NumberAfter(text, "L:", "T:");
        d.m_nTop = NumberAfter(text, "T:", "R:");
        d.m_nRight = NumberAfter(text, "R:", "B:");
        d.m_nBottom = NumberAfter(text, "B:", ";");
        if (d.m_nLeft < -5 || d.m_nTop < -5 || d.m_nRight < -5 || d.m_nBottom < -5) {
            d.m_nLeft = d.m_nTop = 400;
            d.m_nRight = d.m_nBottom = 500;
        }
        const QString side = WordBetween(text, ';', '|');
        if (side == "TOP") d.m_eSide = DockSide::Top;
        else if (side == "LEFT") d.m_eSide = DockSide::Left;
        else if (side == "RIGHT") d.m_eSide = DockSide::Right;
        else if (side == "BOTTOM") d.m_eSide = DockSide::Bottom;
        d.m_bStoredShown = WordBetween(text, '|', ']') == "SHOW";
    }
    d.m_bShown = true;
    KeepOnScreen(d.m_nLeft, d.m_nRight, screen.width());
    KeepOnScreen(d.m_nTop, d.m_nBottom, screen.height());
    return d;
}

QString DockingDescription::Format() const {
    return QString("[ L:%1 T:%2 R:%3 B:%4 ; %5 | %6]")
        .arg(m_nLeft)
        .arg(m_nTop)
        .arg(m_nRight)
        .arg(m_nBottom)
        .arg(DockSideWord(m_eSide), m_bShown ? "SHOW" : "HIDE");
}
