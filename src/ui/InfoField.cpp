#include "ui/InfoField.h"

#include <QGridLayout>
#include <QLabel>

QLineEdit* AddInfoRow(QGridLayout* grid, const QString& label, const QString& unit, const QString& name) {
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(label), row, 0);
    auto* box = new QLineEdit;
    box->setReadOnly(true);
    box->setObjectName(name);
    grid->addWidget(box, row, 1);
    if (!unit.isEmpty()) grid->addWidget(new QLabel(unit), row, 2);
    return box;
}

QString FormatBoxNumber(double v) {
    // QString::number never uses the locale: a decimal point under any locale.
    return QString::number(v, 'g', 15);
}
