#pragma once
// The engineering results of the main window: the "Plots" dock, which
// follows the active case and redraws when that case changes, and
// "Export report...", which writes the active case's report with the
// picture of its 3-D view. Their commands are "view.plots" and
// "file.exportReport" of the main window's registry.
#include <QObject>

class QDockWidget;
class CCaseDocument;
class CMainFrame;
class CPlotsWidget;
class CPlumexDoc;

class CResultsHost : public QObject {
    Q_OBJECT
public:
    explicit CResultsHost(CMainFrame& frame);

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

    CMainFrame& m_frame;
    QDockWidget* m_pDock = nullptr;
    CPlotsWidget* m_pPlots = nullptr;
    CPlumexDoc* m_pShown = nullptr;
    bool m_bRefreshPending = false;
};
