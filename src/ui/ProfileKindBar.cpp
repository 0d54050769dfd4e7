#include "ui/ProfileKindBar.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/AmbientGrid.h"

CProfileKindBar::CProfileKindBar(CAmbientGrid& grid, QWidget* parent) : QWidget(parent), m_grid(grid) {
    setObjectName("profileKind");
    m_pDensity = new QRadioButton("Density (g/mL)", this);
    m_pSalinity = new QRadioButton("Salinity (ppt) and temperature", this);
    m_pDensity->setObjectName("densityKind");
    m_pSalinity->setObjectName("salinityKind");
    auto* group = new QButtonGroup(this);
    group->addButton(m_pDensity);
    group->addButton(m_pSalinity);
    m_pDensityText = new QLabel(this);
    m_pDensityText->setObjectName("densityText");
    m_pDensityText->setWordWrap(true);

    // One choice a line: the bar fits the narrow input bar too.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(new QLabel("Column 2 of the grid holds:", this));
    layout->addWidget(m_pDensity, 0, Qt::AlignLeft);
    layout->addWidget(m_pSalinity, 0, Qt::AlignLeft);
    layout->addWidget(m_pDensityText);

    ShowKind(grid.Salinity());
    m_pDensityText->setText(grid.DensityText());
    for (bool salinity : {false, true})
        connect(salinity ? m_pSalinity : m_pDensity, &QRadioButton::clicked, this, [this, salinity] {
            m_grid.SetSalinity(salinity);
            ShowKind(m_grid.Salinity());
        });
    connect(&grid, &CAmbientGrid::kindChanged, this, &CProfileKindBar::ShowKind);
    connect(&grid, &CAmbientGrid::densityTextChanged, m_pDensityText, &QLabel::setText);
}

void CProfileKindBar::ShowKind(bool salinity) {
    m_pDensity->setChecked(!salinity);
    m_pSalinity->setChecked(salinity);
}
