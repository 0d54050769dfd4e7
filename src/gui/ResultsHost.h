#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The engineering results of the main window: the "Plots" dock, which
// follows the active case and redraws when that case changes, and
// "Export report...", which writes the active case's report with the
// picture of its 3-D view. Their commands are "view.plots" and
// "file.exportReport" of the main window's registry.
#include <QObject>
#include <functional>

class QDockWidget;
class CCaseDocument;
class CActionRegistry;
class CChildFrame;
class QMainWindow;
class CPlotsWidget;
class CPlumexDoc;

class CResultsHost : public QObject {
    Q_OBJECT
public:
    // The dock goes into window, the commands into actions; activeChild
    // gives the case window whose report is exported.
    CResultsHost(QMainWindow& window, CActionRegistry& actions, std::function<CChildFrame*()> activeChild);

    QDockWidget* Dock() const { return m_pDock; }
    CPlotsWidget* Plots() const { return m_pPlots; }
    // The case the plots show; null without one.
    CPlumexDoc* Shown() const { return m_pShown; }

    // The plots show doc (null: none).
    void Follow(CCaseDocument* doc);
    // doc goes away: the plots let go of it first.
    void Forget(const CCaseDocument& doc);
    // A change in doc: the plots are redrawn once the events of the change
    // are handled, and only while they are shown.
    void OnDocumentChanged(const CCaseDocument& doc);

    bool ExportReport();

private:
    void RefreshSoon();

    QMainWindow& m_window;
    std::function<CChildFrame*()> m_activeChild;
    QDockWidget* m_pDock = nullptr;
    CPlotsWidget* m_pPlots = nullptr;
    CPlumexDoc* m_pShown = nullptr;
    bool m_bRefreshPending = false;
    bool m_bSized = false;  // the dock was given its first height
};
