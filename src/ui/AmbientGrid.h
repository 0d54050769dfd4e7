#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The ambient profile grid of the input surfaces: one row per level (the
// header is the caption row), columns depth, density or salinity,
// temperature and current speed. Editing follows the rules users of the
// program know: entering a cell opens an editor over it; leaving the cell
// writes the text back and checks it (a refused value brings the old text
// back); with no editor open only digits, one ".", backspace and a leading
// "-" change the cell; a pasted value is checked like a typed one. Numbers
// are read and written with a decimal point whatever the locale.
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <vector>

#include "model/Ambient.h"
#include "model/AmbientGridLink.h"
#include "validation/CheckSurface.h"

class CPrompt;
class QLineEdit;

class CAmbientGrid : public QTableWidget, public CAmbientGridLink {
    Q_OBJECT
public:
    CAmbientGrid(CheckSurface surface, CPrompt& prompt, QWidget* parent = nullptr);

    int LevelCount() const { return rowCount(); }
    QString CellText(int level, int column) const;
    void SetCellText(int level, int column, const QString& text);
    std::vector<ProfileRow> Rows() const;
    // Replaces the levels; the caption of column 1 follows the first level.
    void SetRows(const std::vector<ProfileRow>& rows);
    // Appends a level continuing the profile: the first is "0", "1.0246",
    // "0", "0.05"; the second lies 20 m below the first; later ones keep
    // the spacing of the last two; values are copied from the level above.
    void AddLevel();
    // Deletes the selected level (the current row).
    void DeleteLevel();
    // Writes an open editor's text into its cell and checks it.
    void CommitEditor();
    // The caption of column 1 now shown.
    QString ValueCaption() const;

    std::vector<double> DepthColumn() const override;

    // The cell check of a cell whose text was just written: false when a
    // message was shown (the text may have been put back).
    bool CheckCell(int row, int column);
    // The same, putting restoreText back when the value is refused.
    bool CheckCell(int row, int column, const QString& restoreText);

signals:
    // The levels changed (added, deleted, a cell written).
    void levelsChanged();

protected:
    // Escape belongs to a cell typed into, before any shortcut of the window.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class CAmbientCellDelegate;
    void UpdateValueCaption();
    void FitColumns();
    void SetValueCaption(bool salinity);
    // The restore text of a cell, taken when it is entered or edited.
    void SaveCellText(int row, int column);
    void PasteIntoCell();
    // Checks a value typed with no editor open.
    void CommitTyped();

    CheckSurface m_surface;
    CPrompt& m_prompt;
    QString m_strSaved;  // text of the cell when it was entered
    int m_nSavedRow = -1, m_nSavedColumn = -1;
    bool m_bTyped = false;  // the current cell was changed by keys with no editor open
    bool m_bChecking = false;
};

// The in-place editor of the grid's cells.
class CAmbientCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CAmbientCellDelegate(CAmbientGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    // Writes the open editor's text back and closes it.
    void CommitOpenEditor();

private:
    CAmbientGrid& m_grid;
    mutable QPointer<QLineEdit> m_pEditor;
};
