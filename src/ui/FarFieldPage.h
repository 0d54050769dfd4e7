#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The "Far field" page of the data pane: for the current outfall, where its
// wastefield starts, the values at the edge of the mixing zone with the
// standard applied, and where the standard is first met; the points of
// interest and the reason when there is no far field in the text below.
// The numbers come from the far-field library.
#include <QWidget>

class QLabel;
class QLineEdit;
struct FarFieldSettings;
struct OutfallFarField;

class CFarFieldPage : public QWidget {
    Q_OBJECT
public:
    explicit CFarFieldPage(QWidget* parent = nullptr);
    void Fill(const OutfallFarField& field, const FarFieldSettings& settings);
    // No outfall: empty boxes.
    void Clear();

private:
    QLineEdit *m_pStart, *m_pWidth, *m_pCurrent, *m_pEdgeDilution, *m_pEdgeConcentration, *m_pEdgeTime, *m_pMargin,
        *m_pMetAt;
    QLabel* m_pVerdict;
    QLabel* m_pNotes;
};
