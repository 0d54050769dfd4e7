#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The line above an ambient grid: the user's choice of what the grid's
// column 1 holds (densities, or salinities with temperatures) and the
// density of the level being typed, as the grid works it out.
#include <QWidget>

class CAmbientGrid;
class QLabel;
class QRadioButton;

class CProfileKindBar : public QWidget {
    Q_OBJECT
public:
    explicit CProfileKindBar(CAmbientGrid& grid, QWidget* parent = nullptr);

    QRadioButton* DensityChoice() const { return m_pDensity; }
    QRadioButton* SalinityChoice() const { return m_pSalinity; }
    QLabel* DensityLabel() const { return m_pDensityText; }

private:
    // The buttons show the grid's kind (also after a refused switch).
    void ShowKind(bool salinity);

    CAmbientGrid& m_grid;
    QRadioButton* m_pDensity;
    QRadioButton* m_pSalinity;
    QLabel* m_pDensityText;
};
