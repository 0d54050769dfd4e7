#include "ui/DiskInfoPage.h"

#include <QGridLayout>
#include <QLabel>

#include "document/PlumexDoc.h"
#include "ui/InfoField.h"

namespace {
// The disk's angles are held in radians and shown in degrees.
constexpr double kDegreesPerRadian = 180.0 / 3.1415926;
}  // namespace

CDialogDiskInfo::CDialogDiskInfo(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    m_pNumber = AddInfoRow(grid, "Disk No.", {}, "diskNumber");
    grid->addWidget(new QLabel("Center  Position"), grid->rowCount(), 0, 1, 3);
    m_pX = AddInfoRow(grid, "X", {}, "diskX");
    m_pY = AddInfoRow(grid, "Y", {}, "diskY");
    m_pZ = AddInfoRow(grid, "Z", {}, "diskZ");
    m_pRadius = AddInfoRow(grid, "Radius", "(Visual)", "diskRadius");
    m_pThickness = AddInfoRow(grid, "Thickness", {}, "diskThickness");
    m_pHAngle = AddInfoRow(grid, "H.Angle", {}, "diskHAngle");
    m_pVAngle = AddInfoRow(grid, "V.Angle", {}, "diskVAngle");
    m_pVelocity = AddInfoRow(grid, "Velocity", {}, "diskVelocity");
    m_pMaxConc = AddInfoRow(grid, "Max Conc.", {}, "diskMaxConc");
    m_pDilution = AddInfoRow(grid, "Dilution", {}, "diskDilution");
    m_pMeanConc = AddInfoRow(grid, "A. Conc.", {}, "diskMeanConc");
    grid->setRowStretch(grid->rowCount(), 1);
}

void CDialogDiskInfo::Fill(const DiskInfo& d) {
    m_pNumber->setText(QString::number(d.m_nIndex));
    m_pX->setText(FormatBoxNumber(d.m_dX));
    m_pY->setText(FormatBoxNumber(d.m_dY));
    m_pZ->setText(FormatBoxNumber(d.m_dZ));
    m_pRadius->setText(FormatBoxNumber(d.m_dRadius));
    m_pThickness->setText(FormatBoxNumber(d.m_dThickness));
    m_pHAngle->setText(FormatBoxNumber(d.m_dHAngle * kDegreesPerRadian));
    m_pVAngle->setText(FormatBoxNumber(d.m_dVAngle * kDegreesPerRadian));
    m_pVelocity->setText(FormatBoxNumber(d.m_dVelocity));
    m_pMaxConc->setText(FormatBoxNumber(d.m_dMaxConc));
    m_pDilution->setText(FormatBoxNumber(d.m_dDilution));
    m_pMeanConc->setText(FormatBoxNumber(d.m_dMeanConc));
}
