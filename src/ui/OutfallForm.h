#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The values of one outfall: depth, effluent temperature, salinity and
// density, length, width (the pipe's radius without risers), the spacing of
// the jets (only without risers), its distance along the x axis, Display.
#include "model/Riser.h"
#include "ui/ItemForm.h"

class COutfallForm : public CItemForm {
    Q_OBJECT
public:
    explicit COutfallForm(CPrompt& prompt, QWidget* parent = nullptr);
    void Load(const OutfallData& data);
    // The loaded record with the fields' values.
    OutfallData Data() const;
    // Without risers the width reads as the radius and the spacing shows.
    void SetNoRiser(bool noRiser);

    CNumberField *m_pDepth, *m_pTemperature, *m_pSalinity, *m_pDensity, *m_pLength, *m_pWidth, *m_pSpacing,
        *m_pDistance;

private:
    OutfallData m_data;
};
