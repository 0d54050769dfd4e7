#include "edit/EditHistory.h"

#include <algorithm>

#include "edit/CaseCommand.h"
#include "model/Case.h"

CEditHistory::CEditHistory(CCase& doc, QObject* parent) : QObject(parent), m_doc(doc) {
    m_doc.AddObserver(this);
    if (m_doc.IsModified()) m_stack.resetClean();
    connect(&m_stack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        m_bAdjusting = true;
        m_doc.SetModifiedFlag(!clean);
        m_bAdjusting = false;
    });
    // Undo and redo move the index without a push; a push moves it too,
    // but then the edit itself says what changed.
    connect(&m_stack, &QUndoStack::indexChanged, this, [this](int index) {
        const int from = std::min(index, m_nIndex), to = std::max(index, m_nIndex);
        m_nIndex = index;
        if (m_bPushing) return;
        // The commands from..to-1 were taken back or made again.
        bool modelInput = false;
        for (int i = from; i < to; ++i) {
            const auto* c = dynamic_cast<const CCaseCommand*>(m_stack.command(i));
            modelInput = modelInput || !c || c->ChangesModelInput();
        }
        emit inputsRestored(modelInput);
    });
}

CEditHistory::~CEditHistory() {
    // The stack clears itself as it goes and says so: nobody is to hear it then.
    m_stack.disconnect(this);
    m_stack.blockSignals(true);
    m_doc.RemoveObserver(this);
}

bool CEditHistory::Push(std::unique_ptr<QUndoCommand> command) {
    if (!command) return false;
    m_bPushing = true;
    m_stack.push(command.release());
    m_bPushing = false;
    return true;
}

bool CEditHistory::Apply(CEditHistory* history, std::unique_ptr<QUndoCommand> command) {
    if (!command) return false;
    if (history) return history->Push(std::move(command));
    command->redo();
    return true;
}

void CEditHistory::MarkSaved() {
    m_stack.setClean();
    m_bAdjusting = true;
    m_doc.SetModifiedFlag(false);
    m_bAdjusting = false;
}

void CEditHistory::OnDocEvent(const DocEvent& event) {
    switch (event.m_eKind) {
    case DocEvent::ResultsReady:
    case DocEvent::ResultsChanged:
        // New results are kept by no edit: the saved state cannot come back
        // by taking edits back.
        m_stack.resetClean();
        break;
    case DocEvent::ModifiedChanged:
        if (event.m_bFlag && !m_bAdjusting && !CCaseCommand::IsApplying()) m_stack.resetClean();
        break;
    default:
        break;
    }
}
