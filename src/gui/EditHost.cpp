#include "gui/EditHost.h"

#include <QAction>
#include <QDockWidget>
#include <QUndoView>

#include "edit/EditHistory.h"
#include "gui/ActionRegistry.h"
#include "gui/MainFrame.h"

CEditHost::CEditHost(CMainFrame& frame) : QObject(&frame), m_frame(frame) {
    CActionRegistry& r = frame.Actions();
    QAction* undo = r.Add("edit.undo", "&Undo", "Take back the last edit of the case", QString(), QKeySequence::Undo);
    QAction* redo = r.Add("edit.redo", "&Redo", "Make the edit taken back again", QString(),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* a : {undo, redo}) {
        a->setShortcutContext(Qt::ApplicationShortcut);
        frame.addAction(a);
    }
    connect(undo, &QAction::triggered, this, [this] { Step(true); });
    connect(redo, &QAction::triggered, this, [this] { Step(false); });

    m_pDock = new QDockWidget("Edit history", &frame);
    m_pDock->setObjectName("editHistory");
    m_pView = new QUndoView(m_pDock);
    m_pView->setObjectName("editHistoryView");
    m_pView->setEmptyLabel("<saved or new case>");
    m_pDock->setWidget(m_pView);
    frame.addDockWidget(Qt::RightDockWidgetArea, m_pDock);
    m_pDock->hide();
    QAction* toggle = m_pDock->toggleViewAction();
    toggle->setText("Edit history");
    toggle->setStatusTip("Show or hide the list of the case's edits");
    r.Adopt("view.editHistory", toggle);
}

void CEditHost::Follow(CCaseDocument* doc) {
    if (doc == m_pShown) return;
    m_pShown = doc;
    m_pView->setStack(doc ? &doc->History().Stack() : nullptr);
}

void CEditHost::Step(bool undo) {
    if (!m_pShown || !m_bIdle) return;
    QUndoStack& stack = m_pShown->History().Stack();
    if (undo) stack.undo();
    else stack.redo();
}

void CEditHost::Update(bool idle) {
    m_bIdle = idle;
    // Clicking a line of the list takes the edits back to it: not during a run.
    m_pView->setEnabled(idle);
    QAction* undo = m_frame.Action("edit.undo");
    QAction* redo = m_frame.Action("edit.redo");
    const QUndoStack* stack = m_pShown ? &m_pShown->History().Stack() : nullptr;
    const bool canUndo = stack && stack->canUndo();
    const bool canRedo = stack && stack->canRedo();
    undo->setEnabled(idle && canUndo);
    redo->setEnabled(idle && canRedo);
    undo->setText(canUndo ? "&Undo " + stack->undoText() : "&Undo");
    redo->setText(canRedo ? "&Redo " + stack->redoText() : "&Redo");
}
