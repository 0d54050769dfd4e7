#include "ui/AreaInfoPage.h"

#include <QGridLayout>

#include "geometry/SectionStats.h"
#include "ui/InfoField.h"

CDialogAreaInfo::CDialogAreaInfo(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    m_pTotal = AddInfoRow(grid, "Total Area(m^2)", {}, "totalArea");
    m_pSum = AddInfoRow(grid, "Sum of Area(m^2)", {}, "sumOfArea");
    m_pSelected = AddInfoRow(grid, "Selected Jet Area", {}, "selectedArea");
    m_pHSpan = AddInfoRow(grid, "Horizontal Span(m)", {}, "horizontalSpan");
    m_pVSpan = AddInfoRow(grid, "Vertical Span(m)", {}, "verticalSpan");
    grid->setRowStretch(grid->rowCount(), 1);
    Fill(CSectionStats{});
}

void CDialogAreaInfo::Fill(const CSectionStats& st) {
    m_pTotal->setText(FormatBoxNumber(st.m_dTotalArea));
    m_pSum->setText(FormatBoxNumber(st.m_dSumOfArea));
    m_pSelected->setText(FormatBoxNumber(st.m_Selected.m_dArea));
    m_pHSpan->setText(FormatBoxNumber(st.m_Selected.m_dHSpan));
    m_pVSpan->setText(FormatBoxNumber(st.m_Selected.m_dVSpan));
}
