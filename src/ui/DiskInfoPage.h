#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The "Disk" page of the data pane: the values of one trajectory disk of
// the current jet.
#include <QWidget>

class QLineEdit;
struct DiskInfo;

class CDialogDiskInfo : public QWidget {
    Q_OBJECT
public:
    explicit CDialogDiskInfo(QWidget* parent = nullptr);
    void Fill(const DiskInfo& info);

private:
    QLineEdit* m_pNumber;
    QLineEdit* m_pX;
    QLineEdit* m_pY;
    QLineEdit* m_pZ;
    QLineEdit* m_pRadius;
    QLineEdit* m_pThickness;
    QLineEdit* m_pHAngle;
    QLineEdit* m_pVAngle;
    QLineEdit* m_pVelocity;
    QLineEdit* m_pMaxConc;
    QLineEdit* m_pDilution;
    QLineEdit* m_pMeanConc;
};
