#pragma once
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
    QString TotalText() const;

private:
    QLineEdit* m_pTotal;
    QLineEdit* m_pSum;
    QLineEdit* m_pSelected;
    QLineEdit* m_pHSpan;
    QLineEdit* m_pVSpan;
};
