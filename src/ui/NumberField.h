#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// A numeric field of the item forms. Its value is checked when the user
// finishes it (Enter or leaving the field): text that is no number, or a
// number outside the field's limits, is refused with a message, the text
// accepted last comes back and the field keeps the focus. Escape brings the
// accepted text back too. Numbers use a decimal point whatever the locale.
#include <QLineEdit>

class CPrompt;

class CNumberField : public QLineEdit {
    Q_OBJECT
public:
    CNumberField(CPrompt& prompt, QWidget* parent = nullptr);
    // Limits, both inclusive; without them any number passes.
    void SetLimits(double lower, double upper);
    // Shows a value as accepted text ("%7.4f" without trailing zeros).
    void SetValue(double value);
    double Value() const;
    // Checks the text now; false (after the message) when it was refused.
    bool Check();

signals:
    // Enter was pressed on an accepted value.
    void committed();
    // The text was accepted on leaving the field or on Enter.
    void accepted();

protected:
    // Escape belongs to the field while it has text to take back, before any
    // shortcut of the window sees it.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CPrompt& m_prompt;
    QString m_strAccepted;
    bool m_bLimited = false;
    double m_dLower = 0.0, m_dUpper = 0.0;
    bool m_bChecking = false;
};
