#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The values of one riser: its total flow, distance along the outfall,
// height, top and bottom radius, Display.
#include "model/Base.h"
#include "ui/ItemForm.h"

class CRiserForm : public CItemForm {
    Q_OBJECT
public:
    explicit CRiserForm(CPrompt& prompt, QWidget* parent = nullptr);
    void Load(const RiserData& data);
    RiserData Data() const;

    CNumberField *m_pFlow, *m_pDistance, *m_pHeight, *m_pTopRadius, *m_pBottomRadius;

private:
    RiserData m_data;
};
