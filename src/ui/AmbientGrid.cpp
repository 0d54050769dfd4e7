#include "ui/AmbientGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "base/Prompt.h"
#include "ui/Units.h"
#include "validation/FieldLimits.h"

namespace {
// What a cell may hold while it is typed: an optional leading minus, digits
// and at most one decimal point.
const QRegularExpression& NumberPattern() {
    static const QRegularExpression re(QStringLiteral("-?[0-9]*\\.?[0-9]*"));
    return re;
}

QString NumberText(double v) { return QString::number(v, 'g', 10); }

// The caption of column 1 on each surface.
const char* ValueCaptionText(bool wizard, bool salinity) {
    return salinity ? (wizard ? "Salinity(ppt)" : "Salinity") : (wizard ? "Density(g/ml)" : "Density");
}

// What each column holds, with its unit: the input bar's captions are short.
QString ColumnTip(int column, bool salinity) {
    switch (column) {
    case 0:
        return QString("Depth of the level below the sea surface, %1").arg(units::kMetre);
    case 1:
        return salinity ? QString("Salinity of the level, %1").arg(units::kPartPerThousand)
                        : QString("Density of the level, %1 (its temperature is 0)").arg(units::kGramPerMillilitre);
    case 2:
        return QString("Temperature of the level, %1 (used with salinities)").arg(units::kCelsius);
    default:
        return QString("Speed of the ambient current at the level, %1").arg(units::kMetrePerSecond);
    }
}

double CellNumber(const QString& text, bool* ok = nullptr) { return text.trimmed().toDouble(ok); }

// The temperature densities turn into salinities at.
constexpr double kSwitchTemperature = 15.0;
}  // namespace

CAmbientGrid::CAmbientGrid(CheckSurface surface, CPrompt& prompt, QWidget* parent)
    : QTableWidget(0, 4, parent), m_surface(surface), m_prompt(prompt) {
    setObjectName("ambientGrid");
    const bool wizard = surface == CheckSurface::Wizard;
    const QStringList captions = wizard ? QStringList{"Depth(m)", "Density(g/ml)", "Temperature(deg)", "Current(m/s)"}
                                        : QStringList{"Depth", "  Salinity ", "Tempe", "Current"};
    for (int c = 0; c < 4; ++c) {
        auto* item = new QTableWidgetItem(captions[c]);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(ColumnTip(c, !wizard));
        setHorizontalHeaderItem(c, item);
    }
    // FitColumns shares the width out.
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    // A click on a cell opens its editor, also on the current cell.
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (state() != QAbstractItemView::EditingState && index.isValid()) {
            CommitTyped();
            edit(index);
        }
    });
    setItemDelegate(new CAmbientCellDelegate(*this));
    // Tab leaves the grid (the arrows move between cells; in an editor Tab
    // goes on to the next cell).
    setTabKeyNavigation(false);
    SetValueCaption(false);
}

void CAmbientGrid::FitColumns() {
    // Each column at least as wide as the longest caption it can have (the
    // value column has two), the rest of the width shared out evenly; a grid
    // too narrow for its captions scrolls sideways instead of cutting them.
    const bool wizard = m_surface == CheckSurface::Wizard;
    const QFontMetrics fm = horizontalHeader()->fontMetrics();
    const int padding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 2 * fm.averageCharWidth();
    int need[4] = {};
    int total = 0;
    for (int c = 0; c < 4; ++c) {
        need[c] = fm.horizontalAdvance(horizontalHeaderItem(c)->text()) + padding;
        if (c == 1)
            for (bool salinity : {false, true})
                need[c] = std::max(need[c], fm.horizontalAdvance(ValueCaptionText(wizard, salinity)) + padding);
        total += need[c];
    }
    const int spare = std::max(0, viewport()->width() - total);
    for (int c = 0; c < 4; ++c) horizontalHeader()->resizeSection(c, need[c] + spare / 4 + (c == 3 ? spare % 4 : 0));
}

void CAmbientGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    FitColumns();
}

void CAmbientGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // A cell typed into without an editor is checked when it is left,
    // before the next cell's editor opens and takes its own restore text.
    if (m_bTyped && previous.isValid()) {
        m_bTyped = false;
        CheckCell(previous.row(), previous.column());
    }
    SaveCellText(current.row(), current.column());
    QTableWidget::currentChanged(current, previous);
    UpdateDensityText();
}

QString CAmbientGrid::CellText(int level, int column) const {
    const QTableWidgetItem* it = item(level, column);
    return it ? it->text() : QString();
}

void CAmbientGrid::SetCellText(int level, int column, const QString& text) {
    QTableWidgetItem* it = item(level, column);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(level, column, it);
    }
    it->setText(text);
}

std::vector<ProfileRow> CAmbientGrid::Rows() const {
    std::vector<ProfileRow> rows(static_cast<std::size_t>(LevelCount()));
    for (int r = 0; r < LevelCount(); ++r) {
        rows[r].m_dDepth = CellNumber(CellText(r, 0));
        rows[r].m_dValue = CellNumber(CellText(r, 1));
        rows[r].m_dTemperature = CellNumber(CellText(r, 2));
        rows[r].m_dCurrent = CellNumber(CellText(r, 3));
    }
    return rows;
}

void CAmbientGrid::SetRows(const std::vector<ProfileRow>& rows) {
    m_bTyped = false;
    setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        SetCellText(r, 0, NumberText(rows[r].m_dDepth));
        SetCellText(r, 1, NumberText(rows[r].m_dValue));
        SetCellText(r, 2, NumberText(rows[r].m_dTemperature));
        SetCellText(r, 3, NumberText(rows[r].m_dCurrent));
    }
    const bool salinity = !rows.empty() && rows.front().m_dTemperature != 0.0;
    const bool changed = salinity != m_bSalinity;
    m_bSalinity = salinity;
    SetValueCaption(salinity);
    ApplyKindToCells();
    SaveCellText(currentRow(), currentColumn());
    if (changed) emit kindChanged(salinity);
    UpdateDensityText();
}

void CAmbientGrid::AddLevel() {
    CommitEditor();
    const int n = LevelCount();
    insertRow(n);
    if (n == 0) {
        const char* density[4] = {"0", "1.0246", "0", "0.05"};
        const char* salinity[4] = {"0", "33", "15", "0.05"};
        for (int c = 0; c < 4; ++c) SetCellText(0, c, m_bSalinity ? salinity[c] : density[c]);
    } else {
        double depth = CellNumber(CellText(n - 1, 0)) + 20.0;
        if (n >= 2) depth = 2.0 * CellNumber(CellText(n - 1, 0)) - CellNumber(CellText(n - 2, 0));
        SetCellText(n, 0, QString::asprintf("%3.2f", depth));
        for (int c = 1; c < 4; ++c) SetCellText(n, c, CellText(n - 1, c));
    }
    ApplyKindToCells();
    emit levelsChanged();
    UpdateDensityText();
}

void CAmbientGrid::DeleteLevel() {
    CommitEditor();
    const int r = currentRow();
    if (LevelCount() < 1 || r < 0 || r >= LevelCount()) return;
    m_bTyped = false;
    removeRow(r);
    SaveCellText(currentRow(), currentColumn());
    emit levelsChanged();
    UpdateDensityText();
}

void CAmbientGrid::CommitEditor() {
    auto* delegate = static_cast<CAmbientCellDelegate*>(itemDelegate());
    delegate->CommitOpenEditor();
    CommitTyped();
}

void CAmbientGrid::CommitTyped() {
    if (!m_bTyped) return;
    m_bTyped = false;
    CheckCell(currentRow(), currentColumn());
}

QString CAmbientGrid::ValueCaption() const { return horizontalHeaderItem(1)->text(); }

std::vector<double> CAmbientGrid::DepthColumn() const {
    std::vector<double> depths;
    for (int r = 0; r < LevelCount(); ++r) depths.push_back(CellNumber(CellText(r, 0)));
    return depths;
}

void CAmbientGrid::SetValueCaption(bool salinity) {
    const bool wizard = m_surface == CheckSurface::Wizard;
    horizontalHeaderItem(1)->setText(ValueCaptionText(wizard, salinity));
    horizontalHeaderItem(1)->setToolTip(ColumnTip(1, salinity));
    FitColumns();
}

QString CAmbientGrid::FieldName(int column) const {
    switch (column) {
    case 0:
        return "Depth(m)";
    case 1:
        return m_bSalinity ? "Salinity(ppt)" : "Density(g/ml)";
    case 2:
        return "Temperature(deg)";
    default:
        return "Current(m/s)";
    }
}

bool CAmbientGrid::IsEditableCell(int row, int column) const {
    const QTableWidgetItem* it = item(row, column);
    return it && (it->flags() & Qt::ItemIsEditable);
}

void CAmbientGrid::ApplyKindToCells() {
    for (int r = 0; r < LevelCount(); ++r) {
        if (!item(r, 2)) SetCellText(r, 2, "0");
        QTableWidgetItem* t = item(r, 2);
        if (m_bSalinity) {
            t->setFlags(t->flags() | Qt::ItemIsEditable);
            t->setData(Qt::ForegroundRole, QVariant());
            t->setToolTip(QString());
        } else {
            t->setFlags(t->flags() & ~Qt::ItemIsEditable);
            t->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
            t->setToolTip("Not used with densities: choose salinity to give a temperature.");
        }
    }
}

bool CAmbientGrid::SetSalinity(bool salinity) {
    CommitEditor();
    if (salinity == m_bSalinity) return true;
    // Each level keeps its density: work out the new values first, so that
    // one level without a salinity changes nothing.
    std::vector<ProfileRow> rows = Rows();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ProfileRow& row = rows[r];
        if (salinity) {
            const double s = CAmbient::SalinityFor(row.m_dValue, kSwitchTemperature);
            if (std::isnan(s)) {
                Refuse(static_cast<int>(r), 1,
                       QString("a density of %1 g/mL has no salinity between 0 and 40 ppt at %2 \u00b0C; the levels "
                               "keep their densities.")
                           .arg(NumberText(row.m_dValue), NumberText(kSwitchTemperature))
                           .toStdString());
                return false;
            }
            row.m_dValue = std::round(s * 1000.0) / 1000.0;
            row.m_dTemperature = kSwitchTemperature;
        } else {
            row.m_dValue = std::round(CAmbient::Density(row.m_dValue, row.m_dTemperature) * 1e6) / 1e6;
            row.m_dTemperature = 0.0;
        }
    }
    m_bSalinity = salinity;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SetCellText(static_cast<int>(r), 1, NumberText(rows[r].m_dValue));
        SetCellText(static_cast<int>(r), 2, NumberText(rows[r].m_dTemperature));
    }
    SetValueCaption(salinity);
    ApplyKindToCells();
    SaveCellText(currentRow(), currentColumn());
    emit kindChanged(salinity);
    if (LevelCount() > 0) emit levelsChanged();
    UpdateDensityText();
    return true;
}

QString CAmbientGrid::DensityText() const { return m_strDensityText; }

void CAmbientGrid::UpdateDensityText() {
    QString text;
    const int r = currentRow();
    if (r >= 0 && r < LevelCount()) {
        // What is typed now: the open editor's text before it is written back.
        auto cell = [this, r](int column) {
            const auto* delegate = static_cast<const CAmbientCellDelegate*>(itemDelegate());
            const QLineEdit* editor = delegate->OpenEditor(r, column);
            return editor ? editor->text() : CellText(r, column);
        };
        const QString level = QString("Level %1: ").arg(r + 1);
        bool okValue = false, okTemperature = false;
        const double value = CellNumber(cell(1), &okValue);
        const double temperature = CellNumber(cell(2), &okTemperature);
        if (!okValue) {
            text = level + FieldName(1) + " holds no number yet.";
        } else if (!m_bSalinity) {
            text = level + QString("density %1 g/mL.").arg(NumberText(value));
        } else if (!okTemperature || !(temperature > 0.0)) {
            text = level + "give a temperature above 0 to compute the density.";
        } else {
            text = level + QString("%1 ppt at %2 \u00b0C gives a density of %3 g/mL.")
                               .arg(NumberText(value), NumberText(temperature),
                                    QString::number(CAmbient::Density(value, temperature), 'f', 5));
        }
    }
    if (text == m_strDensityText) return;
    m_strDensityText = text;
    emit densityTextChanged(text);
}

void CAmbientGrid::Refuse(int row, int column, const std::string& why) {
    m_prompt.Inform(QString("%1 of level %2: %3")
                        .arg(FieldName(column))
                        .arg(row + 1)
                        .arg(QString::fromStdString(why))
                        .toStdString());
}

void CAmbientGrid::SaveCellText(int row, int column) {
    m_nSavedRow = row;
    m_nSavedColumn = column;
    m_strSaved = row >= 0 && column >= 0 ? CellText(row, column) : QString();
}

bool CAmbientGrid::CheckCell(int row, int column) {
    const bool saved = row == m_nSavedRow && column == m_nSavedColumn;
    return CheckCell(row, column, saved ? m_strSaved : CellText(row, column));
}

bool CAmbientGrid::CheckCell(int row, int column, const QString& restoreText) {
    if (m_bChecking || row < 0 || column < 0 || row >= LevelCount()) return true;
    m_bChecking = true;
    const QString text = CellText(row, column).trimmed();
    std::string message;
    if (!text.isEmpty()) {
        bool isNumber = false;
        const double value = CellNumber(text, &isNumber);
        // A lone "-" or "." is no number: it cannot stand in the profile.
        message = isNumber ? ProfileCellMessage(column, value, m_bSalinity, m_surface) : "Please enter a number.";
    }
    if (!message.empty()) {
        SetCellText(row, column, restoreText);
    } else if (!text.isEmpty()) {
        // An accepted value shows as the number it is: "020" as "20", "1.50" as "1.5".
        const QString shortest = NumberText(CellNumber(text));
        if (shortest != CellText(row, column)) SetCellText(row, column, shortest);
    }
    emit levelsChanged();
    UpdateDensityText();
    if (!message.empty()) Refuse(row, column, message);
    m_bChecking = false;
    return message.empty();
}

bool CAmbientGrid::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        m_bTyped && currentRow() == m_nSavedRow && currentColumn() == m_nSavedColumn) {
        event->accept();
        return true;
    }
    return QTableWidget::event(event);
}

void CAmbientGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        Paste(QApplication::clipboard()->text());
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(LevelsText());
        return;
    }
    const int r = currentRow(), c = currentColumn();
    const QString t = event->text();
    const bool digit = t.size() == 1 && t[0].isDigit() && t[0].unicode() < 128;
    if (r >= 0 && c >= 0 && (digit || t == "." || t == "-" || event->key() == Qt::Key_Backspace)) {
        if (!IsEditableCell(r, c)) {
            Refuse(r, c, "not used with densities: choose salinity to give a temperature.");
            return;
        }
        QString text = CellText(r, c);
        if (digit) {
            // Digits go after the number, except that a lone zero gives way:
            // typing 20 over "0" makes 20, not 020.
            if (text == "0" || text == "-0") text.chop(1);
            text += t;
        } else if (t == ".") {
            if (text.contains('.')) return;
            text += t;
        } else if (t == "-") {
            if (!text.isEmpty()) return;
            text = t;
        } else {
            if (text.isEmpty()) return;
            text.chop(1);
        }
        SetCellText(r, c, text);
        m_bTyped = true;
        UpdateDensityText();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_F2:
        QTableWidget::keyPressEvent(event);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter finishes the typed value: it is checked at once.
        if (m_bTyped) {
            m_bTyped = false;
            CheckCell(r, c);
            SaveCellText(r, c);
        }
        return;
    case Qt::Key_Escape:
        if (m_bTyped && r == m_nSavedRow && c == m_nSavedColumn) {
            SetCellText(r, c, m_strSaved);
            m_bTyped = false;
            UpdateDensityText();
            return;
        }
        break;
    default:
        break;
    }
    event->ignore();
}

QWidget* CAmbientCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editor->setFrame(false);
    editor->setValidator(new QRegularExpressionValidator(NumberPattern(), editor));
    m_pEditor = editor;
    m_nEditorRow = index.row();
    m_nEditorColumn = index.column();
    // The density follows every key typed.
    QPointer<CAmbientGrid> grid(&m_grid);
    connect(editor, &QLineEdit::textEdited, editor, [grid] {
        if (grid) grid->UpdateDensityText();
    });
    return editor;
}

const QLineEdit* CAmbientCellDelegate::OpenEditor(int row, int column) const {
    if (!m_pEditor || row != m_nEditorRow || column != m_nEditorColumn) return nullptr;
    return m_pEditor;
}

void CAmbientCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    line->setText(index.data().toString());
    line->selectAll();
    m_grid.SaveCellText(index.row(), index.column());
}

void CAmbientCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    const QString text = static_cast<QLineEdit*>(editor)->text().trimmed();
    const QString old = m_grid.CellText(index.row(), index.column());
    if (text == old.trimmed()) return;
    m_grid.SetCellText(index.row(), index.column(), text);
    // The check may show a message: it runs after the editor has closed,
    // with the text the cell had before this edit to put back.
    const int row = index.row(), column = index.column();
    QPointer<CAmbientGrid> grid(&m_grid);
    QTimer::singleShot(0, &m_grid, [grid, row, column, old] {
        if (grid) grid->CheckCell(row, column, old);
    });
}

void CAmbientCellDelegate::CommitOpenEditor() {
    if (!m_pEditor || m_grid.state() != QAbstractItemView::EditingState) return;
    QLineEdit* editor = m_pEditor;
    m_pEditor = nullptr;
    const QModelIndex index = m_grid.currentIndex();
    const QString text = editor->text().trimmed();
    const QString old = index.isValid() ? m_grid.CellText(index.row(), index.column()) : QString();
    const bool changed = index.isValid() && text != old.trimmed();
    if (changed) m_grid.SetCellText(index.row(), index.column(), text);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (changed) m_grid.CheckCell(index.row(), index.column(), old);
}
