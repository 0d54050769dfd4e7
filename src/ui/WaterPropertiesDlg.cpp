#include "ui/WaterPropertiesDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

#include <cmath>

#include "scene/Water.h"

namespace {
// Sliders of tenths show their value with one decimal, the frequency whole.
QString ValueText(const QSlider* s) {
    return s->maximum() == CWater::kMaxFrequency ? QString::number(s->value())
                                                 : QString::number(s->value() / 10.0, 'f', 1);
}

int Tenths(float value) { return static_cast<int>(std::lround(value * 10.0f)); }
}  // namespace

CWaterPropertiesDlg::CWaterPropertiesDlg(CWater& water, QWidget* parent) : QDialog(parent), m_water(water) {
    setWindowTitle("Water properties");
    setModal(false);
    auto* grid = new QGridLayout;
    m_pTexture = AddOnOff("Texture", water.m_bTextured, grid, 0);
    AddSlider("R", CWater::kMaxHeightPos, Tenths(water.m_fColour[0]), grid, 1);
    AddSlider("G", CWater::kMaxHeightPos, Tenths(water.m_fColour[1]), grid, 2);
    AddSlider("B", CWater::kMaxHeightPos, Tenths(water.m_fColour[2]), grid, 3);
    AddSlider("Height", CWater::kMaxHeightPos, Tenths(water.m_fWaveHeight), grid, 4);
    AddSlider("Frequency", CWater::kMaxFrequency, water.m_nDropAttempts, grid, 5);
    m_pSmooth = AddOnOff("Smooth", water.m_bSmooth, grid, 6);

    auto* buttons = new QDialogButtonBox;
    QPushButton* close = buttons->addButton("Close", QDialogButtonBox::RejectRole);
    close->setObjectName("close");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

QSlider* CWaterPropertiesDlg::Slider(const QString& name) const { return findChild<QSlider*>(name); }

QSlider* CWaterPropertiesDlg::AddSlider(const QString& caption, int maximum, int position, QGridLayout* grid, int row) {
    auto* label = new QLabel(caption);
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(caption);
    slider->setAccessibleName(caption);
    slider->setRange(0, maximum);
    slider->setPageStep(maximum == CWater::kMaxFrequency ? 5 : 2);
    slider->setValue(std::clamp(position, 0, maximum));
    slider->setMinimumWidth(160);
    label->setBuddy(slider);
    auto* value = new QLabel(ValueText(slider));
    value->setObjectName(caption + "Value");
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance("00.0"));
    connect(slider, &QSlider::valueChanged, this, [this, slider, value] {
        value->setText(ValueText(slider));
        Apply();
    });
    grid->addWidget(label, row, 0);
    grid->addWidget(slider, row, 1, 1, 2);
    grid->addWidget(value, row, 3);
    return slider;
}

QButtonGroup* CWaterPropertiesDlg::AddOnOff(const QString& caption, bool on, QGridLayout* grid, int row) {
    auto* group = new QButtonGroup(this);
    auto* onButton = new QRadioButton("On");
    auto* offButton = new QRadioButton("Off");
    onButton->setObjectName(caption + "On");
    offButton->setObjectName(caption + "Off");
    onButton->setAccessibleName(caption + " On");
    offButton->setAccessibleName(caption + " Off");
    group->addButton(onButton, 1);
    group->addButton(offButton, 0);
    (on ? onButton : offButton)->setChecked(true);
    connect(group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) Apply();
    });
    grid->addWidget(new QLabel(caption), row, 0);
    grid->addWidget(onButton, row, 1);
    grid->addWidget(offButton, row, 2);
    return group;
}

void CWaterPropertiesDlg::Apply() {
    m_water.m_bTextured = m_pTexture->checkedId() == 1;
    m_water.m_bSmooth = m_pSmooth->checkedId() == 1;
    m_water.m_fColour[0] = Slider("R")->value() / 10.0f;
    m_water.m_fColour[1] = Slider("G")->value() / 10.0f;
    m_water.m_fColour[2] = Slider("B")->value() / 10.0f;
    m_water.m_fWaveHeight = Slider("Height")->value() / 10.0f;
    m_water.m_nDropAttempts = Slider("Frequency")->value();
    emit changed();
}
