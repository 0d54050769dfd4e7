#include "ui/KeyParametersDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/KeyParameters.h"

namespace {
QLineEdit* ReadOnlyBox(const QString& text, const QString& name) {
    auto* box = new QLineEdit(text);
    box->setReadOnly(true);
    box->setObjectName(name);
    return box;
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
        // Single precision, as the record is shown: 7 significant digits.
        grid->addWidget(ReadOnlyBox(QString::number(static_cast<float>(row.value), 'g', 7), row.name), gridRow,
                        col + 1);
        ++i;
    }
    auto* close = new QPushButton("Close");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(close, 0, Qt::AlignRight);
}
