#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// The base of every edit of a case that can be taken back. A command
// changes the case through the document's own operations, so the case
// tells its observers and marks itself modified as the edit always did.
// While a command runs, IsApplying() is true: the history tells its own
// changes from those made outside it (a run, a new case).
#include <QUndoCommand>

class CCase;

class CCaseCommand : public QUndoCommand {
public:
    explicit CCaseCommand(CCase& doc, QUndoCommand* parent = nullptr) : QUndoCommand(parent), m_doc(doc) {}

    void redo() final;
    void undo() final;
    static bool IsApplying() { return s_nApplying > 0; }
    // False for an edit the jet model does not read (the cut plane, names,
    // what is shown): taking it back leaves computed results valid.
    virtual bool ChangesModelInput() const { return true; }

protected:
    // Brings the case to the state after the edit (forward) or before it.
    virtual void Apply(bool forward) = 0;
    CCase& m_doc;

private:
    static int s_nApplying;
};
