#include "ui/FarFieldForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/Prompt.h"
#include "edit/EditHistory.h"
#include "edit/FarFieldCommand.h"
#include "model/Case.h"
#include "ui/InfoField.h"
#include "ui/NumberField.h"

namespace {
CNumberField* Field(CPrompt& prompt, QWidget* parent, const char* name, const QString& caption, double lo, double hi,
                    const char* tip) {
    auto* f = new CNumberField(prompt, parent);
    f->setObjectName(name);
    f->SetFieldName(caption);
    f->SetLimits(lo, hi);
    f->setToolTip(tip);
    return f;
}
}  // namespace

CFarFieldForm::CFarFieldForm(CPrompt& prompt, QWidget* parent) : QWidget(parent), m_prompt(prompt) {
    setObjectName("farFieldForm");
    m_pHeader = new QPushButton("Far field", this);
    m_pHeader->setObjectName("farFieldHeader");
    m_pHeader->setCheckable(true);
    m_pHeader->setChecked(true);
    m_pHeader->setToolTip("The far field: spreading by the current, decay and the mixing zone");
    m_pBody = new QWidget(this);
    m_pAlpha = Field(prompt, m_pBody, "farAlpha", "Spreading coefficient", FarFieldSettings::kMinAlpha,
                     FarFieldSettings::kMaxAlpha, "alpha of the 4/3 law (Brooks 1960), m^(2/3)/s");
    m_pConcentration =
        Field(prompt, m_pBody, "farConcentration", "Effluent concentration", 0.0, FarFieldSettings::kMaxConcentration,
              "Concentration of the tracked substance in the effluent");
    m_pUnit = new QLineEdit(m_pBody);
    m_pUnit->setObjectName("farUnit");
    m_pUnit->setMaxLength(static_cast<int>(FarFieldSettings::kMaxTextLength));
    m_pUnit->setToolTip("Unit of the concentrations, e.g. FC/100 mL");
    m_pT90 = Field(prompt, m_pBody, "farT90", "T90", 0.0, FarFieldSettings::kMaxT90Hours,
                   "Hours in which nine tenths of the substance die off; 0: no decay");
    m_pMixingZone = Field(prompt, m_pBody, "farMixingZone", "Mixing zone", 0.0, FarFieldSettings::kMaxDistance,
                          "Edge of the mixing zone, metres from the diffuser along the current");
    m_pKind = new QComboBox(m_pBody);
    m_pKind->setObjectName("farStandardKind");
    m_pKind->addItems({"Min. dilution", "Max. concentration"});
    m_pStandard = Field(prompt, m_pBody, "farStandard", "Standard", 0.0, FarFieldSettings::kMaxConcentration,
                        "The standard at the edge of the mixing zone");
    m_pPoints = new QTableWidget(0, 2, m_pBody);
    m_pPoints->setObjectName("farPoints");
    m_pPoints->setHorizontalHeaderLabels({"Point", "Distance(m)"});
    m_pPoints->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_pPoints->verticalHeader()->hide();
    m_pPoints->setMinimumHeight(70);
    m_pPoints->setMaximumHeight(110);
    m_pAddPoint = new QPushButton("Add point", m_pBody);
    m_pAddPoint->setObjectName("farAddPoint");
    m_pDeletePoint = new QPushButton("Delete point", m_pBody);
    m_pDeletePoint->setObjectName("farDeletePoint");

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    auto add = [&](const QString& label, QWidget* w) {
        grid->addWidget(new QLabel(label, m_pBody), row, 0);
        grid->addWidget(w, row++, 1);
    };
    add("Alpha(m^2/3/s)", m_pAlpha);
    add("Effluent conc.", m_pConcentration);
    add("Conc. unit", m_pUnit);
    add("T90(h)", m_pT90);
    add("Mixing zone(m)", m_pMixingZone);
    add("Standard", m_pKind);
    add("Standard value", m_pStandard);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pAddPoint);
    buttons->addWidget(m_pDeletePoint);
    auto* body = new QVBoxLayout(m_pBody);
    body->setContentsMargins(0, 0, 0, 0);
    body->addLayout(grid);
    body->addWidget(m_pPoints);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pHeader);
    layout->addWidget(m_pBody);

    connect(m_pHeader, &QPushButton::toggled, m_pBody, &QWidget::setVisible);
    for (CNumberField* f : {m_pAlpha, m_pConcentration, m_pT90, m_pMixingZone, m_pStandard})
        connect(f, &CNumberField::accepted, this, [this, f] {
            if (f->ChangedSinceStored()) Store();
        });
    connect(m_pUnit, &QLineEdit::editingFinished, this, [this] { Store(); });
    connect(m_pKind, &QComboBox::currentIndexChanged, this, [this] { Store(); });
    connect(m_pPoints, &QTableWidget::itemChanged, this, [this] { Store(); });
    connect(m_pAddPoint, &QPushButton::clicked, this, &CFarFieldForm::OnAddPoint);
    connect(m_pDeletePoint, &QPushButton::clicked, this, &CFarFieldForm::OnDeletePoint);
    setEnabled(false);
}

void CFarFieldForm::SetCase(CCase* doc, CEditHistory* history) {
    m_pDoc = doc;
    m_pHistory = history;
    setEnabled(doc != nullptr);
    Load();
}

void CFarFieldForm::Load() {
    if (!m_pDoc) return;
    const FarFieldSettings& s = m_pDoc->GetFarField();
    m_bLoading = true;
    m_pAlpha->SetValue(s.m_dAlpha);
    m_pConcentration->SetValue(s.m_dEffluentConcentration);
    m_pUnit->setText(QString::fromStdString(s.m_strUnit));
    m_pT90->SetValue(s.m_dT90Hours);
    m_pMixingZone->SetValue(s.m_dMixingZone);
    m_pKind->setCurrentIndex(s.m_bStandardIsDilution ? 0 : 1);
    m_pStandard->SetValue(s.m_dStandard);
    m_pPoints->setRowCount(static_cast<int>(s.m_Points.size()));
    for (int i = 0; i < m_pPoints->rowCount(); ++i) {
        const FarFieldPoint& p = s.m_Points[static_cast<std::size_t>(i)];
        m_pPoints->setItem(i, 0, new QTableWidgetItem(QString::fromStdString(p.m_strName)));
        m_pPoints->setItem(i, 1, new QTableWidgetItem(FormatBoxNumber(p.m_dDistance)));
    }
    m_bLoading = false;
}

bool CFarFieldForm::Store() {
    if (!m_pDoc || m_bLoading) return false;
    FarFieldSettings s = m_pDoc->GetFarField();
    s.m_dAlpha = m_pAlpha->Value();
    s.m_dEffluentConcentration = m_pConcentration->Value();
    s.m_strUnit = m_pUnit->text().trimmed().toStdString();
    s.m_dT90Hours = m_pT90->Value();
    s.m_dMixingZone = m_pMixingZone->Value();
    const bool dilution = m_pKind->currentIndex() == 0;
    if (dilution != s.m_bStandardIsDilution) {
        // Another kind of standard: its own default value, not the other's number.
        s.m_bStandardIsDilution = dilution;
        s.m_dStandard = dilution ? FarFieldSettings{}.m_dStandard : 200.0;
    } else {
        s.m_dStandard = m_pStandard->Value();
    }
    s.m_Points.clear();
    for (int i = 0; i < m_pPoints->rowCount(); ++i) {
        const QTableWidgetItem* name = m_pPoints->item(i, 0);
        const QTableWidgetItem* distance = m_pPoints->item(i, 1);
        FarFieldPoint p;
        p.m_strName = name ? name->text().trimmed().toStdString() : std::string();
        bool ok = false;
        p.m_dDistance = distance ? QLocale::c().toDouble(distance->text().trimmed(), &ok) : 0.0;
        if (!ok) {
            m_prompt.Inform("Far field: the distance of point " + std::to_string(i + 1) + " must be a number.");
            Load();
            return false;
        }
        s.m_Points.push_back(p);
    }
    std::string why;
    auto command = CFarFieldCommand::Change(*m_pDoc, s, &why);
    if (!command) {
        if (!why.empty()) m_prompt.Inform(why);
        Load();
        return false;
    }
    CEditHistory::Apply(m_pHistory, std::move(command));
    Load();
    return true;
}

void CFarFieldForm::OnAddPoint() {
    if (!m_pDoc) return;
    FarFieldSettings s = m_pDoc->GetFarField();
    if (s.m_Points.size() >= FarFieldSettings::kMaxPoints) return;
    double farthest = s.m_dMixingZone;
    for (const FarFieldPoint& p : s.m_Points) farthest = std::max(farthest, p.m_dDistance);
    s.m_Points.push_back(
        {"Point " + std::to_string(s.m_Points.size() + 1), std::min(FarFieldSettings::kMaxDistance, 2.0 * farthest)});
    CEditHistory::Apply(m_pHistory, CFarFieldCommand::Change(*m_pDoc, s));
    Load();
}

void CFarFieldForm::OnDeletePoint() {
    if (!m_pDoc) return;
    FarFieldSettings s = m_pDoc->GetFarField();
    const int row = m_pPoints->currentRow() >= 0 ? m_pPoints->currentRow() : m_pPoints->rowCount() - 1;
    if (row < 0 || row >= static_cast<int>(s.m_Points.size())) return;
    s.m_Points.erase(s.m_Points.begin() + row);
    CEditHistory::Apply(m_pHistory, CFarFieldCommand::Change(*m_pDoc, s));
    Load();
}
