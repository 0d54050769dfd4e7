#include "gui/ResultsHost.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include "document/PlumexDoc.h"
#include "gui/ActionRegistry.h"
#include "gui/CaseDocument.h"
#include "gui/ChildFrame.h"
#include "results_ui/PlotsDock.h"
#include "results_ui/PlotsWidget.h"
#include "results_ui/ReportExport.h"
#include "ui/PlumexView.h"

CResultsHost::CResultsHost(QMainWindow& window, CActionRegistry& actions, std::function<CChildFrame*()> activeChild)
    : QObject(&window), m_window(window), m_activeChild(std::move(activeChild)) {
    m_pDock = CreatePlotsDock(&window, nullptr, &m_pPlots);
    QAction* toggle = m_pDock->toggleViewAction();
    toggle->setText("Plots");
    toggle->setStatusTip("Show or hide the plots of the computed jets");
    actions.Adopt("view.plots", toggle);
    // A hidden dock is not redrawn; it catches up when it is shown.
    connect(m_pDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) RefreshSoon();
        // The first time below the case windows: a third of the window high,
        // so that a plot has room for its titles and its legend.
        if (visible && !m_bSized && !m_pDock->isFloating()) {
            m_bSized = true;
            m_window.resizeDocks({m_pDock}, {m_window.height() / 3}, Qt::Vertical);
        }
    });
    QAction* report =
        actions.Add("file.exportReport", "Export report...", "Write the report of the case as a PDF or HTML file");
    connect(report, &QAction::triggered, this, &CResultsHost::ExportReport);
}

void CResultsHost::Follow(CCaseDocument* doc) {
    CPlumexDoc* d = doc ? &doc->Doc() : nullptr;
    if (d == m_pShown) return;
    m_pShown = d;
    m_pPlots->SetDocument(d);
}

void CResultsHost::Forget(const CCaseDocument& doc) {
    if (m_pShown == &doc.Doc()) Follow(nullptr);
}

void CResultsHost::OnDocumentChanged(const CCaseDocument& doc) {
    if (m_pShown == &doc.Doc()) RefreshSoon();
}

void CResultsHost::RefreshSoon() {
    if (m_bRefreshPending || m_pDock->isHidden()) return;
    m_bRefreshPending = true;
    QTimer::singleShot(0, this, [this] {
        m_bRefreshPending = false;
        if (!m_pDock->isHidden()) m_pPlots->Refresh();
    });
}

bool CResultsHost::ExportReport() {
    CChildFrame* child = m_activeChild();
    if (!child || child->Document().Doc().IsRunInFlight()) return false;
    const QImage picture = child->SceneView()->grabFramebuffer();
    QString path;
    if (!ExportCaseReport(&m_window, child->Document().Doc(), child->Document().Title(), picture, &path)) return false;
    m_window.statusBar()->showMessage("Exported " + QDir::toNativeSeparators(path));
    return true;
}
