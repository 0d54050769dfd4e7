// The ambient grid's copy and paste: tab-separated text, as spreadsheets
// copy and take it, numbers always with a decimal point.
#include "ui/AmbientGrid.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

#include "base/Prompt.h"
#include "validation/FieldLimits.h"

namespace {
// One row of pasted text per line, one cell per tab; trailing empty lines
// (a spreadsheet ends its copy with a line break) are dropped.
std::vector<QStringList> TableOf(const QString& text) {
    std::vector<QStringList> rows;
    for (QString line : text.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        QStringList cells = line.split('\t');
        for (QString& cell : cells) cell = cell.trimmed();
        rows.push_back(cells);
    }
    while (!rows.empty() && rows.back().join(QString()).isEmpty()) rows.pop_back();
    return rows;
}

bool IsNumber(const QString& text) {
    static const QRegularExpression number(QRegularExpression::anchoredPattern(R"(-?(\d+\.?\d*|\.\d+))"));
    return number.match(text).hasMatch();
}
}  // namespace

QString CAmbientGrid::LevelsText() const {
    QStringList lines;
    lines << QStringList{FieldName(0), FieldName(1), FieldName(2), FieldName(3)}.join('\t');
    for (int r = 0; r < LevelCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < 4; ++c) cells << CellText(r, c).trimmed();
        lines << cells.join('\t');
    }
    return lines.join('\n') + '\n';
}

bool CAmbientGrid::Paste(const QString& text) {
    CommitEditor();
    std::vector<QStringList> table = TableOf(text);
    // A first line of captions (copied with the levels) is no level.
    if (table.size() > 1 && !IsNumber(table.front().front())) table.erase(table.begin());
    const bool single = table.size() == 1 && table.front().size() == 1;
    // One value goes into the current cell; a block may also start a profile.
    if (table.empty() || (single && (currentRow() < 0 || currentColumn() < 0))) return true;
    const int r0 = std::max(0, currentRow()), c0 = std::max(0, currentColumn());
    int width = 0;
    for (const QStringList& row : table) width = std::max(width, static_cast<int>(row.size()));
    if (c0 + width > 4) {
        Refuse(r0, c0,
               QString("the pasted table has %1 columns; from this column there is room for %2.")
                   .arg(width)
                   .arg(4 - c0)
                   .toStdString());
        return false;
    }
    // Every value checked before anything changes.
    for (std::size_t i = 0; i < table.size(); ++i) {
        for (int k = 0; k < table[i].size(); ++k) {
            const int r = r0 + static_cast<int>(i), c = c0 + k;
            const QString& cell = table[i][k];
            if (cell.isEmpty() && !single) continue;
            if (!IsNumber(cell)) {
                Refuse(r, c, "Please enter a number.");
                return false;
            }
            if (c == 2 && !m_bSalinity && (single || cell.toDouble() != 0.0)) {
                Refuse(r, c, "not used with densities: choose salinity to give a temperature.");
                return false;
            }
            const std::string why = ProfileCellMessage(c, cell.toDouble(), m_bSalinity, m_surface);
            if (!why.empty()) {
                Refuse(r, c, why);
                return false;
            }
        }
    }
    const bool wasBlocked = signalsBlocked();
    blockSignals(true);
    while (LevelCount() < r0 + static_cast<int>(table.size())) AddLevel();
    for (std::size_t i = 0; i < table.size(); ++i)
        for (int k = 0; k < table[i].size(); ++k)
            if (!table[i][k].isEmpty())
                SetCellText(r0 + static_cast<int>(i), c0 + k, QString::number(table[i][k].toDouble(), 'g', 10));
    blockSignals(wasBlocked);
    m_bTyped = false;
    SaveCellText(currentRow(), currentColumn());
    emit levelsChanged();
    UpdateDensityText();
    return true;
}
