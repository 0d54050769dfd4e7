#include "ui/InfoField.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QLabel>
#include <QStringList>

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

QString GridValuesText(const QGridLayout* grid) {
    QStringList lines;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QLayoutItem* item = grid->itemAtPosition(r, c);
            const QWidget* w = item ? item->widget() : nullptr;
            if (!w || w->isHidden()) continue;
            // A box spanning several columns is met once per column.
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(grid->indexOf(w), &row, &column, &rows, &columns);
            if (column != c || row != r) continue;
            if (const auto* label = qobject_cast<const QLabel*>(w)) cells << label->text().trimmed();
            else if (const auto* box = qobject_cast<const QLineEdit*>(w)) cells << box->text().trimmed();
        }
        if (!cells.isEmpty()) lines << cells.join('\t');
    }
    return lines.isEmpty() ? QString() : lines.join('\n') + '\n';
}

void AddCopyValuesAction(QWidget* page, const QGridLayout* grid) {
    auto* copy = new QAction("Copy values", page);
    copy->setObjectName("copyValues");
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QAction::triggered, page,
                     [grid] { QApplication::clipboard()->setText(GridValuesText(grid)); });
    page->addAction(copy);
    page->setContextMenuPolicy(Qt::ActionsContextMenu);
}
