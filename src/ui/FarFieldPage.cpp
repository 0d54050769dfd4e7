#include "ui/FarFieldPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "farfield/FarFieldText.h"
#include "ui/InfoField.h"

namespace {
QString Text(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

CFarFieldPage::CFarFieldPage(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout;
    m_pStart = AddInfoRow(grid, "Start dilution", {}, "farStartDilution");
    m_pWidth = AddInfoRow(grid, "Width(m)", {}, "farWidth");
    m_pCurrent = AddInfoRow(grid, "Current(m/s)", {}, "farCurrent");
    m_pEdgeDilution = AddInfoRow(grid, "Edge dilution", {}, "farEdgeDilution");
    m_pEdgeConcentration = AddInfoRow(grid, "Edge conc.", {}, "farEdgeConcentration");
    m_pEdgeTime = AddInfoRow(grid, "Edge time(h)", {}, "farEdgeTime");
    m_pMargin = AddInfoRow(grid, "Margin", {}, "farMargin");
    m_pMetAt = AddInfoRow(grid, "Met from(m)", {}, "farMetAt");
    m_pStart->setToolTip("The lowest flux-average dilution of the outfall's jet ends: the conservative choice");
    m_pWidth->setToolTip("Width of the wastefield across the current where the jets end");
    m_pMargin->setToolTip("The factor by which the standard is met (1 or more) or missed (below 1)");
    m_pVerdict = new QLabel(this);
    m_pVerdict->setObjectName("farVerdict");
    m_pVerdict->setWordWrap(true);
    m_pNotes = new QLabel(this);
    m_pNotes->setObjectName("farNotes");
    m_pNotes->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_pVerdict);
    layout->addWidget(m_pNotes);
    layout->addStretch(1);
    Clear();
}

void CFarFieldPage::Clear() {
    for (QLineEdit* e :
         {m_pStart, m_pWidth, m_pCurrent, m_pEdgeDilution, m_pEdgeConcentration, m_pEdgeTime, m_pMargin, m_pMetAt})
        e->clear();
    m_pVerdict->clear();
    m_pNotes->setText("No far field: compute the case first.");
}

void CFarFieldPage::Fill(const OutfallFarField& f, const FarFieldSettings& s) {
    Clear();
    if (f.m_eStatus == FarFieldStatus::NotComputed) {
        m_pNotes->setText("No far field: no jet of the outfall was computed.");
        return;
    }
    m_pStart->setText(Text(FixedNumber(f.m_Start.m_dDilution, 1)));
    m_pWidth->setText(Text(FixedNumber(f.m_Start.m_dWidth, 1)));
    m_pCurrent->setText(Text(FixedNumber(f.m_dCurrent, 4)));
    if (f.m_eStatus == FarFieldStatus::StillCurrent) {
        m_pNotes->setText(Text(FarFieldLine(f, s)));
        return;
    }
    m_pEdgeDilution->setText(Text(FixedNumber(f.m_Edge.m_dDilution, 1)));
    m_pEdgeConcentration->setText(Text(ShortNumber(f.m_Edge.m_dConcentration)));
    m_pEdgeTime->setText(Text(FixedNumber(f.m_Edge.m_dTime / 3600.0, 2)));
    m_pMargin->setText(Text(FixedNumber(f.m_EdgeCheck.m_dMargin, 2)));
    m_pMetAt->setText(f.m_dStandardMetAt < 0.0 ? QString("not within 100 km")
                                               : Text(FixedNumber(f.m_dStandardMetAt, 1)));
    m_pVerdict->setText(
        QString("Edge %1 m: %2").arg(Text(PlainNumber(s.m_dMixingZone)), Text(StandardVerdict(f.m_EdgeCheck, s))));
    m_pVerdict->setStyleSheet(f.m_EdgeCheck.m_bMeets ? "" : "color: rgb(160, 0, 0);");
    QString notes = QString("Concentrations in %1.").arg(Text(s.m_strUnit));
    for (const FarFieldPointValues& p : f.m_Points)
        notes += QString("\n%1 (%2 m): %3, %4")
                     .arg(Text(p.m_strName), Text(PlainNumber(p.m_Values.m_dDistance)), Text(ValuesText(p.m_Values, s)),
                          Text(StandardVerdict(p.m_Check)));
    m_pNotes->setText(notes);
}
