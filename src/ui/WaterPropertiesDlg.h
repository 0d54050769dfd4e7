#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// "Water properties": the modeless dialog that sets the look of a view's
// water surface. Every slider and radio button applies its value to the
// water at once (there is nothing to confirm or cancel); "Close" hides it.
#include <QDialog>

class CWater;
class QButtonGroup;
class QLabel;
class QSlider;

class CWaterPropertiesDlg : public QDialog {
    Q_OBJECT
public:
    // The controls start from the water's current values.
    CWaterPropertiesDlg(CWater& water, QWidget* parent = nullptr);

    // The controls by the names of their captions: "R", "G", "B", "Height",
    // "Frequency".
    QSlider* Slider(const QString& name) const;

signals:
    // A value reached the water: the surface should be drawn again.
    void changed();

private:
    QSlider* AddSlider(const QString& caption, int maximum, int position, class QGridLayout* grid, int row);
    QButtonGroup* AddOnOff(const QString& caption, bool on, class QGridLayout* grid, int row);
    void Apply();

    CWater& m_water;
    QButtonGroup* m_pTexture;
    QButtonGroup* m_pSmooth;
};
