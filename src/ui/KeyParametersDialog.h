#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The "SubData" dialog: the current jet's key parameters and length scales
// as the model reported them, read-only, in single precision, and below them
// the row of ports the jet was computed in and where its plume merged.
#include <QDialog>

struct CKeyParameters;

class CSubDialog : public QDialog {
    Q_OBJECT
public:
    CSubDialog(const CKeyParameters& record, const QString& jetName, QWidget* parent = nullptr);
};
