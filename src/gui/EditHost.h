#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// Edit > Undo and Redo of the main window, named after the edit they take
// back or make again ("Undo Change Diameter of Jet3"), and the "Edit
// history" dock listing the active case's edits (View > Edit history).
#include <QObject>
#include <QPointer>

#include "gui/CaseDocument.h"

class CMainFrame;
class QDockWidget;
class QUndoView;

class CEditHost : public QObject {
    Q_OBJECT
public:
    explicit CEditHost(CMainFrame& frame);

    // The case whose edits the commands and the dock show (null: none).
    void Follow(CCaseDocument* doc);
    // Texts and states of Undo and Redo; nothing is taken back while a run
    // is in flight (the structure must stay as the run found it).
    void Update(bool idle);
    QDockWidget* Dock() const { return m_pDock; }
    QUndoView* HistoryView() const { return m_pView; }

private:
    void Step(bool undo);

    CMainFrame& m_frame;
    QPointer<CCaseDocument> m_pShown;
    QDockWidget* m_pDock;
    QUndoView* m_pView;
    bool m_bIdle = true;
};
