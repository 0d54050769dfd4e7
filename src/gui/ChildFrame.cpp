#include "gui/ChildFrame.h"

#include <QCloseEvent>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "base/DocObserver.h"
#include "document/PlumexDoc.h"
#include "edit/EditHistory.h"
#include "gui/CaseDocument.h"
#include "ui/DataView.h"
#include "ui/DocEventBridge.h"
#include "ui/PlaneView.h"
#include "ui/PlumexView.h"

CChildFrame::CChildFrame(CCaseDocument& doc, const QSize& screen, const QSize& creation, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_Screen(screen) {
    m_pOuter = new QSplitter(Qt::Horizontal, this);
    m_pOuter->setObjectName("outerSplitter");
    m_pOuter->setChildrenCollapsible(false);
    // The 3-D view, with a note above it while the jets it shows were
    // computed from inputs that have changed since.
    auto* left = new QWidget(m_pOuter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    m_pOutOfDate = new QLabel(
        "The jets shown were computed before the last change of the input: run the jets again to see the "
        "present case.",
        left);
    m_pOutOfDate->setObjectName("resultsOutOfDate");
    m_pOutOfDate->setWordWrap(true);
    m_pOutOfDate->setMargin(4);
    m_pOutOfDate->setStyleSheet("background: rgb(255, 244, 200); color: rgb(120, 0, 0);");
    m_pOutOfDate->setVisible(doc.Doc().AreResultsOutOfDate());
    m_pView = new CPlumexView(doc.Doc(), left);
    m_pView->setObjectName("sceneView");
    leftLayout->addWidget(m_pOutOfDate);
    leftLayout->addWidget(m_pView, 1);
    // The 3-D view gives way to the right column, but not down to nothing.
    left->setMinimumWidth(fontMetrics().height() * kSceneMinimumLines);
    m_pNested = new QSplitter(Qt::Vertical, m_pOuter);
    m_pNested->setObjectName("nestedSplitter");
    m_pNested->setChildrenCollapsible(false);
    auto* plane = new CPlaneView(doc.Doc(), m_pNested);
    connect(&doc.Events(), &CDocEventBridge::docEvent, plane, &CPlaneView::OnDocEvent);
    m_pPlane = plane;
    m_pPlane->setObjectName("planeView");
    auto* dataView = new CDataView(doc.Doc(), m_pNested);
    dataView->SetHistory(&doc.History());
    m_pView->SetHistory(&doc.History());
    connect(&doc.Events(), &CDocEventBridge::docEvent, dataView, &CDataView::OnDocEvent);
    m_pData = dataView;
    connect(m_pView, &CPlumexView::pickModeEntered, dataView, [dataView] { dataView->SelectPage(1); });
    connect(m_pView, &CPlumexView::planePlacedAtDisk, dataView, [dataView] { dataView->Refresh(true); });
    m_pData->setObjectName("dataView");
    m_pOuter->setStretchFactor(0, 1);
    m_pOuter->setStretchFactor(1, 0);

    ApplyInitialSizes(creation);
    for (QSplitter* s : {m_pOuter, m_pNested})
        connect(s, &QSplitter::splitterMoved, this, [this] { m_bUserSized = true; });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pOuter);
    resize(creation);

    connect(&doc, &CCaseDocument::stateChanged, this, &CChildFrame::UpdateTitle);
    connect(&doc.Events(), &CDocEventBridge::docEvent, m_pView, [this](const DocEvent& e) {
        if (e == DocEvent::ResultsOutOfDate) m_pOutOfDate->setVisible(e.m_bFlag);
        m_pView->update();
    });
    UpdateTitle();
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::ApplyInitialSizes(const QSize& size) {
    // The right column as wide as its widest pane needs, the data pane as
    // high as its own minimum; the handles between the panes count too.
    const QSize pane = m_pData->minimumSizeHint();
    const QSize right(std::max(pane.width(), m_pPlane->minimumSizeHint().width()) + m_pOuter->handleWidth(),
                      pane.height() + m_pNested->handleWidth());
    m_Sizes = ComputePaneSizes(m_Screen, size, right);
    m_pOuter->setSizes({m_Sizes.m_nLeftWidth, m_Sizes.m_nRightWidth});
    m_pNested->setSizes({m_Sizes.m_nTopRightHeight, m_Sizes.m_nBottomRightHeight});
}

void CChildFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A window is made small and then maximised: the sizes follow it until
    // the user sets them.
    if (!m_bUserSized) ApplyInitialSizes(size());
}

void CChildFrame::ApplyPaneFlags(bool crossSectionShown, bool dataShown) {
    if (crossSectionShown || dataShown) {
        m_pNested->show();
        m_pPlane->setVisible(crossSectionShown);
        m_pData->setVisible(dataShown);
    } else {
        m_pNested->hide();
    }
    // A pane that loses its place gives the focus to the 3-D view.
    if (QWidget* f = focusWidget(); f && !f->isVisible()) m_pView->setFocus();
}

void CChildFrame::FocusNextPane(bool forward) {
    QList<QWidget*> panes;
    for (QWidget* w : {static_cast<QWidget*>(m_pView), m_pPlane, m_pData})
        if (w->isVisibleTo(this)) panes << w;
    if (panes.isEmpty()) return;
    int at = -1;
    for (int i = 0; i < panes.size(); ++i)
        if (panes[i]->hasFocus() || panes[i]->isAncestorOf(focusWidget())) at = i;
    const int n = int(panes.size());
    const int next = at < 0 ? 0 : (at + (forward ? 1 : n - 1)) % n;
    panes[next]->setFocusPolicy(Qt::StrongFocus);
    panes[next]->setFocus(Qt::OtherFocusReason);
}

void CChildFrame::SetWindowNumber(int n, int count) {
    m_nNumber = n;
    m_nCount = count;
    UpdateTitle();
}

void CChildFrame::UpdateTitle() {
    QString title = m_doc.Title();
    if (m_nCount > 1) title += QString(":%1").arg(m_nNumber);
    setWindowTitle(title + "[*]");
    setWindowModified(m_doc.IsModified());
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_closeGuard && !m_closeGuard(this)) {
        event->ignore();
        return;
    }
    event->accept();
}
