#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// "Max number of time steps": one field with the largest number of steps
// the jet model computes for a jet, 1 to 5000. A refused value leaves the
// dialog open with the field as it was before.
#include <QDialog>

class CPrompt;
class QLineEdit;

class CMaxTimeStepsDlg : public QDialog {
    Q_OBJECT
public:
    CMaxTimeStepsDlg(int steps, CPrompt& prompt, QWidget* parent = nullptr);
    int Steps() const { return m_nSteps; }
    QLineEdit* Field() const { return m_pField; }

    void accept() override;

private:
    CPrompt& m_prompt;
    QLineEdit* m_pField;
    int m_nSteps;
};
