#include "ui/JetForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/NumberField.h"
#include "validation/FieldLimits.h"

CJetForm::CJetForm(CPrompt& prompt, QWidget* parent) : CItemForm(prompt, parent) {
    setObjectName("jetForm");
    m_pFlow = AddField("Flow(m^3/s)", "flow", "flow_m3_s");
    m_pDiameter = AddField("Diameter (m)", "diameter", "diameter_m");
    m_pPortHeight = AddField("Port Height(m)", "portHeight", "port_height_m");
    m_pVAngle = AddField("Vertical angle(deg)", "verticalAngle");
    m_pHAngle = AddField("Horizontal angle", "horizontalAngle");
    m_pSalinity = AddField("Salinity(ppt)", "salinity");
    m_pTemperature = AddField("Temperature(deg)", "temperature");
    AddDisplayBox();
    // The captions are short and fixed: the tips give the unit in full and
    // the values the checks accept.
    m_pFlow->setToolTip("Flow of this port, in cubic metres per second; at least 1e-8");
    m_pDiameter->setToolTip("Diameter of the port, in metres; at least 0.0001");
    m_pPortHeight->setToolTip("Height of the port above the outfall, in metres; at most the riser's height");
    m_pVAngle->setToolTip("Angle of the port above the horizontal, in degrees; -360 to 360");
    m_pHAngle->setToolTip("Horizontal direction of the port, in degrees; -360 to 360");
    m_pSalinity->setToolTip("Salinity of the effluent, in parts per thousand");
    m_pTemperature->setToolTip("Temperature of the effluent, in degrees Celsius");
    m_pVAngle->SetLimits(FieldLimits::kAngleMin, FieldLimits::kAngleMax);
    m_pHAngle->SetLimits(FieldLimits::kAngleMin, FieldLimits::kAngleMax);

    // The arrow buttons beside the horizontal angle.
    auto* arrows = new QWidget(this);
    auto* box = new QVBoxLayout(arrows);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    m_pTurnUp = new QToolButton(arrows);
    m_pTurnUp->setArrowType(Qt::UpArrow);
    m_pTurnUp->setObjectName("turnUp");
    m_pTurnDown = new QToolButton(arrows);
    m_pTurnDown->setArrowType(Qt::DownArrow);
    m_pTurnDown->setObjectName("turnDown");
    for (QToolButton* b : {m_pTurnUp, m_pTurnDown}) {
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
        box->addWidget(b);
    }
    int row = 0, col = 0, rs = 0, cs = 0;
    m_pLayout->getItemPosition(m_pLayout->indexOf(m_pHAngle), &row, &col, &rs, &cs);
    m_pLayout->addWidget(arrows, row, 2);
    connect(m_pTurnUp, &QToolButton::clicked, this, [this] { TurnHorizontal(1.0); });
    connect(m_pTurnDown, &QToolButton::clicked, this, [this] { TurnHorizontal(-1.0); });

    for (CNumberField* f : {m_pFlow, m_pDiameter, m_pPortHeight})
        connect(f, &CNumberField::accepted, this, &CJetForm::leftCommitField);
    connect(m_pTemperature, &CNumberField::accepted, this, &CJetForm::UpdateSalinityLabel);
}

void CJetForm::UpdateSalinityLabel() {
    Relabel(m_pSalinity, m_pTemperature->Value() == 0.0 ? "Density(gm/mL)" : "Salinity(ppt)");
}

void CJetForm::TurnHorizontal(double delta) {
    if (!m_pHAngle->Check()) return;
    const double a = m_pHAngle->Value() + delta;
    if (a < FieldLimits::kAngleMin || a > FieldLimits::kAngleMax) return;
    m_pHAngle->SetValue(a);
    emit commitRequested();
}

void CJetForm::Load(const JetData& d) {
    m_data = d;
    m_pFlow->SetValue(d.m_dFlow);
    m_pDiameter->SetValue(d.m_dDiameter);
    m_pPortHeight->SetValue(d.m_dPortHeight);
    m_pVAngle->SetValue(d.m_dVAngle);
    m_pHAngle->SetValue(d.m_dHAngle);
    m_pSalinity->SetValue(d.m_dSalinity);
    m_pTemperature->SetValue(d.m_dTemperature);
    m_pDisplay->setChecked(d.m_nVisible != 0);
    UpdateSalinityLabel();
}

JetData CJetForm::Data() const {
    JetData d = m_data;
    d.m_dFlow = m_pFlow->Value();
    d.m_dDiameter = m_pDiameter->Value();
    d.m_dPortHeight = m_pPortHeight->Value();
    d.m_dVAngle = m_pVAngle->Value();
    d.m_dHAngle = m_pHAngle->Value();
    d.m_dSalinity = m_pSalinity->Value();
    d.m_dTemperature = m_pTemperature->Value();
    d.m_nVisible = m_pDisplay->isChecked() ? 1 : 0;
    return d;
}
