#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The About box: the program icon, the program's name and version, one
// line on what it does, the jet model's version, and a Close button.
#include <QDialog>
#include <QString>

class CAboutBox : public QDialog {
public:
    explicit CAboutBox(QWidget* parent = nullptr);
    // The first line "mardex2k --version" prints, or a text saying the
    // model program could not be asked.
    static QString ModelVersion(const QString& program);
};
