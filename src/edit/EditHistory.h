#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// The edits of one case that can be taken back, and the case's modified
// flag kept in step with them: taking the edits back to the state last
// saved clears the flag, so closing then asks nothing. A change made
// outside the history (a run's results, a new case made by the wizard)
// makes that state unreachable until the next save: a run is not undone.
#include <QObject>
#include <QUndoStack>
#include <memory>

#include "base/DocObserver.h"

class CCase;
class QUndoCommand;

class CEditHistory : public QObject, public CDocObserver {
    Q_OBJECT
public:
    explicit CEditHistory(CCase& doc, QObject* parent = nullptr);
    ~CEditHistory() override;

    QUndoStack& Stack() { return m_stack; }
    CCase& Doc() const { return m_doc; }
    // Runs the edit and keeps it; an edit that turns out to change nothing
    // is dropped. False for a null command.
    bool Push(std::unique_ptr<QUndoCommand> command);
    // The case now matches its file (saved or just read).
    void MarkSaved();
    // An edit kept in the history when there is one, else made at once and
    // forgotten (a case being made by the wizard). False for a null command.
    static bool Apply(CEditHistory* history, std::unique_ptr<QUndoCommand> command);

    void OnDocEvent(const DocEvent& event) override;

signals:
    // Edits were taken back or made again; modelInput: one of them changed
    // what the jet model reads, so the jets' results may no longer match.
    void inputsRestored(bool modelInput);

private:
    CCase& m_doc;
    QUndoStack m_stack;
    bool m_bAdjusting = false;
    bool m_bPushing = false;
    int m_nIndex = 0;  // the stack's index before its last move
};
