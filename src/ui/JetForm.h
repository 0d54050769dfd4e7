#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The values of one jet: flow, diameter, port height, vertical and
// horizontal angle (with arrow buttons that turn it by 1 degree), salinity
// (density while the temperature is 0), temperature, Display. The jet's
// current speed is carried along unseen.
#include "model/Jet.h"
#include "ui/ItemForm.h"

class QToolButton;

class CJetForm : public CItemForm {
    Q_OBJECT
public:
    explicit CJetForm(CPrompt& prompt, QWidget* parent = nullptr);
    void Load(const JetData& data);
    JetData Data() const;
    // Turns the horizontal angle by delta degrees (within its limits) and
    // asks for the forms to be stored.
    void TurnHorizontal(double delta);

    CNumberField *m_pFlow, *m_pDiameter, *m_pPortHeight, *m_pVAngle, *m_pHAngle, *m_pSalinity, *m_pTemperature;
    QToolButton *m_pTurnUp, *m_pTurnDown;

signals:
    // Flow, diameter or port height was left with a new value.
    void leftCommitField();

private:
    void UpdateSalinityLabel();
    JetData m_data;
};
