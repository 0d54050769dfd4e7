#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The ambient profile grid of the input surfaces: one row per level (the
// header is the caption row), columns depth, density or salinity,
// temperature and current speed. Whether column 1 holds densities or
// salinities is the user's choice (SetSalinity), never guessed from what is
// typed: with densities the temperature cells stay 0 and cannot be edited,
// with salinities every level needs a temperature above 0. Editing follows
// the rules users of the program know: entering a cell opens an editor over
// it; leaving the cell writes the text back and checks it (a refused value
// is named with its field and level, and the old text comes back); with no
// editor open only digits, one ".", backspace and a leading "-" change the
// cell; a pasted value is checked like a typed one. While a level is typed,
// DensityText tells the density it gives. Numbers are read and written with
// a decimal point whatever the locale.
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
    // Replaces the levels; column 1 holds salinities when the first level
    // has a temperature.
    void SetRows(const std::vector<ProfileRow>& rows);
    // Appends a level continuing the profile: the first is "0", "1.0246",
    // "0", "0.05" with densities ("0", "33", "15", "0.05" with salinities);
    // the second lies 20 m below the first; later ones keep the spacing of
    // the last two; values are copied from the level above.
    void AddLevel();
    // Deletes the selected level (the current row).
    void DeleteLevel();
    // Writes an open editor's text into its cell and checks it.
    void CommitEditor();
    // The caption of column 1 now shown.
    QString ValueCaption() const;
    // The name of a column in messages: "Depth(m)", "Density(g/ml)" or
    // "Salinity(ppt)", "Temperature(deg)", "Current(m/s)".
    QString FieldName(int column) const;

    // Column 1 holds salinities (with temperatures) rather than densities.
    bool Salinity() const { return m_bSalinity; }
    // The user's choice of column 1. The levels typed keep their density:
    // densities become salinities at 15 deg C, salinities the densities they
    // give. False (after a message naming the level) when a density has no
    // salinity of 0 to 40 ppt; nothing changes then.
    bool SetSalinity(bool salinity);
    // The density the current level gives with what is typed now, or why
    // there is none yet; "" without a current level.
    QString DensityText() const;

    std::vector<double> DepthColumn() const override;

    // Copy and paste with spreadsheets (AmbientGridClipboard.cpp). The
    // levels as tab-separated text, a line of captions first.
    QString LevelsText() const;
    // Pastes text at the current cell: one number into the cell, or a block
    // of tab-separated rows (a first line of captions is skipped) into the
    // cells from the current one on, adding levels below as needed. Every
    // value is checked first; one refused value changes nothing. False when
    // something was refused (after a message naming the field and level).
    bool Paste(const QString& text);

    // The cell check of a cell whose text was just written: false when a
    // message was shown (the text may have been put back).
    bool CheckCell(int row, int column);
    // The same, putting restoreText back when the value is refused.
    bool CheckCell(int row, int column, const QString& restoreText);

signals:
    // The levels changed (added, deleted, a cell written).
    void levelsChanged();
    // Column 1 now holds salinities (true) or densities.
    void kindChanged(bool salinity);
    // DensityText changed.
    void densityTextChanged(const QString& text);

protected:
    // Escape belongs to a cell typed into, before any shortcut of the window.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class CAmbientCellDelegate;
    void FitColumns();
    void SetValueCaption(bool salinity);
    // The temperature cells follow the kind of column 1: editable with
    // salinities, fixed at 0 with densities.
    void ApplyKindToCells();
    bool IsEditableCell(int row, int column) const;
    void UpdateDensityText();
    // The message of a refused cell: its field, its level, why.
    void Refuse(int row, int column, const std::string& why);
    // The restore text of a cell, taken when it is entered or edited.
    void SaveCellText(int row, int column);
    // Checks a value typed with no editor open.
    void CommitTyped();

    CheckSurface m_surface;
    CPrompt& m_prompt;
    QString m_strSaved;  // text of the cell when it was entered
    int m_nSavedRow = -1, m_nSavedColumn = -1;
    bool m_bTyped = false;  // the current cell was changed by keys with no editor open
    bool m_bChecking = false;
    bool m_bSalinity = false;
    QString m_strDensityText;
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
    // The text of the open editor of this cell, or null.
    const QLineEdit* OpenEditor(int row, int column) const;

private:
    CAmbientGrid& m_grid;
    mutable QPointer<QLineEdit> m_pEditor;
    mutable int m_nEditorRow = -1, m_nEditorColumn = -1;
};
