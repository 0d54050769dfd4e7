#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The file dialogs of the program behind one interface, so that tests can
// answer them.
#include <QString>

class QWidget;

class CFileChooser {
public:
    virtual ~CFileChooser() = default;
    // A case file to open; empty when cancelled.
    virtual QString OpenCase(QWidget* parent, const QString& directory) = 0;
    // Where to save a case; empty when cancelled.
    virtual QString SaveCaseAs(QWidget* parent, const QString& suggested) = 0;
    // Where to save a picture of the 3-D view; empty when cancelled.
    virtual QString SaveBitmap(QWidget* parent, const QString& suggested) = 0;
};

class CDialogFileChooser : public CFileChooser {
public:
    QString OpenCase(QWidget* parent, const QString& directory) override;
    QString SaveCaseAs(QWidget* parent, const QString& suggested) override;
    QString SaveBitmap(QWidget* parent, const QString& suggested) override;
};
