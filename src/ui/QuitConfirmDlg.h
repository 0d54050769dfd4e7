#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The quit confirmation of the start page: three lines of text, "Resume"
// (the default: back to the program) and "Exit". exec() returns Accepted
// for "Exit" and Rejected for "Resume" (and for Escape or closing it).
#include <QDialog>

class QPushButton;

class CQuitConfirmDlg : public QDialog {
    Q_OBJECT
public:
    explicit CQuitConfirmDlg(QWidget* parent = nullptr);

    QPushButton* ResumeButton() const { return m_pResume; }
    QPushButton* ExitButton() const { return m_pExit; }

private:
    QPushButton* m_pResume;
    QPushButton* m_pExit;
};
