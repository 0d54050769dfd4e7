#include "ui/PlumexView.h"

#include <QOpenGLContext>

#include <QActionGroup>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QShowEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "base/Prompt.h"
#include "base/SafeFileWriter.h"
#include "document/PlumexDoc.h"
#include "edit/EditHistory.h"
#include "gl/CutPlaneArrow.h"
#include "gl/GlResources.h"
#include "gl/GlSetup.h"
#include "gl/SceneFrame.h"
#include "model/CameraFraming.h"
#include "model/Jet.h"
#include "model/JetDispModal.h"
#include "scene/SceneDrawState.h"
#include "scene/Water.h"
#include "ui/ModeCursors.h"
#include "ui/ViewDrag.h"
#include "ui/WaterPropertiesDlg.h"

namespace {
constexpr int kSelectBufferInts = 512;
constexpr int kHitRecordInts = 7;

// Keeps what a reader says while the GL context is being set up, to be
// shown once the event loop runs again.
class CKeptPrompt : public CSilentPrompt {
public:
    void Inform(const std::string& text, PromptIcon) override { m_texts.push_back(text); }
    std::vector<std::string> m_texts;
};
}  // namespace

CPlumexView::CPlumexView(CPlumexDoc& doc, QWidget* parent)
    : COpenGLView(parent),
      m_doc(doc),
      m_Camera(doc.m_ViewControl),
      m_Home(doc.m_ViewControl),
      m_nCameraFramings(doc.m_nCameraFramings) {
    setMinimumSize(20, 20);
    setFocusPolicy(Qt::ClickFocus);
    m_GrowthTimer.setInterval(kGrowthIntervalMs);
    connect(&m_GrowthTimer, &QTimer::timeout, this, &CPlumexView::OnGrowthTick);
    m_DisturbanceTimer.setInterval(kDisturbanceIntervalMs);
    connect(&m_DisturbanceTimer, &QTimer::timeout, this, [this] {
        if (!m_bDrawing) update();
    });
    m_ParticleTimer.setInterval(kParticleIntervalMs);
    connect(&m_ParticleTimer, &QTimer::timeout, this, [this] {
        if (!m_bDrawing) update();
    });
    m_SortTreeWait.setInterval(kSortTreeWaitMs);
    m_SortTreeWait.setSingleShot(true);
    connect(&m_SortTreeWait, &QTimer::timeout, this, [this] {
        if (m_doc.Displays().SortTreePending()) m_SortTreeWait.start();
        else update();
    });
    m_pWater = std::make_unique<CWater>();
    BuildContextMenu();
    UpdateCursor();
}

CPlumexView::~CPlumexView() {
    if (!context()) return;
    // The context dies with the base class; this view is gone by then.
    disconnect(context(), nullptr, this, nullptr);
    ReleaseGlResources();
}

void CPlumexView::ReleaseGlResources() {
    // The holder's names belong to this view's context: delete them there.
    QOpenGLContext* ctx = context();
    if (!ctx) return;
    makeCurrent();
    CGlResources::ReleaseKey(ctx);
    m_pWater->ReleaseTexture();
    doneCurrent();
}

int CPlumexView::DeviceWidth() const { return std::max(1, int(width() * devicePixelRatioF())); }
int CPlumexView::DeviceHeight() const { return std::max(1, int(height() * devicePixelRatioF())); }

void CPlumexView::initializeGL() {
    COpenGLView::initializeGL();
    // The widget makes a new context when it moves to another window (a
    // case window maximised, a dock floated); the names of the old one go
    // with it, before another context could take its address as key.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CPlumexView::ReleaseGlResources,
            Qt::DirectConnection);
    // The cursors are drawn for the screen the view opened on.
    UpdateCursor();
    CKeptPrompt kept;
    m_pWater->LoadTexture(3, ResourceDir(), kept);
    if (!kept.m_texts.empty())
        QTimer::singleShot(0, this, [this, texts = kept.m_texts] {
            for (const std::string& t : texts) m_doc.Prompt().Inform(t);
        });
}

namespace {
// Where a camera looks from and how wide, its client size aside.
bool SamePose(const CViewControl& a, const CViewControl& b) {
    for (int i = 0; i < 3; ++i)
        if (a.m_dEye[i] != b.m_dEye[i] || a.m_dTarget[i] != b.m_dTarget[i] || a.m_dUp[i] != b.m_dUp[i]) return false;
    return a.m_fFieldOfView == b.m_fFieldOfView && a.m_fInitFieldOfView == b.m_fInitFieldOfView &&
           a.m_fNear == b.m_fNear && a.m_fFar == b.m_fFar;
}
}  // namespace

void CPlumexView::StoreWindowSize(int cx, int cy) {
    CViewControl& stored = m_doc.m_ViewControl;
    const bool storedIsMine = SamePose(stored, m_Camera);
    m_Camera.SetWindowSize(cx, cy);
    if (storedIsMine) stored.SetWindowSize(cx, cy);
}

void CPlumexView::FollowFramedCamera() {
    if (m_nCameraFramings == m_doc.m_nCameraFramings) return;
    m_nCameraFramings = m_doc.m_nCameraFramings;
    // The framed pose; the client size stays this view's own.
    const int cx = m_Camera.m_nWidth, cy = m_Camera.m_nHeight;
    m_Camera = m_doc.m_ViewControl;
    m_Camera.SetWindowSize(cx, cy);
    m_Home = m_Camera;
}

void CPlumexView::CameraMoved() {
    // Like the camera's moves before, this leaves the case unmodified.
    m_doc.m_ViewControl = m_Camera;
    m_doc.m_bCameraFramed = false;
    update();
}

void CPlumexView::FitAll() {
    FollowFramedCamera();
    FitCase(m_doc, m_Camera);
    CameraMoved();
}

void CPlumexView::GoHome() {
    FollowFramedCamera();
    const int cx = m_Camera.m_nWidth, cy = m_Camera.m_nHeight;
    m_Camera = m_Home;
    m_Camera.SetWindowSize(cx, cy);
    CameraMoved();
}

void CPlumexView::resizeGL(int, int) {
    // The camera sets projection and viewport for every frame.
    StoreWindowSize(DeviceWidth(), DeviceHeight());
}

void CPlumexView::paintGL() {
    m_bDrawing = true;
    const int cx = DeviceWidth(), cy = DeviceHeight();
    glViewport(0, 0, cx, cy);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyFixedGlState();
    FollowFramedCamera();
    StoreWindowSize(cx, cy);
    // Each view keeps the GL names of its own context (the ambient box's
    // textures and list).
    CGlResources& resources = CGlResources::ForKey(context(), ResourceDir());
    SceneFrameOptions options;
    options.m_bFastDisplay = m_bFastDisplay;
    // New results (or any change of the tubes) must not hold the window up
    // while the sort tree is made again.
    options.m_bSortTreeInBackground = true;
    options.m_bParticles = m_bParticles;
    options.m_bAnimating = m_bAnimating;
    options.m_nAnimStep = m_nAnimStep;
    options.m_bHighlightPick = m_nMouseMode == static_cast<int>(MouseMode::Pick);
    options.m_bClipToCutPlane = m_bShowCutPlane;
    options.m_bDrawCutPlane = m_bShowCutPlane && !m_bAnimating && !m_bParticles;
    options.m_pSmokeTextures = SmokeTextures();
    options.m_pParticles = &m_Particles;
    options.m_pWater = m_pWater.get();
    options.m_bDisturbed = m_bDisturbance && !m_bParticles && !m_bAnimating;
    // The frame keeps the picture opaque (alpha 1) while it is drawn: the
    // widget composites its framebuffer with alpha.
    DrawSceneFrame(m_doc, m_doc.Displays(), m_Camera, options, resources);
    if (m_doc.Displays().SortTreePending() && !m_SortTreeWait.isActive()) m_SortTreeWait.start();
    m_bDrawing = false;
}

void CPlumexView::UpdateCursor() { setCursor(ModeCursor(m_nMouseMode, devicePixelRatioF())); }

void CPlumexView::SetMouseMode(int mode) {
    const bool planeOrPick = mode == int(MouseMode::Plane) || mode == int(MouseMode::Pick);
    if ((m_bAnimating || m_bParticles) && planeOrPick) return;
    if (mode == int(MouseMode::Plane) && !m_bShowCutPlane) ShowCutPlane(true);
    m_nMouseMode = mode;
    if (!planeOrPick) m_doc.SetRingInterval(kNormalRingInterval);
    UpdateCursor();
    UpdateMenuChecks();
    update();
    emit stateChanged();
    if (mode == int(MouseMode::Pick)) emit pickModeEntered();
}

void CPlumexView::SetFastDisplay(bool fast) {
    if (fast == m_bFastDisplay) return;
    m_bFastDisplay = fast;
    m_bSavedFastDisplay = fast;
    if (!fast) {
        m_doc.BuildSortTree();
        m_doc.BuildColourTable(m_doc.GetColourMode());
    }
    UpdateMenuChecks();
    update();
    emit stateChanged();
}

void CPlumexView::ShowCutPlane(bool show) {
    if (show == m_bShowCutPlane) return;
    m_bShowCutPlane = show;
    if (show) {
        m_doc.m_CutPlane.ComputePlane();
        m_doc.RecomputeSection();
    }
    UpdateMenuChecks();
    update();
    emit stateChanged();
}

void CPlumexView::SetColourMode(ColourMode mode) {
    m_doc.BuildColourTable(mode);
    UpdateMenuChecks();
    update();
    emit stateChanged();
}

void CPlumexView::SetAnimationSpeed(int speed) {
    m_nAnimSpeed = std::clamp(speed, 0, 2);
    emit stateChanged();
}

void CPlumexView::StartGrowthAnimation() {
    m_doc.SetRingInterval(kSpeedRingInterval[m_nAnimSpeed]);
    int limit = 0;
    m_doc.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& j) {
        limit = std::max(limit, j.m_pDisplay->GetRingCount());
    });
    m_nAnimLimit = limit;
    m_nAnimIncrement = 1;
    m_nAnimStep = 0;
    m_bAnimating = true;
    m_bParticles = false;
    SyncTimers();
    update();
    emit stateChanged();
}

void CPlumexView::StopGrowthAnimation() {
    m_doc.SetRingInterval(kNormalRingInterval);
    m_bAnimating = false;
    SyncTimers();
    update();
    emit stateChanged();
}

void CPlumexView::ToggleGrowthAnimation() {
    if (m_bAnimating) StopGrowthAnimation();
    else StartGrowthAnimation();
}

void CPlumexView::OnGrowthTick() {
    if (m_bDrawing) return;
    m_nAnimStep += m_nAnimIncrement;
    update();
    if (m_nAnimLimit < m_nAnimStep) StopGrowthAnimation();
}

void CPlumexView::ToggleDisturbance() {
    if (m_bDisturbance) {
        m_bDisturbance = false;
    } else if (m_doc.Prompt().AskYesNo(
                   "This feature will slow down your system performance, would you like to proceed?")) {
        m_bDisturbance = true;
    }
    SyncTimers();
    emit stateChanged();
}

void CPlumexView::ToggleParticles() {
    if (m_bParticles) {
        m_bParticles = false;
        m_bAnimating = false;
    } else {
        if (m_bAnimating) {
            m_bAnimating = false;
            m_doc.SetRingInterval(kNormalRingInterval);
        }
        m_Particles.Restart(m_doc, m_doc.Prompt());
        m_bParticles = true;
    }
    SyncTimers();
    update();
    emit stateChanged();
}

void CPlumexView::ShowWaterProperties() {
    if (!m_pWaterDlg) {
        m_pWaterDlg = new CWaterPropertiesDlg(*m_pWater, this);
        connect(m_pWaterDlg, &CWaterPropertiesDlg::changed, this, qOverload<>(&QWidget::update));
    }
    m_pWaterDlg->show();
    m_pWaterDlg->raise();
    m_pWaterDlg->activateWindow();
}

bool CPlumexView::CanBeSeen() const {
    if (!isVisible()) return false;
    for (const QWidget* w = this; w; w = w->parentWidget())
        if (w->isMinimized()) return false;
    return true;
}

void CPlumexView::SyncTimers() {
    const bool seen = CanBeSeen();
    const auto set = [](QTimer& timer, bool on) {
        if (on && !timer.isActive()) timer.start();
        if (!on && timer.isActive()) timer.stop();
    };
    set(m_GrowthTimer, seen && m_bAnimating);
    set(m_ParticleTimer, seen && m_bParticles);
    set(m_DisturbanceTimer, seen && m_bDisturbance && !m_bAnimating && !m_bParticles);
}

void CPlumexView::showEvent(QShowEvent* event) {
    COpenGLView::showEvent(event);
    // Minimising a window (the case window or the main window) sends its
    // state change to that window only: watch every window up the chain.
    for (QWidget* w = this; w; w = w->parentWidget())
        if (w->isWindow() || w->inherits("QMdiSubWindow")) w->installEventFilter(this);
    SyncTimers();
}

void CPlumexView::hideEvent(QHideEvent* event) {
    COpenGLView::hideEvent(event);
    SyncTimers();
}

bool CPlumexView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) SyncTimers();
    return COpenGLView::eventFilter(watched, event);
}

bool CPlumexView::PickAt(const QPoint& point) {
    if (!context()) return false;
    makeCurrent();
    const qreal ratio = devicePixelRatioF();
    glViewport(0, 0, DeviceWidth(), DeviceHeight());
    StoreWindowSize(DeviceWidth(), DeviceHeight());
    unsigned int buffer[kSelectBufferInts] = {};
    // Device pixels, measured from the top: the pick flips them.
    const int hits = PickScene(m_doc, m_doc.Displays(), m_Camera, int(point.x() * ratio), int(point.y() * ratio),
                               buffer, kSelectBufferInts);
    doneCurrent();
    if (hits <= 0 || hits > kSelectBufferInts / kHitRecordInts) return false;
    return m_doc.SelectFromPick(buffer, hits);
}

void CPlumexView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        COpenGLView::mousePressEvent(event);
        return;
    }
    m_bSavedFastDisplay = m_bFastDisplay;
    m_PlaneBefore = CutPlaneSettings::Of(m_doc.m_CutPlane);
    const QPoint p = event->position().toPoint();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const MouseMode mode = static_cast<MouseMode>(m_nMouseMode);
    if ((mode == MouseMode::Plane && !ctrl) || mode == MouseMode::Pick) {
        if (PickAt(p) && mode == MouseMode::Plane) {
            // The plane goes through the picked disk of the picked jet.
            CCutPlane& plane = m_doc.m_CutPlane;
            if (CJet* jet = m_doc.GetCurrentJet()) {
                double h, v, d;
                int disk;
                CutPlaneKind kind;
                plane.GetPlane(h, v, d, disk, kind);
                disk = jet->m_nCurrentDisk;
                if (m_doc.PlaceCutPlaneAtDisk(disk, kind, h, v, d)) {
                    m_doc.SetCutPlane(h, v, d, disk, kind, true);
                    emit planePlacedAtDisk();
                }
            }
        }
        m_bPlaneChanged = false;
    }
    m_ptDown = m_ptLast = p;
    m_bDragging = true;
    // Interaction draws the quick way.
    m_bFastDisplay = true;
    update();
}

void CPlumexView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_bDragging || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint p = event->position().toPoint();
    const int dx = p.x() - m_ptLast.x(), dy = p.y() - m_ptLast.y();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (m_nMouseMode == int(MouseMode::Plane)) {
        if (ApplyPlaneDrag(m_doc, dx, dy, width(), height(), ctrl)) m_bPlaneChanged = true;
    } else {
        // The case file keeps the camera of the view moved last.
        FollowFramedCamera();
        if (ApplyCameraDrag(m_Camera, m_nMouseMode, dx, dy, width(), height(), ctrl)) CameraMoved();
    }
    m_ptLast = p;
    update();
}

void CPlumexView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0) {
        COpenGLView::wheelEvent(event);
        return;
    }
    // Turned forward, the wheel brings the scene closer, as a zoom drag
    // downwards does.
    const double factor = std::pow(1.0 - kWheelStep, notches);
    FollowFramedCamera();
    if (event->modifiers() & Qt::ControlModifier) m_Camera.ScaleFieldOfView(factor);
    else m_Camera.Dolly(factor);
    CameraMoved();
    event->accept();
}

void CPlumexView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier) {
        GoHome();
        event->accept();
        return;
    }
    COpenGLView::keyPressEvent(event);
}

void CPlumexView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_bDragging) {
        COpenGLView::mouseReleaseEvent(event);
        return;
    }
    m_bDragging = false;
    if (m_nMouseMode == int(MouseMode::Plane) && m_bPlaneChanged) {
        m_ptLast = event->position().toPoint();
        m_doc.m_CutPlane.ComputePlane();
        m_doc.RecomputeSection();
        m_bPlaneChanged = false;
    }
    // A plane placed at a picked disk or dragged is one edit of the case.
    if (m_pHistory && m_nMouseMode == int(MouseMode::Plane))
        m_pHistory->Push(CCutPlaneCommand::Made(m_doc, m_PlaneBefore));
    m_bFastDisplay = m_bSavedFastDisplay;
    update();
}

void CPlumexView::BuildContextMenu() {
    m_pMenu = new QMenu(this);
    auto* modes = new QActionGroup(m_pMenu);
    for (const auto& [caption, mode] : {std::pair{"Move", MouseMode::Move},
                                        {"Zoom", MouseMode::Zoom},
                                        {"Rotate", MouseMode::Rotate},
                                        {"Plane", MouseMode::Plane},
                                        {"Pick", MouseMode::Pick}}) {
        QAction* a = m_pMenu->addAction(caption, this, [this, m = int(mode)] { SetMouseMode(m); });
        a->setCheckable(true);
        a->setData(int(mode));
        a->setObjectName(QString("mode%1").arg(int(mode)));
        modes->addAction(a);
    }
    m_pMenu->addSeparator();
    QAction* fast = m_pMenu->addAction("Fast Display", this, [this](bool on) { SetFastDisplay(on); });
    fast->setCheckable(true);
    fast->setStatusTip("Display Mode");
    fast->setObjectName("fastDisplay");
    QAction* cut = m_pMenu->addAction("Display Cut Plane", this, [this](bool on) { ShowCutPlane(on); });
    cut->setCheckable(true);
    cut->setObjectName("displayCutPlane");
    m_pMenu->addSeparator();
    auto* colours = new QActionGroup(m_pMenu);
    for (const auto& [caption, mode] : {std::pair{"Simulation Concentration", ColourMode::Concentration},
                                        {"Simulation Velocity", ColourMode::Velocity},
                                        {"Simulation Half Width", ColourMode::HalfWidth}}) {
        QAction* a = m_pMenu->addAction(caption, this, [this, mode = mode] { SetColourMode(mode); });
        a->setCheckable(true);
        a->setObjectName(QString("colour%1").arg(int(mode)));
        colours->addAction(a);
    }
    m_pMenu->findChild<QAction*>("colour2")->setStatusTip("gradual color simulation the change of disk half width");
    UpdateMenuChecks();
}

void CPlumexView::UpdateMenuChecks() {
    if (!m_pMenu) return;
    for (QAction* a : m_pMenu->actions()) {
        const QString name = a->objectName();
        if (name.startsWith("mode")) a->setChecked(a->data().toInt() == m_nMouseMode);
        else if (name == "fastDisplay") a->setChecked(m_bFastDisplay);
        else if (name == "displayCutPlane") a->setChecked(m_bShowCutPlane);
        else if (name.startsWith("colour")) a->setChecked(name == QString("colour%1").arg(int(m_doc.GetColourMode())));
    }
}

void CPlumexView::contextMenuEvent(QContextMenuEvent* event) {
    UpdateMenuChecks();
    // From the keyboard the menu opens near the middle of the view.
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard ? rect().center() + QPoint(5, 5) : event->pos();
    m_pMenu->popup(mapToGlobal(at));
}

QImage CPlumexView::Picture() { return grabFramebuffer(); }

bool CPlumexView::SavePicture(const QString& path) {
    const QImage picture = Picture().convertToFormat(QImage::Format_RGB888);
    if (picture.isNull()) {
        m_doc.Prompt().Inform("HDIB handle is NULL, save abort !!!");
        return false;
    }
    const bool png = QFileInfo(path).suffix().compare("png", Qt::CaseInsensitive) == 0;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::string error;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = picture.save(&buffer, png ? "PNG" : "BMP") &&
                    WriteFileSafely(path.toStdString(), bytes.constData(), std::size_t(bytes.size()), error);
    QGuiApplication::restoreOverrideCursor();
    if (!ok) m_doc.Prompt().Inform("Cannot save the BMP file <" + path.toStdString() + "> !!!");
    return ok;
}
