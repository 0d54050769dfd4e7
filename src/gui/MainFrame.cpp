#include "gui/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "base/DocObserver.h"
#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "gui/ActionRegistry.h"
#include "gui/CaseArea.h"
#include "gui/CaseDocument.h"
#include "gui/CaseHost.h"
#include "gui/ChildFrame.h"
#include "gui/EditHost.h"
#include "gui/Profile.h"
#include "gui/ResultsHost.h"
#include "gui/RunController.h"
#include "gui/SplashScreen.h"
#include "gui/StartPageHost.h"
#include "run/RunSettings.h"
#include "ui/DataView.h"
#include "ui/DocEventBridge.h"
#include "ui/InputBar.h"
#include "ui/PlumexView.h"
#include "ui/ProfileWnd.h"
#include "ui/StatusProgress.h"
#include "ui/SummaryViewer.h"

CMainFrame::CMainFrame(CCaseHost& app, const QSize& screen)
    : m_app(app), m_Screen(screen), m_pActions(new CActionRegistry(this)), m_pMdi(new CCaseArea(this)) {
    // The icons live in the program's resources, linked from a library.
    Q_INIT_RESOURCE(plumex);
    setObjectName("mainFrame");
    setWindowTitle("Plumex System");
    setWindowIcon(QIcon(":/icons/plumex.svg"));
    m_Docking = DockingDescription::Parse(m_app.Profile().InputPosition(), screen);

    m_pMdi->setObjectName("mdiArea");
    m_pMdi->setViewMode(QMdiArea::SubWindowView);
    setCentralWidget(m_pMdi);

    MakeActions();
    m_pResults = new CResultsHost(*this, *m_pActions, [this] { return ActiveChild(); });
    m_pEdits = new CEditHost(*this);
    m_pStart = new CStartPageHost(*this, m_app);
    connect(m_pStart, &CStartPageHost::newRequested, this, &CMainFrame::newRequested);
    connect(m_pStart, &CStartPageHost::openRequested, this, &CMainFrame::openRequested);
    MakeToolBars();
    MakeStatusBar();
    MakeMenus();
    ConnectCommands();
    m_pRuns = new CRunController(*m_pProgress, m_app.Prompt(), this);
    connect(m_pRuns, &CRunController::runningChanged, this, &CMainFrame::updateActions);
    connect(m_pMdi, &QMdiArea::subWindowActivated, this, &CMainFrame::updateActions);
    connect(m_pMdi, &QMdiArea::subWindowActivated, this, [this] { m_pResults->Follow(ActiveDocument()); });
    connect(&m_app, &CCaseHost::documentsChanged, this, &CMainFrame::updateActions);
    // The profile window draws the active case; with the last case it goes
    // from the screen too (View > Profile of Ambient brings it back).
    m_pProfileWnd = new CProfileWnd(this);
    auto showActiveProfile = [this] {
        CCaseDocument* d = ActiveDocument();
        if (!d) {
            bool open = false;
            for (CCaseDocument* doc : m_app.Documents()) open = open || &doc->Doc() == m_pProfileWnd->Document();
            if (!open) m_pProfileWnd->SetDocument(nullptr);
            if (m_app.Documents().isEmpty()) m_pProfileWnd->hide();
            return;
        }
        m_pProfileWnd->SetDocument(&d->Doc());
        if (d)
            connect(&d->Events(), &CDocEventBridge::docEvent, m_pProfileWnd,
                    static_cast<void (QWidget::*)()>(&QWidget::update), Qt::UniqueConnection);
    };
    connect(m_pMdi, &QMdiArea::subWindowActivated, this, showActiveProfile);
    connect(&m_app, &CCaseHost::documentsChanged, this, showActiveProfile);

    // The input bar shows the active case; its re-runs go through the run controller.
    m_pInputBar = new CInputBar(m_app.Prompt(), this);
    addDockWidget(Qt::RightDockWidgetArea, m_pInputBar);
    // The input bar keeps the whole right edge; docks below the case windows end beside it.
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    if (!m_app.Profile().InputPosition().isEmpty() && m_Docking.m_eSide == DockSide::None) {
        m_pInputBar->setFloating(true);
        m_pInputBar->setGeometry(
            QRect(QPoint(m_Docking.m_nLeft, m_Docking.m_nTop), QPoint(m_Docking.m_nRight, m_Docking.m_nBottom)));
    }
    m_pInputBar->hide();
    auto showActiveInput = [this] {
        CCaseDocument* d = ActiveDocument();
        if (!d) {
            // No active window (the program lost the focus, or a case closed):
            // the bar forgets its case only when that case is gone.
            bool open = false;
            for (CCaseDocument* doc : m_app.Documents()) open = open || &doc->Doc() == m_pInputBar->Case();
            if (!open) {
                m_pInputBar->SetCase(nullptr, true);
                m_pInputBar->SetHistory(nullptr);
                m_pEdits->Follow(nullptr);
            }
            return;
        }
        m_pInputBar->SetCase(&d->Doc());
        m_pInputBar->SetHistory(&d->History());
        m_pEdits->Follow(d);
        updateActions();
        if (d)
            connect(&d->Events(), &CDocEventBridge::docEvent, m_pInputBar, &CInputBar::OnDocEvent,
                    Qt::UniqueConnection);
    };
    connect(m_pMdi, &QMdiArea::subWindowActivated, this, showActiveInput);
    connect(&m_app, &CCaseHost::documentsChanged, this, showActiveInput);
    connect(m_pInputBar, &CInputBar::runRequested, this, [this](bool allJets) {
        CCaseDocument* d = ActiveDocument();
        if (!d) return;
        if (allJets) m_pRuns->RunAllJets(*d);
        else m_pRuns->RunCurrentJet(*d);
    });
    qApp->installEventFilter(this);
    OnNoCase();
}

CMainFrame::~CMainFrame() {
    // The run ends while the meter it moves still exists.
    if (m_pRuns) m_pRuns->Abandon();
}

QAction* CMainFrame::Action(const QString& name) const { return m_pActions->Get(name); }

void CMainFrame::MakeStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("statusBar");
    m_pProgress = new CStatusProgress(bar);
    m_pProgress->setObjectName("progress");
    bar->addPermanentWidget(m_pProgress);
    const char* const names[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(names[i], bar);
        pane->setObjectName(QString("lockPane%1").arg(i));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance("SCRLW"));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(pane);
        m_pLockPanes[i] = pane;
    }
    connect(m_pProgress, &CStatusProgress::statusText, bar, [bar](const QString& t) { bar->showMessage(t); });
    bar->showMessage("Ready");
    UpdateLockPanes();
}

CChildFrame* CMainFrame::AddCaseWindow(CCaseDocument& doc) {
    const QSize creation = m_pMdi->viewport()->size().expandedTo(QSize(200, 150));
    auto* child = new CChildFrame(doc, m_Screen, creation);
    child->SetCloseGuard([this](CChildFrame* frame) {
        if (WindowsOf(frame->Document()).size() == 1 && !StopRunBeforeClose(&frame->Document())) return false;
        if (WindowsOf(frame->Document()).size() > 1) return true;
        return m_app.CanCloseLastWindow(frame->Document());
    });
    QMdiSubWindow* sub = m_pMdi->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(QIcon(":/icons/case.svg"));
    // The window's own menu would take the main window's Close key.
    if (QMenu* menu = sub->systemMenu())
        for (QAction* a : menu->actions()) a->setShortcut(QKeySequence());
    connect(child, &QObject::destroyed, this, [this, &doc] {
        // Still listed: that window was its last, so the case goes too.
        if (m_app.Documents().contains(&doc) && WindowsOf(doc).isEmpty()) m_app.DiscardDocument(&doc);
        else if (m_app.Documents().contains(&doc)) RenumberWindows(doc);
        updateActions();
    });
    connect(&doc, &CCaseDocument::stateChanged, this, &CMainFrame::updateActions);
    connect(child->SceneView(), &CPlumexView::stateChanged, this, &CMainFrame::updateActions);
    // One window of the case passes its changes on while it is the active one.
    connect(&doc.Events(), &CDocEventBridge::docEvent, child, [this, child, &doc](const DocEvent& e) {
        if (e.m_eKind == DocEvent::RunStateChanged) updateActions();
        if (child == ActiveChild()) m_pResults->OnDocumentChanged(doc);
    });
    if (auto* dataView = qobject_cast<CDataView*>(child->DataView())) {
        connect(dataView, &CDataView::viewSummaryRequested, this, [this, &doc] { ViewSummaryFile(doc); });
        connect(dataView, &CDataView::statusText, this, [this](const QString& t) { statusBar()->showMessage(t); });
    }
    RenumberWindows(doc);
    sub->show();
    m_pMdi->setActiveSubWindow(sub);
    updateActions();
    return child;
}

void CMainFrame::ViewSummaryFile(CCaseDocument& doc) {
    // All jets are computed first, so the file speaks of the case as it
    // stands; it is shown when that run has ended well, not while the model
    // is still writing it.
    if (!m_pRuns->RunAllJets(doc)) return;
    const QPointer<CCaseDocument> target(&doc);
    connect(
        m_pRuns, &CRunController::runFinished, this,
        [this, target](bool succeeded) {
            if (!succeeded || !target) return;
            auto* viewer = new CSummaryViewer(this);
            viewer->setObjectName("summaryViewer");
            viewer->Load(QString::fromStdString(m_pRuns->SettingsOf(*target).SummaryPath()));
            viewer->show();
        },
        Qt::SingleShotConnection);
}

void CMainFrame::RenumberWindows(const CCaseDocument& doc) {
    const auto windows = WindowsOf(doc);
    int n = 1;
    for (CChildFrame* f : windows) f->SetWindowNumber(n++, int(windows.size()));
}

CChildFrame* CMainFrame::ActiveChild() const {
    QMdiSubWindow* sub = m_pMdi->activeSubWindow();
    if (!sub) {
        // Without focus (another program active) the last active one counts.
        const auto list = m_pMdi->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (list.isEmpty()) return nullptr;
        sub = list.last();
    }
    return qobject_cast<CChildFrame*>(sub->widget());
}

CCaseDocument* CMainFrame::ActiveDocument() const {
    CChildFrame* c = ActiveChild();
    return c ? &c->Document() : nullptr;
}

QList<CChildFrame*> CMainFrame::CaseWindows() const {
    QList<CChildFrame*> list;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList(QMdiArea::CreationOrder))
        if (auto* c = qobject_cast<CChildFrame*>(sub->widget())) list << c;
    return list;
}

QList<CChildFrame*> CMainFrame::WindowsOf(const CCaseDocument& doc) const {
    QList<CChildFrame*> list;
    for (CChildFrame* c : CaseWindows())
        if (&c->Document() == &doc) list << c;
    return list;
}

void CMainFrame::RemoveWindowsOf(const CCaseDocument& doc) {
    // The case goes away: its run and its plots go first.
    if (m_pRuns->RunningDocument() == &doc) m_pRuns->Abandon();
    m_pResults->Forget(doc);
    for (QMdiSubWindow* sub : m_pMdi->subWindowList(QMdiArea::CreationOrder)) {
        auto* c = qobject_cast<CChildFrame*>(sub->widget());
        if (!c || &c->Document() != &doc) continue;
        c->SetCloseGuard(nullptr);
        m_pMdi->removeSubWindow(sub);
        delete sub;
    }
}

void CMainFrame::OnCaseShown() {
    m_bCaseShown = true;
    m_pStart->Hide();
    if (QMdiSubWindow* sub = m_pMdi->activeSubWindow()) sub->showMaximized();
    m_pViewBar->show();
    m_pInputBar->show();
    UseCaseMenus(true);
    updateActions();
}

void CMainFrame::OnNoCase() {
    if (m_bCaseShown && m_app.Documents().isEmpty()) {
        m_pViewBar->hide();
        m_pInputBar->hide();
        UseCaseMenus(false);
        m_pResults->Dock()->hide();
        m_pStart->ShowIfEnabled();
    }
    updateActions();
}

void CMainFrame::ToggleCrossSection() {
    m_bCrossSectionShown = !m_bCrossSectionShown;
    if (CChildFrame* c = ActiveChild()) c->ApplyPaneFlags(m_bCrossSectionShown, m_bDataShown);
    updateActions();
}

void CMainFrame::ToggleData() {
    m_bDataShown = !m_bDataShown;
    if (CChildFrame* c = ActiveChild()) c->ApplyPaneFlags(m_bCrossSectionShown, m_bDataShown);
    updateActions();
}

void CMainFrame::NewWindow() {
    if (CCaseDocument* doc = ActiveDocument()) {
        CChildFrame* c = AddCaseWindow(*doc);
        if (QMdiSubWindow* sub = m_pMdi->activeSubWindow(); sub && sub->widget() == c) sub->showMaximized();
    }
}

void CMainFrame::ArrangeIcons() {
    // Minimised case windows in a row along the bottom of the area.
    int x = 0;
    const int bottom = m_pMdi->viewport()->height();
    for (QMdiSubWindow* sub : m_pMdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized()) continue;
        sub->move(x, bottom - sub->height());
        x += sub->width();
    }
}

void CMainFrame::updateActions() {
    CCaseDocument* doc = ActiveDocument();
    const bool running = AnyRunInFlight();
    const bool hasCase = doc != nullptr;
    const bool idle = !running;
    if (!m_app.Documents().isEmpty() != m_bCaseMenus) UseCaseMenus(!m_app.Documents().isEmpty());

    // While a run is in flight nothing may add, remove or replace a case or
    // its parts; the help and the views stay at hand.
    for (const char* name : {"file.new", "file.open", "file.exit", "file.startPage", "file.printSetup"})
        Action(name)->setEnabled(idle);
    for (const char* name :
         {"file.close", "file.save", "file.saveAs", "file.saveBmp", "file.print", "file.printPreview",
          "file.exportReport", "window.newWindow", "option.continuous", "option.mergePlumes", "option.maxTimeSteps"})
        Action(name)->setEnabled(idle && hasCase);
    Action("option.designConditions")->setEnabled(idle && hasCase);
    // The time steps are not changed while the 3-D view grows its jets.
    if (CPlumexView* v = ActiveView(); v && v->IsAnimating()) Action("option.maxTimeSteps")->setEnabled(false);
    const bool hasJet = hasCase && doc->Doc().GetCurrentJet() != nullptr;
    Action("run.allJets")->setEnabled(idle && hasJet);
    Action("run.currentJet")->setEnabled(idle && hasJet);
    Action("run.resimulate")->setEnabled(idle && hasJet);
    Action("run.cancel")->setEnabled(m_pRuns && m_pRuns->IsRunning());
    Action("option.continuous")->setChecked(hasCase && doc->Doc().IsContinuous());
    Action("option.mergePlumes")->setChecked(hasCase && doc->Doc().MergesPlumes());
    if (m_pInputBar) m_pInputBar->SetRunsIdle(idle);

    const bool windows = !m_pMdi->subWindowList().isEmpty();
    for (const char* name : {"window.cascade", "window.tile", "window.arrangeIcons"})
        Action(name)->setEnabled(idle && windows);
    Action("view.crossSectionView")->setChecked(m_bCrossSectionShown);
    Action("view.dataView")->setChecked(m_bDataShown);
    Action("view.crossSectionView")->setEnabled(hasCase);
    Action("view.dataView")->setEnabled(hasCase);
    Action("view.toolbar")->setChecked(!m_pMainBar->isHidden());
    Action("view.statusBar")->setChecked(!statusBar()->isHidden());
    m_pEdits->Update(idle);
    UpdateViewTools();
}

bool CMainFrame::AnyRunInFlight() const {
    if (m_pRuns && m_pRuns->IsRunning()) return true;
    for (const CCaseDocument* d : m_app.Documents())
        if (d->Doc().IsRunInFlight()) return true;
    return false;
}

bool CMainFrame::StopRunBeforeClose(const CCaseDocument* doc) {
    if (!m_pRuns->IsRunning() || (doc && m_pRuns->RunningDocument() != doc)) return true;
    const QString name = m_pRuns->RunningDocument()->DisplayName();
    if (!m_app.Prompt().AskYesNo("The jet model is still computing " + name.toStdString() +
                                 ". Stop the run? The jets keep their earlier results."))
        return false;
    m_pRuns->Abandon();
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!StopRunBeforeClose(nullptr) || !m_app.SaveAllWithPrompts()) {
        event->ignore();
        return;
    }
    // The input bar is written back docked at the right with the rectangle
    // read at start-up, or floating where it floats now.
    DockingDescription d = m_Docking;
    d.m_eSide = DockSide::Right;
    if (m_pInputBar->isFloating()) {
        const QRect r = m_pInputBar->geometry();
        d.m_eSide = DockSide::None;
        d.m_nLeft = r.left();
        d.m_nTop = r.top();
        d.m_nRight = r.right() + 1;
        d.m_nBottom = r.bottom() + 1;
    }
    d.m_bShown = true;
    m_app.Profile().SetInputPosition(d.Format());
    m_app.Profile().Sync();
    for (CCaseDocument* doc : QList<CCaseDocument*>(m_app.Documents())) m_app.DiscardDocument(doc);
    event->accept();
    // The program ends with its main window: the start page, the help and
    // the profile windows, which are windows of their own, go too, so that
    // no window keeps the program running unseen.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyRelease || (e->type() == QEvent::WindowActivate && watched == this)) UpdateLockPanes();
    return QMainWindow::eventFilter(watched, e);
}
