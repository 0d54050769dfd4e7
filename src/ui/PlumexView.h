#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The interactive 3-D view of a case window. It draws the case's frame
// (structures, ambient box, cut plane with its arrow, jets as uniform tubes
// or sorted and colour-mapped, the current arrow) with a camera of its own,
// so several windows on one case look from different places, turns
// left-button drags into camera or cut-plane moves according to the
// mouse mode, picks jets with GL selection, runs the growth animation, the
// particle presentation and the water disturbance, draws the water surface,
// and saves its picture. Its timers stop while the view cannot be seen
// (its window minimised).
#include <QTimer>

#include <memory>

#include "edit/CutPlaneCommand.h"
#include "model/ColourMode.h"
#include "model/ViewControl.h"
#include "scene/ParticleSystems.h"
#include "ui/MouseMode.h"
#include "ui/OpenGLView.h"

class CEditHistory;
class CPlumexDoc;
class CWater;
class CWaterPropertiesDlg;
class QMenu;

class CPlumexView : public COpenGLView {
    Q_OBJECT
public:
    static constexpr int kGrowthIntervalMs = 80;
    static constexpr int kDisturbanceIntervalMs = 200;
    static constexpr int kParticleIntervalMs = 33;
    static constexpr int kSortTreeWaitMs = 15;
    // Rings shown per disk while the growth animation runs, by speed
    // (0 "High", 1 "Medium", 2 "Low"), and when it does not.
    static constexpr int kSpeedRingInterval[3] = {20, 10, 1};
    static constexpr int kNormalRingInterval = 20;

    explicit CPlumexView(CPlumexDoc& doc, QWidget* parent = nullptr);
    ~CPlumexView() override;

    CPlumexDoc& Document() const { return m_doc; }
    // This view's camera. It starts as the case's stored camera; a drag, the
    // wheel, Fit All or Home that moves it also writes it there, so the case
    // file keeps the camera of the view moved last (see StoreWindowSize for
    // the client size). When the first run of a new case frames the stored
    // camera anew, the view takes it over.
    const CViewControl& Camera() const { return m_Camera; }
    // The first camera: the one the view started with, or the one the first
    // run of a new case framed. Home goes back to it.
    const CViewControl& HomeCamera() const { return m_Home; }
    // The structures and the computed jets fill the picture, seen from where
    // the camera looks now.
    void FitAll();
    void GoHome();
    // One notch of the wheel moves the eye this share of its way to the
    // target (away with the wheel turned back); with Ctrl the field of view
    // narrows or widens by it.
    static constexpr double kWheelStep = 0.15;
    QSize sizeHint() const override { return {640, 480}; }

    // The case's edit history: a drag or click of the plane mode that moves
    // the cut plane is kept there as an edit. Null: the moves are not kept.
    void SetHistory(CEditHistory* history) { m_pHistory = history; }

    int MouseModeValue() const { return m_nMouseMode; }
    // Ignored for Plane and Pick while the growth animation runs. Plane
    // shows the cut plane; modes other than Plane and Pick put the jets'
    // rings back to their normal spacing.
    void SetMouseMode(int mode);

    bool FastDisplay() const { return m_bFastDisplay; }
    // Off: the jets are sorted back to front and colour-mapped.
    void SetFastDisplay(bool fast);
    bool CutPlaneShown() const { return m_bShowCutPlane; }
    // Shown: the plane is drawn, clips the jets and its section is made.
    void ShowCutPlane(bool show);
    void SetColourMode(ColourMode mode);

    int AnimationSpeed() const { return m_nAnimSpeed; }
    void SetAnimationSpeed(int speed);
    bool IsAnimating() const { return m_bAnimating; }
    int AnimationStep() const { return m_nAnimStep; }
    int AnimationLimit() const { return m_nAnimLimit; }
    void StartGrowthAnimation();
    void StopGrowthAnimation();
    // Starts the growth animation, or stops it when it runs.
    void ToggleGrowthAnimation();

    bool IsDisturbed() const { return m_bDisturbance; }
    // Asks before switching it on, as it slows the drawing down.
    void ToggleDisturbance();

    // The particle presentation: smoke sprites with "Fast Display", streaks
    // along the jets without. Starting it stops the growth animation and the
    // disturbance; stopping it lets the disturbance run again.
    bool ParticlesRunning() const { return m_bParticles; }
    void ToggleParticles();
    const CParticleSystems& Particles() const { return m_Particles; }

    CWater& Water() const { return *m_pWater; }
    // The modeless "Water properties" dialog, made on first use.
    void ShowWaterProperties();
    CWaterPropertiesDlg* WaterProperties() const { return m_pWaterDlg; }

    // Whether each timer runs now (they stop while the view cannot be seen).
    bool GrowthTimerActive() const { return m_GrowthTimer.isActive(); }
    bool ParticleTimerActive() const { return m_ParticleTimer.isActive(); }
    bool DisturbanceTimerActive() const { return m_DisturbanceTimer.isActive(); }

    // Picks at a widget point (logical pixels); a hit makes the jet under
    // it current in the case. True on a hit.
    bool PickAt(const QPoint& point);

    // The picture as drawn now, device pixels.
    QImage Picture();
    // Writes the picture to path: PNG when the name ends in ".png", a BMP
    // otherwise; the file is replaced only when complete. Failures are told
    // to the user; false then.
    bool SavePicture(const QString& path);

    // The menu of the right button (the mouse modes and display commands).
    QMenu* ContextMenu() const { return m_pMenu; }

signals:
    // The mouse mode, the animation or a display setting changed.
    void stateChanged();
    // The pick mode was chosen: the data pane shows its disk page.
    void pickModeEntered();
    // A click in plane mode put the cut plane through a picked disk: the
    // data pane reads the plane's new values.
    void planePlacedAtDisk();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Deletes the GL names this view keeps in its current context.
    void ReleaseGlResources();
    void BuildContextMenu();
    void UpdateMenuChecks();
    void UpdateCursor();
    void OnGrowthTick();
    // Starts the timers the running presentations need while the view can
    // be seen, and stops every other one.
    void SyncTimers();
    bool CanBeSeen() const;
    // Gives this view's camera the client size. The case's stored camera
    // takes it too while it is this view's camera (the same eye, target, up
    // and field of view): the size of a view that was not moved last never
    // joins the camera of the one that was.
    void StoreWindowSize(int cx, int cy);
    // Takes the case's camera over when the program framed it anew since
    // this view last looked (the first run of a new case).
    void FollowFramedCamera();
    // The user moved this view's camera: the case keeps it (and no longer
    // frames it by itself), and the view redraws.
    void CameraMoved();
    // Device pixels of the client area.
    int DeviceWidth() const;
    int DeviceHeight() const;

    CPlumexDoc& m_doc;
    CViewControl m_Camera;
    CViewControl m_Home;
    unsigned m_nCameraFramings = 0;  // of the case, when this view last followed them
    int m_nMouseMode = static_cast<int>(MouseMode::Zoom);
    bool m_bFastDisplay = true;
    bool m_bSavedFastDisplay = true;
    bool m_bShowCutPlane = false;
    bool m_bPlaneChanged = false;
    CEditHistory* m_pHistory = nullptr;
    CutPlaneSettings m_PlaneBefore;  // the cut plane when the button went down
    bool m_bDragging = false;
    bool m_bDrawing = false;
    bool m_bAnimating = false;
    bool m_bDisturbance = false;
    bool m_bParticles = false;
    int m_nAnimSpeed = 1;
    int m_nAnimLimit = 0;
    int m_nAnimIncrement = 0;
    int m_nAnimStep = 0;
    QPoint m_ptDown, m_ptLast;
    QTimer m_GrowthTimer;
    QTimer m_DisturbanceTimer;
    QTimer m_ParticleTimer;
    // Asks after a sort tree being made in the background, and repaints
    // with it once it is there.
    QTimer m_SortTreeWait;
    QMenu* m_pMenu = nullptr;
    std::unique_ptr<CWater> m_pWater;
    CParticleSystems m_Particles;
    CWaterPropertiesDlg* m_pWaterDlg = nullptr;
};
