#include "study_ui/StudyResultsTable.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <set>

namespace {
const QStringList kColumns = {"Condition",
                              "Jet",
                              "Rise (m)",
                              "Reaches",
                              "End distance (m)",
                              "Flux-average dilution",
                              "Centreline dilution",
                              "Travel time (s)",
                              "Stop reason",
                              "Weight"};

QTableWidgetItem* Text(const std::string& s) {
    auto* item = new QTableWidgetItem(QString::fromStdString(s));
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// A number shown with a decimal point whatever the locale, sorted as a number.
class CNumberItem : public QTableWidgetItem {
public:
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(Qt::UserRole), b = other.data(Qt::UserRole);
        if (!a.isValid() || !b.isValid()) return a.isValid() < b.isValid();
        return a.toDouble() < b.toDouble();
    }
};

QTableWidgetItem* SortableNumber(double v, bool present) {
    auto* item = new CNumberItem;
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    if (present) {
        item->setText(QLocale::c().toString(v, 'g', 6));
        item->setData(Qt::UserRole, v);
    }
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}
}  // namespace

CStudyResultsTable::CStudyResultsTable(QWidget* parent) : QTableWidget(0, static_cast<int>(kColumns.size()), parent) {
    setHorizontalHeaderLabels(kColumns);
    setSortingEnabled(true);
    // The rows stay in the order of the conditions until a header is clicked.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
}

void CStudyResultsTable::AddRows(const std::vector<StudyRecord>& rows) {
    // Rows go in unsorted; the sort order the user chose is kept afterwards.
    setSortingEnabled(false);
    const bool first = rowCount() == 0;
    for (const auto& r : rows) {
        const int row = rowCount();
        insertRow(row);
        const bool c = r.m_bComputed;
        setItem(row, 0, Text(r.m_strCondition));
        setItem(row, 1, Text(r.m_strJet));
        setItem(row, 2, SortableNumber(r.m_dRise, c));
        setItem(row, 3, Text(c ? (r.m_bSurface ? "surface" : "trap") : ""));
        setItem(row, 4, SortableNumber(r.m_dEndDistance, c));
        setItem(row, 5, SortableNumber(r.m_dFluxDilution, c));
        setItem(row, 6, SortableNumber(r.m_dCentreDilution, c));
        setItem(row, 7, SortableNumber(r.m_dTravelTime, c));
        setItem(row, 8, Text(r.m_strStop));
        setItem(row, 9, SortableNumber(r.m_dWeight, true));
    }
    if (first && rowCount() > 0) resizeColumnsToContents();
    setSortingEnabled(true);
}

void CStudyResultsTable::Clear() { setRowCount(0); }

QString CStudyResultsTable::CopyText() const {
    std::set<int> rows, columns;
    const auto selected = selectedIndexes();
    for (const auto& i : selected) {
        rows.insert(i.row());
        columns.insert(i.column());
    }
    if (selected.isEmpty()) {
        for (int r = 0; r < rowCount(); ++r) rows.insert(r);
        for (int c = 0; c < columnCount(); ++c) columns.insert(c);
    }
    QStringList lines;
    QStringList header;
    for (int c : columns) header << kColumns[c];
    lines << header.join('\t');
    for (int r : rows) {
        QStringList cells;
        for (int c : columns) {
            const QTableWidgetItem* it = item(r, c);
            cells << (it && (selected.isEmpty() || it->isSelected()) ? it->text() : QString());
        }
        lines << cells.join('\t');
    }
    return lines.join('\n') + '\n';
}

void CStudyResultsTable::CopyToClipboard() const { QApplication::clipboard()->setText(CopyText()); }

void CStudyResultsTable::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}
