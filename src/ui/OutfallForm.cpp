#include "ui/OutfallForm.h"

#include <QCheckBox>

#include "ui/NumberField.h"
#include "validation/FieldLimits.h"

COutfallForm::COutfallForm(CPrompt& prompt, QWidget* parent) : CItemForm(prompt, parent) {
    setObjectName("outfallForm");
    m_pDepth = AddField("Depth(m)", "depth");
    m_pTemperature = AddField("Temperature(d)", "temperature");
    m_pSalinity = AddField("Salinity(ppt)", "salinity");
    m_pDensity = AddField("Density(gm/mL)", "density", "effluent.density_g_ml");
    m_pLength = AddField("Length(m)", "length", "length_m");
    m_pWidth = AddField("Width(m)", "width");
    m_pSpacing = AddField("Space Between Jets(m):", "spacing", "jet_spacing_m");
    m_pDistance = AddField("Distance", "distance");
    // The captions are short and fixed: the tips give the unit in full and
    // the values the checks accept.
    m_pDepth->setToolTip("Depth of the outfall below the sea surface, in metres");
    m_pTemperature->setToolTip("Temperature of the effluent, in degrees Celsius (0: the density below is given)");
    m_pSalinity->setToolTip("Salinity of the effluent, in parts per thousand");
    m_pDensity->setToolTip("Density of the effluent, in grams per millilitre; 0.5 to 1.5");
    m_pLength->setToolTip("Length of the outfall pipe, in metres; at least 0.1");
    m_pWidth->setToolTip("Width (diameter) of the outfall pipe, in metres");
    m_pSpacing->setToolTip("Space between two neighbouring ports, in metres; at least 0.001");
    m_pDistance->setToolTip("Position of the outfall along the x axis, in metres");
    AddDisplayBox();
    m_pTemperature->SetLimits(FieldLimits::kEffluentMin, FieldLimits::kEffluentMax);
    m_pSalinity->SetLimits(FieldLimits::kEffluentMin, FieldLimits::kEffluentMax);
    SetNoRiser(false);
}

void COutfallForm::SetNoRiser(bool noRiser) {
    Relabel(m_pWidth, noRiser ? " Radius(m)" : "Width(m)");
    m_pSpacing->setVisible(noRiser);
    LabelOf(m_pSpacing)->setVisible(noRiser);
}

void COutfallForm::Load(const OutfallData& d) {
    m_data = d;
    m_pDepth->SetValue(d.m_dDepth);
    m_pTemperature->SetValue(d.m_dTemperature);
    m_pSalinity->SetValue(d.m_dSalinity);
    m_pDensity->SetValue(d.m_dDensity);
    m_pLength->SetValue(d.m_dLength);
    m_pWidth->SetValue(d.m_dWidth);
    m_pSpacing->SetValue(d.m_dJetSpacing);
    m_pDistance->SetValue(d.m_dPositionX);
    m_pDisplay->setChecked(d.m_nVisible != 0);
}

OutfallData COutfallForm::Data() const {
    OutfallData d = m_data;
    d.m_dDepth = m_pDepth->Value();
    d.m_dTemperature = m_pTemperature->Value();
    d.m_dSalinity = m_pSalinity->Value();
    d.m_dDensity = m_pDensity->Value();
    d.m_dLength = m_pLength->Value();
    d.m_dWidth = m_pWidth->Value();
    d.m_dJetSpacing = m_pSpacing->Value();
    d.m_dPositionX = m_pDistance->Value();
    d.m_nVisible = m_pDisplay->isChecked() ? 1 : 0;
    return d;
}
