#pragma once
#ifndef PLUMEX_LAYER_STUDY_UI
#error "a header of plumex_study_ui, included by a library that does not link it"
#endif
// The rows of a study as a table: sortable by any column (numbers as
// numbers), and copied (Ctrl+C or Copy) as tab-separated text with its
// header, for a spreadsheet.
#include <QTableWidget>
#include <vector>

#include "study/StudyRecord.h"

class CStudyResultsTable : public QTableWidget {
    Q_OBJECT
public:
    explicit CStudyResultsTable(QWidget* parent = nullptr);

    void AddRows(const std::vector<StudyRecord>& rows);
    void Clear();
    // The selected cells (all when none is selected) as tab-separated lines
    // under the header of their columns.
    QString CopyText() const;
    // CopyText() to the clipboard.
    void CopyToClipboard() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
