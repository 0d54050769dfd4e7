#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The input bar's "Far field" section: the settings the far field of the
// case is computed with and judged against (spreading coefficient, the
// tracked substance and its T90, the mixing zone, its standard and the
// points of interest). A finished field goes into the case as one edit of
// its history; a value the case refuses is named in a message and the
// settings shown come back as the case holds them. The header opens and
// closes the section.
#include <QWidget>

class CCase;
class CEditHistory;
class CNumberField;
class CPrompt;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class CFarFieldForm : public QWidget {
    Q_OBJECT
public:
    explicit CFarFieldForm(CPrompt& prompt, QWidget* parent = nullptr);
    // The case shown (null: none) and the history its edits go into.
    void SetCase(CCase* doc, CEditHistory* history);
    // Shows the case's settings.
    void Load();

    QPushButton* Header() const { return m_pHeader; }
    QWidget* Body() const { return m_pBody; }
    CNumberField* AlphaField() const { return m_pAlpha; }
    CNumberField* ConcentrationField() const { return m_pConcentration; }
    QLineEdit* UnitField() const { return m_pUnit; }
    CNumberField* T90Field() const { return m_pT90; }
    CNumberField* MixingZoneField() const { return m_pMixingZone; }
    QComboBox* StandardKind() const { return m_pKind; }
    CNumberField* StandardField() const { return m_pStandard; }
    QTableWidget* Points() const { return m_pPoints; }
    QPushButton* AddPointButton() const { return m_pAddPoint; }
    QPushButton* DeletePointButton() const { return m_pDeletePoint; }

private:
    // The settings as the form shows them into the case; false when refused.
    bool Store();
    void OnAddPoint();
    void OnDeletePoint();

    CPrompt& m_prompt;
    CCase* m_pDoc = nullptr;
    CEditHistory* m_pHistory = nullptr;
    bool m_bLoading = false;
    QPushButton* m_pHeader;
    QWidget* m_pBody;
    CNumberField *m_pAlpha, *m_pConcentration, *m_pT90, *m_pMixingZone, *m_pStandard;
    QLineEdit* m_pUnit;
    QComboBox* m_pKind;
    QTableWidget* m_pPoints;
    QPushButton *m_pAddPoint, *m_pDeletePoint;
};
