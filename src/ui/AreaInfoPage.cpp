#include "ui/AreaInfoPage.h"

#include <QGridLayout>

#include "geometry/SectionStats.h"
#include "ui/InfoField.h"

namespace {
// Areas to a thousandth of a square metre and spans to a millimetre: the
// section image resolves 5 cm, so more digits would only be noise.
QString Figure(double v) { return QString::number(v, 'f', 3); }
}  // namespace

CDialogAreaInfo::CDialogAreaInfo(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    m_pTotal = AddInfoRow(grid, "Total Area(m^2)", {}, "totalArea");
    m_pSum = AddInfoRow(grid, "Sum of Area(m^2)", {}, "sumOfArea");
    m_pSelected = AddInfoRow(grid, "Selected Jet Area", {}, "selectedArea");
    m_pHSpan = AddInfoRow(grid, "Horizontal Span(m)", {}, "horizontalSpan");
    m_pVSpan = AddInfoRow(grid, "Vertical Span(m)", {}, "verticalSpan");
    m_pSelected->setToolTip("Area of the current jet's section, in square metres");
    m_pHSpan->setToolTip("Horizontal span of the current jet's section, in metres");
    m_pVSpan->setToolTip("Vertical span of the current jet's section, in metres");
    grid->setRowStretch(grid->rowCount(), 1);
    AddCopyValuesAction(this, grid);
    Fill(CSectionStats{});
}

void CDialogAreaInfo::Fill(const CSectionStats& st) {
    m_pTotal->setText(Figure(st.m_dTotalArea));
    m_pSum->setText(Figure(st.m_dSumOfArea));
    m_pSelected->setText(Figure(st.m_Selected.m_dArea));
    m_pHSpan->setText(Figure(st.m_Selected.m_dHSpan));
    m_pVSpan->setText(Figure(st.m_Selected.m_dVSpan));
}
