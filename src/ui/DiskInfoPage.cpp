#include "ui/DiskInfoPage.h"

#include <QGridLayout>
#include <QLabel>

#include "document/PlumexDoc.h"
#include "ui/InfoField.h"
#include "ui/Units.h"

namespace {
// The disk's angles are held in radians and shown in degrees.
constexpr double kDegreesPerRadian = 180.0 / 3.1415926;

// Positions and radii to the millimetre, the thinner steps to a tenth of
// one; angles to a hundredth of a degree, speeds to a millimetre per second,
// dilutions to a tenth; concentrations (fractions of the effluent's, down to
// a thousandth and less) to four significant digits.
QString Fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }
QString Significant(double v) { return QString::number(v, 'g', 4); }
}  // namespace

CDialogDiskInfo::CDialogDiskInfo(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    m_pNumber = AddInfoRow(grid, "Disk No.", {}, "diskNumber");
    grid->addWidget(new QLabel("Center  Position"), grid->rowCount(), 0, 1, 3);
    m_pX = AddInfoRow(grid, "X", units::kMetre, "diskX");
    m_pY = AddInfoRow(grid, "Y", units::kMetre, "diskY");
    m_pZ = AddInfoRow(grid, "Z", units::kMetre, "diskZ");
    m_pRadius = AddInfoRow(grid, "Radius", units::kMetre, "diskRadius");
    grid->addWidget(new QLabel("(Visual)"), grid->rowCount() - 1, 3);
    m_pThickness = AddInfoRow(grid, "Thickness", units::kMetre, "diskThickness");
    m_pHAngle = AddInfoRow(grid, "H.Angle", units::kDegree, "diskHAngle");
    m_pVAngle = AddInfoRow(grid, "V.Angle", units::kDegree, "diskVAngle");
    m_pVelocity = AddInfoRow(grid, "Velocity", units::kMetrePerSecond, "diskVelocity");
    m_pMaxConc = AddInfoRow(grid, "Max Conc.", {}, "diskMaxConc");
    m_pDilution = AddInfoRow(grid, "Dilution", {}, "diskDilution");
    m_pMeanConc = AddInfoRow(grid, "A. Conc.", {}, "diskMeanConc");
    const QString relative = QString("Concentration %1 (1 at the port)").arg(units::kRelative);
    m_pMaxConc->setToolTip("Maximum, on the axis. " + relative);
    m_pMeanConc->setToolTip("Average over the disk. " + relative);
    m_pDilution->setToolTip("Average dilution of the effluent at the disk");
    grid->setRowStretch(grid->rowCount(), 1);
    AddCopyValuesAction(this, grid);
}

void CDialogDiskInfo::Fill(const DiskInfo& d) {
    m_pNumber->setText(QString::number(d.m_nIndex));
    m_pX->setText(Fixed(d.m_dX, 3));
    m_pY->setText(Fixed(d.m_dY, 3));
    m_pZ->setText(Fixed(d.m_dZ, 3));
    m_pRadius->setText(Fixed(d.m_dRadius, 3));
    m_pThickness->setText(Fixed(d.m_dThickness, 4));
    m_pHAngle->setText(Fixed(d.m_dHAngle * kDegreesPerRadian, 2));
    m_pVAngle->setText(Fixed(d.m_dVAngle * kDegreesPerRadian, 2));
    m_pVelocity->setText(Fixed(d.m_dVelocity, 3));
    m_pMaxConc->setText(Significant(d.m_dMaxConc));
    m_pDilution->setText(Fixed(d.m_dDilution, 1));
    m_pMeanConc->setText(Significant(d.m_dMeanConc));
}
