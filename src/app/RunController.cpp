#include "app/RunController.h"

#include <QApplication>
#include <QEvent>
#include <QPushButton>

#include "app/CaseDocument.h"
#include "model/PlumexDoc.h"
#include "ui/StatusProgress.h"

CRunController::CRunController(CStatusProgress& progress, QObject* parent) : QObject(parent), m_progress(progress) {
    // The model is asked about every 100 ms whether to stop; pending paint,
    // timer and window events are handled meanwhile, with user input held
    // back by the filter below.
    m_progress.SetWaitHandler([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); });
}

bool CRunController::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        break;
    default:
        return false;
    }
    auto* w = qobject_cast<QWidget*>(watched);
    // Shortcuts reach actions, which are no widgets; window-level events
    // are handed on to the widget under the mouse and judged there.
    if (!w) return event->type() == QEvent::Shortcut;
    if (w == m_progress.CancelButton()) return false;
    // Questions and messages of the run itself take their answers.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && w->window() == modal) return false;
    return true;
}

bool CRunController::Run(CCaseDocument& doc, bool allJets) {
    if (m_pRunning) return false;
    m_pRunning = &doc;
    emit runningChanged(true);
    qApp->installEventFilter(this);
    CPlumexDoc& d = doc.Doc();
    d.SetRunProgress(&m_progress);
    // The meter shows (busy) while the model computes; reading the results
    // gives it a range.
    m_progress.Begin(0, 0);
    const bool ok = d.Run(allJets);
    m_progress.End();
    d.SetRunProgress(nullptr);
    qApp->removeEventFilter(this);
    m_pRunning = nullptr;
    doc.Touch();
    emit runningChanged(false);
    return ok;
}
