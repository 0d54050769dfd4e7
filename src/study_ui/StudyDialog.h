#pragma once
#ifndef PLUMEX_LAYER_STUDY_UI
#error "a header of plumex_study_ui, included by a library that does not link it"
#endif
// "Design conditions": the case computed against the conditions of a
// conditions file (docs/conditions.md). The user chooses the file, sees its
// conditions (a skipped one with its reason), runs the study with a
// progress bar and Cancel, and reads the rows in a table that sorts by any
// column and copies to a spreadsheet, with the summary below it. The case
// itself is not changed: the study computes a copy.
#include <QDialog>
#include <memory>

#include "study/ConditionsFile.h"

class CCase;
class CPrompt;
class CStudyRunner;
class CStudySummary;
class CStudyResultsTable;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

class CStudyDialog : public QDialog {
    Q_OBJECT
public:
    CStudyDialog(const CCase& doc, CPrompt& prompt, QWidget* parent = nullptr);
    ~CStudyDialog() override;

    // Reads a conditions file and lists its conditions; false (told through
    // the prompt) when the file is refused.
    bool LoadConditions(const QString& path);
    void Run();
    void Cancel();
    bool IsRunning() const;

    QTableWidget* ConditionList() const;
    CStudyResultsTable* Results() const { return m_pResults; }
    QPushButton* RunButton() const { return m_pRun; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QPushButton* CopyButton() const { return m_pCopy; }
    QProgressBar* Progress() const { return m_pProgress; }
    QPlainTextEdit* SummaryText() const { return m_pSummary; }
    QLabel* Status() const { return m_pStatus; }

signals:
    void studyFinished();

protected:
    void reject() override;

private:
    void Choose();
    void OnFinished();
    void UpdateButtons();

    const CCase& m_doc;
    CPrompt& m_prompt;
    ConditionsFile m_File;
    std::unique_ptr<CStudyRunner> m_pRunner;
    std::unique_ptr<CStudySummary> m_pSummaryData;
    QLineEdit* m_pPath;
    QTableWidget* m_pList;
    CStudyResultsTable* m_pResults;
    QPushButton* m_pRun;
    QPushButton* m_pCancel;
    QPushButton* m_pCopy;
    QProgressBar* m_pProgress;
    QPlainTextEdit* m_pSummary;
    QLabel* m_pStatus;
};
