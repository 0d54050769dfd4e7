#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// A read-only viewer of the jet model's summary file: monospace text, find
// with Ctrl+F (Enter finds the next, from the top again at the end), copy,
// and a button that opens the file in the desktop's text editor.
#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

class CSummaryViewer : public QDialog {
    Q_OBJECT
public:
    explicit CSummaryViewer(QWidget* parent = nullptr);
    // Reads the file; false (and a line saying so in the viewer) when it cannot be read.
    bool Load(const QString& path);
    // Selects the next occurrence after the cursor, wrapping once; false when there is none.
    bool FindNext(const QString& text);
    QPlainTextEdit* Text() const { return m_pText; }

private:
    void ShowFindBar();
    void CopyText();
    void OpenInEditor();

    QString m_strPath;
    QPlainTextEdit* m_pText;
    QWidget* m_pFindBar;
    QLineEdit* m_pFind;
};
