// The main window and its case windows as a user meets them: start-up,
// opening a case, the panes and the View commands, more windows on a case.
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include "GuiFixture.h"
#include "document/PlumexDoc.h"
#include "gui/ActionRegistry.h"
#include "gui/CaseDocument.h"
#include "gui/ChildFrame.h"
#include "gui/MainFrame.h"
#include "gui/Profile.h"
#include "model/ViewControl.h"
#include "ui/MouseMode.h"
#include "ui/PlumexView.h"
#include "ui/WaterPropertiesDlg.h"

namespace {
const QStringList kNoCaseMenus = {"&File", "&View", "&Help"};
const QStringList kCaseMenus = {"&File", "&Edit", "&Option", "&Run", "&View", "&Window", "&Help"};
}  // namespace

TEST_F(GuiFixture, StartsWithNoCaseTheEmptyProgramsMenusAndNoViewTools) {
    EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(m_app->Documents().isEmpty());
    EXPECT_EQ(MenuTitles(), kNoCaseMenus);
    EXPECT_TRUE(Frame().MainToolBar()->isVisible());
    EXPECT_FALSE(Frame().ViewToolBar()->isVisible());
    EXPECT_TRUE(Frame().statusBar()->isVisible());
    EXPECT_EQ(Frame().windowTitle(), "Plumex System");
    EXPECT_TRUE(Frame().isMaximized());
    EXPECT_TRUE(m_prompt.Empty());
    // Every tool bar button has an icon and a tip.
    for (QToolBar* bar : {Frame().MainToolBar(), Frame().ViewToolBar()})
        for (QAction* a : bar->actions())
            if (!a->isSeparator()) {
                EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
                EXPECT_FALSE(a->toolTip().isEmpty()) << a->objectName().toStdString();
                EXPECT_FALSE(a->statusTip().isEmpty()) << a->objectName().toStdString();
            }
}

TEST_F(GuiFixture, OpeningTheDemoCaseShowsACaseWindowWithThreePanesThatDrawsTheScene) {
    const QString path = CopyExample("demo.pmx");
    m_chooser.m_Open << path;
    QTest::keyClick(&Frame(), Qt::Key_O, Qt::ControlModifier);
    Settle(100);
    ASSERT_EQ(m_app->Documents().size(), 1);
    CChildFrame* child = ActiveChild();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->SceneView()->isVisible());
    EXPECT_TRUE(child->PlaneView()->isVisible());
    EXPECT_TRUE(child->DataView()->isVisible());
    // The 3-D view on the left, the plane view above the data pane on the right.
    const QPoint view = child->SceneView()->mapTo(child, QPoint(0, 0));
    const QPoint plane = child->PlaneView()->mapTo(child, QPoint(0, 0));
    const QPoint data = child->DataView()->mapTo(child, QPoint(0, 0));
    EXPECT_LT(view.x(), plane.x());
    EXPECT_EQ(plane.x(), data.x());
    EXPECT_LT(plane.y(), data.y());
    // Sized for a 1280 x 1024 screen: 256 pixels for the plane view; beside
    // the input bar the window is narrower than the screen, so the right
    // column takes the width the data pane needs and the 3-D view the rest
    // (less than 65 % of the screen).
    EXPECT_NEAR(child->DataView()->width(), child->DataView()->minimumSizeHint().width(),
                child->OuterSplitter()->handleWidth());
    EXPECT_NEAR(child->SceneView()->width() + child->DataView()->width(), child->width(),
                child->OuterSplitter()->handleWidth());
    EXPECT_LT(child->SceneView()->width(), 832);
    EXPECT_NEAR(child->PlaneView()->height(), 256, child->NestedSplitter()->handleWidth());
    EXPECT_GT(child->DataView()->height(), 100);
    EXPECT_TRUE(Frame().MdiArea()->activeSubWindow()->isMaximized());
    EXPECT_EQ(MenuTitles(), kCaseMenus);
    EXPECT_TRUE(Frame().ViewToolBar()->isVisible());
    EXPECT_EQ(child->windowTitle(), "demo.pmx[*]");
    EXPECT_EQ(m_app->Profile().RecentFiles(), QStringList{path});

    // The view draws the case: the picture is not one flat colour.
    const QImage picture = child->SceneView()->grabFramebuffer();
    ASSERT_FALSE(picture.isNull());
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 7)
        for (int x = 0; x < picture.width(); x += 7) colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts().front();
}

TEST_F(GuiFixture, ViewCommandsHideAndBringBackTheRightPanes) {
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    Settle();
    CChildFrame* child = ActiveChild();
    const int fullWidth = child->width();

    ClickMenu("&View", "Data View");
    EXPECT_FALSE(Frame().Action("view.dataView")->isChecked());
    EXPECT_TRUE(child->PlaneView()->isVisible());
    EXPECT_FALSE(child->DataView()->isVisible());

    ClickMenu("&View", "CrossSection View");
    EXPECT_FALSE(child->PlaneView()->isVisible());
    EXPECT_FALSE(child->NestedSplitter()->isVisible());
    EXPECT_EQ(child->SceneView()->width(), fullWidth);  // the 3-D view fills the window

    ClickMenu("&View", "Data View");
    EXPECT_TRUE(child->NestedSplitter()->isVisible());
    EXPECT_TRUE(child->DataView()->isVisible());
    EXPECT_FALSE(child->PlaneView()->isVisible());
    EXPECT_LT(child->SceneView()->width(), fullWidth);

    ClickMenu("&View", "CrossSection View");
    EXPECT_TRUE(child->PlaneView()->isVisible());
    EXPECT_TRUE(child->DataView()->isVisible());
    EXPECT_TRUE(Frame().Action("view.crossSectionView")->isChecked());

    // The tool bar and the status bar toggles.
    ClickMenu("&View", "&Status Bar");
    EXPECT_FALSE(Frame().statusBar()->isVisible());
    ClickMenu("&View", "&Toolbar");
    EXPECT_FALSE(Frame().MainToolBar()->isVisible());
    ClickMenu("&View", "&Toolbar");
    ClickMenu("&View", "&Status Bar");
    EXPECT_TRUE(Frame().MainToolBar()->isVisible());
    EXPECT_TRUE(Frame().statusBar()->isVisible());
}

TEST_F(GuiFixture, NewWindowShowsTheSameCaseAndTheCaseLivesWhileAWindowShowsIt) {
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    Settle();
    CCaseDocument* doc = m_app->Documents().front();
    ClickMenu("&Window", "&New Window");
    const auto windows = Frame().WindowsOf(*doc);
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(&windows[0]->SceneView()->Document(), &windows[1]->SceneView()->Document());
    EXPECT_EQ(windows[0]->windowTitle(), "demo.pmx:1[*]");
    EXPECT_EQ(windows[1]->windowTitle(), "demo.pmx:2[*]");

    // Closing one window asks nothing and keeps the case, even when modified.
    doc->Doc().SetModifiedFlag(true);
    windows[1]->parentWidget()->close();
    Settle();
    ASSERT_EQ(m_app->Documents().size(), 1);
    EXPECT_TRUE(m_prompt.Empty());
    EXPECT_EQ(Frame().WindowsOf(*doc).front()->windowTitle(), "demo.pmx[*]");

    // The last window asks to save; Cancel keeps it.
    m_prompt.QueueAnswer(PromptAnswer::Cancel);
    Frame().WindowsOf(*doc).front()->parentWidget()->close();
    Settle();
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_EQ(m_prompt.Texts()[0], "Save the file " + doc->Path().toStdString() + "?");
    ASSERT_EQ(m_app->Documents().size(), 1);

    // No: the window and the case go, and the empty program's menus come back.
    m_prompt.QueueAnswer(PromptAnswer::No);
    Frame().WindowsOf(*doc).front()->parentWidget()->close();
    Settle();
    EXPECT_TRUE(m_app->Documents().isEmpty());
    EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(MenuTitles(), kNoCaseMenus);
}

TEST_F(GuiFixture, TwoWindowsOnACaseLookFromTheirOwnCamerasAndTheFileKeepsTheOneMovedLast) {
    const QString path = CopyExample("demo.pmx");
    ASSERT_TRUE(m_app->OpenFile(path));
    Settle();
    CCaseDocument* doc = m_app->Documents().front();
    ClickMenu("&Window", "&New Window");
    const auto windows = Frame().WindowsOf(*doc);
    ASSERT_EQ(windows.size(), 2);
    CPlumexView& first = *windows[0]->SceneView();
    CPlumexView& second = *windows[1]->SceneView();
    const CViewControl firstCamera = first.Camera();
    const QImage firstPicture = first.grabFramebuffer();
    const QImage secondPicture = second.grabFramebuffer();

    // A rotate drag in the new window, with real mouse events.
    second.SetMouseMode(int(MouseMode::Rotate));
    const QPoint a = second.rect().center(), b = a + QPoint(second.width() / 6, 0);
    QTest::mousePress(&second, Qt::LeftButton, Qt::NoModifier, a);
    QMouseEvent move(QEvent::MouseMove, QPointF(b), second.mapToGlobal(QPointF(b)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&second, &move);
    QTest::mouseRelease(&second, Qt::LeftButton, Qt::NoModifier, b);
    Settle();
    const CViewControl moved = second.Camera();
    ASSERT_NE(moved.m_dEye[0], firstCamera.m_dEye[0]) << "the drag turned the second window's camera";
    for (int i = 0; i < 3; ++i) EXPECT_EQ(first.Camera().m_dEye[i], firstCamera.m_dEye[i]) << "eye " << i;
    EXPECT_EQ(first.grabFramebuffer(), firstPicture) << "the first window still shows what it showed";
    EXPECT_NE(second.grabFramebuffer(), secondPicture);

    // Saved, closed and opened again: the case's window looks from the
    // camera of the window moved last.
    SettleActive();
    ClickMenu("&File", "&Save");
    ASSERT_TRUE(m_app->CloseDocument(*doc));
    Settle();
    ASSERT_TRUE(m_app->Documents().isEmpty());
    ASSERT_TRUE(m_app->OpenFile(path));
    Settle();
    const auto reopened = Frame().WindowsOf(*m_app->Documents().front());
    ASSERT_EQ(reopened.size(), 1);
    const CViewControl& camera = reopened[0]->SceneView()->Camera();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(camera.m_dEye[i], moved.m_dEye[i]) << "eye " << i;
        EXPECT_EQ(camera.m_dTarget[i], moved.m_dTarget[i]) << "target " << i;
        EXPECT_EQ(camera.m_dUp[i], moved.m_dUp[i]) << "up " << i;
    }
    EXPECT_EQ(camera.m_fFieldOfView, moved.m_fFieldOfView);
    EXPECT_TRUE(m_prompt.Empty());
}

TEST_F(GuiFixture, SeveralFilesOnTheCommandLineOpenSeveralCases) {
    m_app.reset();
    m_options.m_Files = {CopyExample("demo.pmx"), CopyExample("diffuser.pmx")};
    StartApp();
    Settle();
    EXPECT_EQ(m_app->Documents().size(), 2);
    EXPECT_EQ(Frame().CaseWindows().size(), 2);
    EXPECT_TRUE(m_prompt.Empty());
}

TEST_F(GuiFixture, TheRecentFileListKeepsTheLastFourNewestFirst) {
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        const QString sub = QString("case%1").arg(i);
        paths << CopyExample("demo.pmx", sub);
        m_prompt.QueueAnswer(PromptAnswer::Yes);  // close the case opened before
        ASSERT_TRUE(m_app->OpenFile(paths.back()));
    }
    EXPECT_EQ(m_app->Profile().RecentFiles(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
    // The file menu lists them; choosing one opens it (after closing the open case).
    m_prompt.QueueAnswer(PromptAnswer::Yes);
    ClickMenu("&File", "&3 demo.pmx");
    ASSERT_EQ(m_app->Documents().size(), 1);
    EXPECT_EQ(m_app->Documents().front()->Path(), paths[2]);
    EXPECT_EQ(m_app->Profile().RecentFiles().front(), paths[2]);
}

TEST_F(GuiFixture, SaveToBmpWritesThePictureOfThe3DView) {
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    Settle(100);
    const QString path = TempPath("scene");  // the extension is added
    m_chooser.m_Bitmap << path;
    ClickMenu("&File", "Save to BMP");
    QImage picture;
    ASSERT_TRUE(picture.load(path + ".bmp", "BMP"));
    const qreal ratio = ActiveChild()->SceneView()->devicePixelRatioF();
    EXPECT_EQ(picture.size(), ActiveChild()->SceneView()->size() * ratio);
    EXPECT_NE(picture.pixel(picture.width() / 2, picture.height() / 2), picture.pixel(0, 0));
    EXPECT_TRUE(m_prompt.Empty());
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Saved " + path + ".bmp");
}

TEST_F(GuiFixture, ViewToolsSetTheMouseModeOfTheActiveViewAndShowIt) {
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    Settle(100);
    CPlumexView* view = ActiveChild()->SceneView();
    EXPECT_TRUE(Frame().Action("tool.zoom")->isChecked());  // a new view zooms
    ClickToolButton(Frame().Action("tool.rotate"));
    EXPECT_EQ(view->MouseModeValue(), int(MouseMode::Rotate));
    EXPECT_TRUE(Frame().Action("tool.rotate")->isChecked());
    EXPECT_FALSE(Frame().Action("tool.zoom")->isChecked());
    // The view's own menu changes the mode: the tool bar follows.
    view->ContextMenu()->findChild<QAction*>("mode8")->trigger();
    EXPECT_TRUE(Frame().Action("tool.plane")->isChecked());
    EXPECT_FALSE(Frame().Action("tool.rotate")->isChecked());
    Frame().Action("option.speedLow")->trigger();
    EXPECT_EQ(view->AnimationSpeed(), 2);
    EXPECT_TRUE(m_prompt.Empty());
}

TEST_F(GuiFixture, TheDataPaneFollowsThePickModeAndTalksThroughTheStatusBar) {
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    Settle(100);
    QWidget* data = ActiveChild()->DataView();
    auto* tabs = data->findChild<QTabWidget*>("outputTabs");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->currentIndex(), 0);
    // The pick tool turns the pane to its disk page.
    ClickToolButton(Frame().Action("tool.pick"));
    EXPECT_EQ(tabs->currentIndex(), 1);
    // Choosing a plane kind in the pane says what the plane is.
    auto* horizontal = data->findChild<QRadioButton*>("kind0");
    ASSERT_NE(horizontal, nullptr);
    QTest::mouseClick(horizontal, Qt::LeftButton, {}, QPoint(5, horizontal->height() / 2));
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "plane parallel to the surface of the sea");
}

TEST_F(GuiFixture, ParticleAndWaterCommandsReachTheActiveView) {
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    Settle(100);
    CPlumexView* view = ActiveChild()->SceneView();
    ClickToolButton(Frame().Action("tool.particles"));
    EXPECT_TRUE(view->ParticlesRunning());
    EXPECT_TRUE(Frame().Action("tool.particles")->isChecked());
    EXPECT_EQ(view->MouseModeValue(), int(MouseMode::Idle));
    // Pick stops the particles first, then takes the left button.
    ClickToolButton(Frame().Action("tool.pick"));
    EXPECT_FALSE(view->ParticlesRunning());
    EXPECT_FALSE(Frame().Action("tool.particles")->isChecked());
    EXPECT_EQ(view->MouseModeValue(), int(MouseMode::Pick));

    m_prompt.QueueAnswer(PromptAnswer::Yes);
    ClickMenu("&Option", "Disturbance of the water surface");
    EXPECT_TRUE(view->IsDisturbed());
    EXPECT_TRUE(Frame().Action("option.waterDisturbance")->isChecked());
    ClickMenu("&Option", "Water surface property");
    Settle(50);
    ASSERT_NE(view->WaterProperties(), nullptr);
    EXPECT_TRUE(view->WaterProperties()->isVisible());
    ASSERT_EQ(m_prompt.Entries().size(), 1u);  // only the disturbance's question
    EXPECT_EQ(m_prompt.Entries()[0].kind, "yesno");
}
