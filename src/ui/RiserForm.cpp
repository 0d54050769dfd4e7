#include "ui/RiserForm.h"

#include <QCheckBox>

#include "ui/NumberField.h"

CRiserForm::CRiserForm(CPrompt& prompt, QWidget* parent) : CItemForm(prompt, parent) {
    setObjectName("riserForm");
    m_pFlow = AddField("Flow(m^3/s)", "flow", "total_flow_m3_s");
    m_pDistance = AddField("Distance(m)", "distance", "distance_m");
    m_pHeight = AddField("Height(m)", "height", "height_m");
    m_pTopRadius = AddField("T. radius(m)", "topRadius", "top_radius_m");
    m_pBottomRadius = AddField("B. radius(m)", "bottomRadius", "bottom_radius_m");
    // The captions are short and fixed: the tips give the unit in full and
    // the values the checks accept.
    m_pFlow->setToolTip("Total flow of the riser's ports, in cubic metres per second; at least 1e-8");
    m_pDistance->setToolTip(
        "Distance of the riser along the outfall, in metres; from 0 to the outfall's length "
        "less its half width and the riser's diameter");
    m_pHeight->setToolTip("Height of the riser above the outfall, in metres; 0.1 to the outfall's depth");
    m_pTopRadius->setToolTip("Radius of the riser's top, in metres; 0.01 to the bottom radius");
    m_pBottomRadius->setToolTip("Radius of the riser's bottom, in metres; 0.05 to half the outfall's width");
    AddDisplayBox();
}

void CRiserForm::Load(const RiserData& d) {
    m_data = d;
    m_pFlow->SetValue(d.m_dTotalFlow);
    m_pDistance->SetValue(d.m_dDistance);
    m_pHeight->SetValue(d.m_dHeight);
    m_pTopRadius->SetValue(d.m_dTopRadius);
    m_pBottomRadius->SetValue(d.m_dBottomRadius);
    m_pDisplay->setChecked(d.m_nVisible != 0);
}

RiserData CRiserForm::Data() const {
    RiserData d = m_data;
    d.m_dTotalFlow = m_pFlow->Value();
    d.m_dDistance = m_pDistance->Value();
    d.m_dHeight = m_pHeight->Value();
    d.m_dTopRadius = m_pTopRadius->Value();
    d.m_dBottomRadius = m_pBottomRadius->Value();
    d.m_nVisible = m_pDisplay->isChecked() ? 1 : 0;
    return d;
}
