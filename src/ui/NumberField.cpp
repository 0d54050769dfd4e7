#include "ui/NumberField.h"

#include <QKeyEvent>
#include <algorithm>
#include <cmath>

#include "base/Prompt.h"
#include "geometry/FormatShort.h"
#include "validation/FieldLimits.h"

CNumberField::CNumberField(CPrompt& prompt, QWidget* parent) : QLineEdit(parent), m_prompt(prompt) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void CNumberField::SetLimits(double lower, double upper) {
    m_bLimited = true;
    m_dLower = lower;
    m_dUpper = upper;
}

void CNumberField::SetValue(double value) {
    // Four decimals as the fields have always shown them, unless that would
    // change the value: a small flow must not come back rounded when the
    // form is stored again.
    m_strAccepted = QString::fromStdString(FormatShort(value)).trimmed();
    const double shown = m_strAccepted.toDouble();
    if (std::abs(shown - value) > 1e-12 * std::max(1.0, std::abs(value)))
        m_strAccepted = QString::number(value, 'g', 12);
    m_strStored = m_strAccepted;
    setText(m_strAccepted);
}

void CNumberField::RestoreStored() {
    m_strAccepted = m_strStored;
    setText(m_strStored);
}

double CNumberField::Value() const { return text().trimmed().toDouble(); }

bool CNumberField::Check() {
    if (m_bChecking) return false;
    bool ok = false;
    const double v = text().trimmed().toDouble(&ok);
    std::string message;
    if (!ok) message = "Please enter a number.";
    else if (m_bLimited) message = CheckRange(v, m_dLower, m_dUpper);
    if (message.empty()) {
        m_strAccepted = text().trimmed();
        return true;
    }
    m_bChecking = true;
    setText(m_strAccepted);
    m_prompt.Inform(m_strName.isEmpty() ? message : m_strName.toStdString() + ": " + message);
    m_bChecking = false;
    return false;
}

bool CNumberField::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        text().trimmed() != m_strAccepted) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void CNumberField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        setText(m_strAccepted);
        selectAll();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (Check()) {
            emit accepted();
            emit committed();
        }
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CNumberField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (m_bChecking || text().trimmed() == m_strAccepted) return;
    if (Check()) emit accepted();
}
