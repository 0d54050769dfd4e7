#include "ui/KeyParametersDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/KeyParameters.h"
#include "ui/InfoField.h"

namespace {
QLineEdit* ReadOnlyBox(const QString& text, const QString& name) {
    auto* box = new QLineEdit(text);
    box->setReadOnly(true);
    box->setObjectName(name);
    return box;
}

// Single precision, as the record is shown: 7 significant digits.
QString Shown(double v) { return QString::number(static_cast<float>(v), 'g', 7); }

// The row of ports: its size, and where the plumes first merge and how wide
// the merged field is at the end (boxes left empty when they do not merge).
QGroupBox* RowGroup(const CRowMerging& row) {
    auto* group = new QGroupBox("Merging of neighbouring plumes");
    group->setObjectName("rowGroup");
    auto* grid = new QGridLayout(group);
    if (!row.HasRow()) {
        auto* alone = new QLabel("Computed alone: the jet model was given no row of ports for this jet.");
        alone->setObjectName("rowAlone");
        alone->setWordWrap(true);
        grid->addWidget(alone, 0, 0);
        return group;
    }
    const auto merged = [&row](double v) { return row.m_bMerged ? Shown(v) : QString(); };
    struct Item {
        const char* label;
        const char* name;
        QString text;
    };
    const Item items[] = {
        {"Ports in row", "rowPorts", QString::number(row.m_nPorts)},
        {"Spacing (m)", "rowSpacing", Shown(row.m_dSpacing)},
        {"Axis (deg)", "rowAxis", Shown(row.m_dAxisDeg)},
        {"Plumes merge", "rowMerged", row.m_bMerged ? QString("yes") : QString("no")},
        {"Height above port (m)", "mergeZ", merged(row.m_dZ)},
        {"Distance x (m)", "mergeX", merged(row.m_dX)},
        {"Along the jet (m)", "mergeArc", merged(row.m_dArc)},
        {"Dilution there", "mergeDilution", merged(row.m_dDilution)},
        {"Half width at end (m)", "fieldHalfWidth", merged(row.m_dHalfWidth)},
        {"Half length at end (m)", "fieldHalfLength", merged(row.m_dHalfLength)},
    };
    int i = 0;
    for (const Item& item : items) {
        grid->addWidget(new QLabel(item.label), i / 2, (i % 2) * 2);
        grid->addWidget(ReadOnlyBox(item.text, item.name), i / 2, (i % 2) * 2 + 1);
        ++i;
    }
    return group;
}
}  // namespace

CSubDialog::CSubDialog(const CKeyParameters& r, const QString& jetName, QWidget* parent) : QDialog(parent) {
    setWindowTitle("SubData");
    setObjectName("SubData");
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Jet name:"), 0, 0);
    grid->addWidget(ReadOnlyBox(jetName, "jetName"), 0, 1, 1, 3);
    struct Row {
        const char* label;
        const char* name;
        double value;
    };
    const Row rows[] = {
        {"Qj (m^3/s)", "Qj", r.m_dQj},
        {"Mj (m^4/s^2)", "Mj", r.m_dMj},
        {"Bj (m^4/s^3)", "Bj", r.m_dBj},
        {"Depth (m)", "Depth", r.m_dDepth},
        {"Diameter (m)", "Diameter", r.m_dDiameter},
        {"Uj (m/s)", "Uj", r.m_dUj},
        {"Ua (m/s)", "Ua", r.m_dUa},
        {"dp/pa", "dppa", r.m_ddpPa},
        {"po (g/cc)", "po", r.m_dpo},
        {"pa (g/cc)", "pa", r.m_dpa},
        {"V.  angle", "VAngle", r.m_dVAngle},
        {"H. angle", "HAngle", r.m_dHAngle},
        {"Fd", "Fd", r.m_dFd},
        {"Uj/Ua", "UjUa", r.m_dUjUa},
        {"lQ (m)", "lQ", r.m_dlQ},
        {"lm (m)", "lm", r.m_dlm},
        {"lb (m)", "lb", r.m_dlb},
        {"lM (m)", "lM", r.m_dlM},
        {"Sm", "Sm", r.m_dSm},
        {"Sb", "Sb", r.m_dSb},
        {"lQ/lm", "lQlm", r.m_dlQlm},
        {"lQ/lM", "lQlM", r.m_dlQlM},
        {"lm/lb", "lmlb", r.m_dlmlb},
        {"lM/lb", "lMlb", r.m_dlMlb},
    };
    int i = 0;
    for (const Row& row : rows) {
        const int gridRow = 1 + i / 2;
        const int col = (i % 2) * 2;
        grid->addWidget(new QLabel(row.label), gridRow, col);
        grid->addWidget(ReadOnlyBox(Shown(row.value), row.name), gridRow, col + 1);
        ++i;
    }
    // The values to a spreadsheet, "label<TAB>value" pairs line by line.
    auto* copy = new QPushButton("Copy");
    copy->setObjectName("copyValues");
    copy->setAutoDefault(false);
    copy->setToolTip("Copy the key parameters as tab-separated text");
    QGroupBox* rowGroup = RowGroup(r.m_Row);
    connect(copy, &QPushButton::clicked, this, [grid, rowGroup] {
        QApplication::clipboard()->setText(GridValuesText(grid) +
                                           GridValuesText(static_cast<const QGridLayout*>(rowGroup->layout())));
    });
    auto* close = new QPushButton("Close");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(rowGroup);
    layout->addLayout(buttons);
}
