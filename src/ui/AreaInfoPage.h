#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The "Area" page of the data pane: the areas and spans of the last
// cross-section, as the document's section statistics hold them.
#include <QWidget>

class QLineEdit;
struct CSectionStats;

class CDialogAreaInfo : public QWidget {
    Q_OBJECT
public:
    explicit CDialogAreaInfo(QWidget* parent = nullptr);
    void Fill(const CSectionStats& stats);

private:
    QLineEdit* m_pTotal;
    QLineEdit* m_pSum;
    QLineEdit* m_pSelected;
    QLineEdit* m_pHSpan;
    QLineEdit* m_pVSpan;
};
