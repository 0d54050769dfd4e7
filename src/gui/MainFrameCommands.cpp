// The main window's commands: the registry of actions, the two menu sets,
// the tool bars, and the commands the main window carries out itself.
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "edit/EditHistory.h"
#include "edit/RunOptionsCommand.h"
#include "gui/AboutBox.h"
#include "gui/ActionRegistry.h"
#include "gui/CaseDocument.h"
#include "gui/CaseHost.h"
#include "gui/ChildFrame.h"
#include "gui/FileChooser.h"
#include "gui/MainFrame.h"
#include "gui/Profile.h"
#include "gui/RunController.h"
#include "gui/StartPageHost.h"
#include "study_ui/StudyDialog.h"
#include "ui/InputBar.h"
#include "ui/LockKeys.h"
#include "ui/MaxTimeStepsDlg.h"
#include "ui/PlumexView.h"
#include "ui/ProfileWnd.h"

namespace {
// The view tools that choose a mouse mode of the 3-D view.
constexpr std::pair<const char*, int> kModeTools[] = {{"tool.move", int(MouseMode::Move)},
                                                      {"tool.zoom", int(MouseMode::Zoom)},
                                                      {"tool.rotate", int(MouseMode::Rotate)},
                                                      {"tool.plane", int(MouseMode::Plane)},
                                                      {"tool.pick", int(MouseMode::Pick)}};
constexpr const char* kSpeedActions[3] = {"option.speedHigh", "option.speedMedium", "option.speedLow"};

QPrinter& SharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
}  // namespace

void CMainFrame::MakeActions() {
    CActionRegistry& r = *m_pActions;
    r.Add("file.new", "&New", "Create a new case", "new", QKeySequence::New);
    r.Add("file.open", "&Open...", "Open an existing case file", "open", QKeySequence::Open);
    r.Add("file.close", "&Close", "Close the case", "close", QKeySequence::Close);
    r.Add("file.save", "&Save", "Save the case", "save", QKeySequence::Save);
    r.Add("file.saveAs", "Save &As...", "Save the case under a new name", "saveas", QKeySequence::SaveAs);
    r.Add("file.saveBmp", "Save to BMP", "Save the picture of the 3-D view as a bitmap file", "picture");
    r.Add("file.print", "&Print...", "Print the picture of the 3-D view", "print", QKeySequence::Print);
    r.Add("file.printPreview", "Print Pre&view", "Show the printed page", "preview");
    r.Add("file.printSetup", "P&rint Setup...", "Choose the printer and the page");
    r.Add("file.startPage", "Open startup Tips Window", "Show the start page");
    r.Add("file.exit", "E&xit", "Quit the program; asks to save modified cases", "exit", QKeySequence::Quit);

    auto* speed = new QActionGroup(this);
    for (const auto& [name, caption] :
         {std::pair{"option.speedHigh", "High"}, {"option.speedMedium", "Medium"}, {"option.speedLow", "Low"}}) {
        QAction* a = r.Add(name, caption, QString("Animation speed: %1").arg(caption).toLower().replace(0, 1, "A"));
        a->setCheckable(true);
        speed->addAction(a);
    }
    r.Get("option.speedMedium")->setChecked(true);
    r.Add("option.continuous", "Continuous mode", "Compute the jets in continuous mode")->setCheckable(true);
    r.Add("option.mergePlumes", "Merge neighbouring plumes",
          "Let the plumes of neighbouring ports of an outfall merge in the jet model")
        ->setCheckable(true);
    r.Add("option.maxTimeSteps", "Max number of time steps", "Set the largest number of steps of a jet");
    r.Add("option.waterDisturbance", "Disturbance of the water surface", "Let waves run over the water surface")
        ->setCheckable(true);
    r.Add("option.waterProperty", "Water surface property", "Set the look of the water surface");
    r.Add("option.designConditions", "Design conditions...", "Compute the case against many measured conditions");

    r.Add("view.toolbar", "&Toolbar", "Show or hide the tool bar")->setCheckable(true);
    r.Add("view.statusBar", "&Status Bar", "Show or hide the status bar")->setCheckable(true);
    r.Add("view.dataView", "Data View", "Show or hide the data pane", "dataview")->setCheckable(true);
    r.Add("view.crossSectionView", "CrossSection View", "Show or hide the cross-section pane", "sectionview")
        ->setCheckable(true);
    r.Add("view.profile", "Profile of Ambient", "Show or hide the ambient profile plot", "profile");
    r.Add("view.fitAll", "Fit All", "Show the structures and the computed jets whole, seen from where the view looks");
    r.Add("view.home", "Home", "Go back to the first camera of the 3-D view (Home key in the view)");
    r.Add("view.nextPane", "Next Pane", "Move to the next pane", QString(), QKeySequence(Qt::Key_F6));
    r.Add("view.previousPane", "Previous Pane", "Move to the previous pane", QString(),
          QKeySequence(Qt::SHIFT | Qt::Key_F6));

    r.Add("window.newWindow", "&New Window", "Open another window on the case", "newwindow");
    r.Add("window.cascade", "&Cascade", "Arrange the windows so they overlap", "cascade");
    r.Add("window.tile", "&Tile", "Arrange the windows side by side", "tile");
    r.Add("window.arrangeIcons", "&Arrange Icons", "Arrange the minimised windows along the bottom");

    r.Add("help.tutorial", "Tutorial", "Learn Plumex step by step");
    r.Add("help.topics", "Help Topics", "Show the help pages: contents, the jet model and its limits", "help",
          QKeySequence::HelpContents);
    r.Add("help.about", "&About Plumex...", "Program name, version and jet model", "about");

    // The view tools of the 3-D view.
    auto* tools = new QActionGroup(this);
    for (const auto& [name, caption, icon, tip] :
         {std::tuple{"tool.move", "Move", "move", "Move the scene with the mouse"},
          std::tuple{"tool.zoom", "Zoom", "zoom", "Zoom the scene with the mouse"},
          std::tuple{"tool.rotate", "Rotate", "rotate", "Rotate the scene with the mouse"},
          std::tuple{"tool.plane", "Plane", "plane", "Move the cut plane with the mouse"},
          std::tuple{"tool.pick", "Pick", "pick", "Pick an outfall, riser, jet or disk"},
          std::tuple{"tool.animation", "Animation", "animation", "Animate the growth of the jets"},
          std::tuple{"tool.particles", "Particle animation", "particles", "Animate particles along the jets"}}) {
        QAction* a = r.Add(name, caption, tip, icon);
        a->setCheckable(true);
        tools->addAction(a);
    }
    tools->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    r.Add("run.allJets", "Run all jets", "Compute every jet of the case with the jet model", "run",
          QKeySequence(Qt::Key_F5));
    r.Add("run.currentJet", "Run current jet", "Compute the current jet with the jet model", "runjet");
    r.Add("run.resimulate", "Resimulate selected Jet",
          "Store the input bar's values and compute the selected jet (all jets after a change of the structure)",
          "runjet", QKeySequence(Qt::SHIFT | Qt::Key_F5));
    r.Add("run.cancel", "Cancel run", "Stop the jet model; the jets keep their earlier results", QString(),
          QKeySequence(Qt::Key_Escape));

    // Every shortcut works in the whole main window, menus shown or not.
    for (const QString& name : r.Names()) {
        QAction* a = r.Get(name);
        a->setShortcutContext(Qt::ApplicationShortcut);
        addAction(a);
    }
    // Escape stops a run only from the main window: the help, start page and
    // dialogs keep their own Escape. Fields that take Escape back first
    // claim it before the shortcut sees it.
    r.Get("run.cancel")->setShortcutContext(Qt::WindowShortcut);
}

void CMainFrame::MakeMenus() {
    auto menu = [this](const QString& title) {
        auto* m = new QMenu(title, this);
        return m;
    };
    auto add = [this](QMenu* m, std::initializer_list<const char*> names) {
        for (const char* n : names) {
            if (n[0] == '-') m->addSeparator();
            else m->addAction(Action(n));
        }
    };
    m_pNoCaseFile = menu("&File");
    add(m_pNoCaseFile, {"file.new", "file.open", "file.startPage", "file.printSetup"});
    m_pNoCaseFile->addSeparator()->setObjectName("recentFiles");
    add(m_pNoCaseFile, {"file.exit"});
    m_pNoCaseView = menu("&View");
    add(m_pNoCaseView, {"view.toolbar", "view.statusBar"});
    m_pNoCaseHelp = menu("&Help");
    add(m_pNoCaseHelp, {"help.about"});

    m_pFile = menu("&File");
    add(m_pFile, {"file.new", "file.open", "file.close", "file.save", "file.saveAs", "-", "file.saveBmp",
                  "file.exportReport", "-", "file.print", "file.printPreview", "file.printSetup"});
    m_pFile->addSeparator()->setObjectName("recentFiles");
    add(m_pFile, {"file.exit"});
    m_pEdit = menu("&Edit");
    add(m_pEdit, {"edit.undo", "edit.redo"});
    m_pOption = menu("&Option");
    QMenu* speed = m_pOption->addMenu("Animation Speed");
    add(speed, {"option.speedHigh", "option.speedMedium", "option.speedLow"});
    add(m_pOption, {"option.continuous", "option.mergePlumes", "option.maxTimeSteps", "option.waterDisturbance",
                    "option.waterProperty", "option.designConditions", "-", "run.allJets", "run.currentJet"});
    m_pRun = menu("&Run");
    add(m_pRun, {"run.allJets", "run.resimulate", "-", "run.cancel"});
    m_pView = menu("&View");
    add(m_pView, {"view.toolbar", "view.statusBar", "view.dataView", "view.crossSectionView", "view.profile",
                  "view.plots", "view.editHistory", "-", "view.fitAll", "view.home"});
    m_pWindow = menu("&Window");
    add(m_pWindow, {"window.newWindow", "window.cascade", "window.tile", "window.arrangeIcons"});
    m_pWindow->addSeparator();
    m_pHelp = menu("&Help");
    add(m_pHelp, {"help.tutorial", "help.topics", "-", "help.about"});

    for (QMenu* m : {m_pNoCaseFile, m_pFile}) connect(m, &QMenu::aboutToShow, this, [this, m] { FillRecentFiles(m); });
    connect(m_pWindow, &QMenu::aboutToShow, this, &CMainFrame::FillWindowList);
    UseCaseMenus(false);
}

void CMainFrame::UseCaseMenus(bool caseOpen) {
    QMenuBar* bar = menuBar();
    bar->clear();
    const QList<QMenu*> menus = caseOpen
                                    ? QList<QMenu*>{m_pFile, m_pEdit, m_pOption, m_pRun, m_pView, m_pWindow, m_pHelp}
                                    : QList<QMenu*>{m_pNoCaseFile, m_pNoCaseView, m_pNoCaseHelp};
    for (QMenu* m : menus) bar->addMenu(m);
    m_bCaseMenus = caseOpen;
}

void CMainFrame::FillRecentFiles(QMenu* menu) {
    for (QAction* a : menu->actions()) {
        if (a->property("recentFile").isValid()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    }
    QAction* before = Action("file.exit");
    const QStringList files = m_app.Profile().RecentFiles();
    int i = 1;
    for (const QString& f : files) {
        auto* a = new QAction(QString("&%1 %2").arg(i++).arg(QFileInfo(f).fileName()), menu);
        a->setProperty("recentFile", f);
        a->setStatusTip(QString("Open %1").arg(f));
        a->setEnabled(!m_pRuns->IsRunning());
        connect(a, &QAction::triggered, this, [this, f] { emit openFileRequested(f); });
        menu->insertAction(before, a);
    }
    if (!files.isEmpty()) {
        auto* sep = new QAction(menu);
        sep->setSeparator(true);
        sep->setProperty("recentFile", true);
        menu->insertAction(before, sep);
    }
}

void CMainFrame::FillWindowList() {
    for (QAction* a : m_WindowListActions) {
        m_pWindow->removeAction(a);
        a->deleteLater();
    }
    m_WindowListActions.clear();
    int i = 1;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList(QMdiArea::CreationOrder)) {
        QString title = sub->windowTitle();
        title.remove("[*]");
        auto* a = m_pWindow->addAction(QString("&%1 %2").arg(i++).arg(title));
        a->setCheckable(true);
        a->setChecked(sub == m_pMdi->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] { m_pMdi->setActiveSubWindow(sub); });
        m_WindowListActions << a;
    }
}

void CMainFrame::MakeToolBars() {
    m_pMainBar = addToolBar("Standard");
    m_pMainBar->setObjectName("mainToolBar");
    for (const char* n : {"file.new", "file.open", "file.save", "-", "file.print", "-", "help.topics"}) {
        if (n[0] == '-') m_pMainBar->addSeparator();
        else m_pMainBar->addAction(Action(n));
    }
    m_pViewBar = addToolBar("View tools");
    m_pViewBar->setObjectName("viewToolBar");
    m_pViewBar->setAllowedAreas(Qt::TopToolBarArea);
    m_pViewBar->setMovable(false);
    for (const char* n : {"tool.move", "tool.zoom", "tool.rotate", "tool.plane", "tool.pick", "tool.animation",
                          "tool.particles", "-", "run.allJets"}) {
        if (n[0] == '-') m_pViewBar->addSeparator();
        else m_pViewBar->addAction(Action(n));
    }
}

void CMainFrame::ConnectCommands() {
    auto on = [this](const char* name, auto f) { connect(Action(name), &QAction::triggered, this, f); };
    on("file.new", [this] { emit newRequested(); });
    on("file.open", [this] { emit openRequested(); });
    on("file.close", [this] {
        if (CCaseDocument* d = ActiveDocument()) emit closeRequested(d);
    });
    on("file.save", [this] {
        if (CCaseDocument* d = ActiveDocument()) emit saveRequested(d);
    });
    on("file.saveAs", [this] {
        if (CCaseDocument* d = ActiveDocument()) emit saveAsRequested(d);
    });
    on("file.saveBmp", [this] { SaveToBmp(); });
    on("file.print", [this] { Print(false); });
    on("file.printPreview", [this] { Print(true); });
    on("file.printSetup", [this] {
        QPageSetupDialog dialog(&SharedPrinter(), this);
        dialog.exec();
    });
    on("file.startPage", [this] { m_pStart->ShowPage(); });
    on("file.exit", [this] { close(); });

    on("option.continuous", [this] {
        if (CCaseDocument* d = ActiveDocument()) d->History().Push(CRunOptionsCommand::ToggleContinuous(d->Doc()));
        updateActions();
    });
    on("option.mergePlumes", [this] {
        // Merging changes what the model computes: the jets shown no longer match.
        CCaseDocument* d = ActiveDocument();
        if (d && d->History().Push(CRunOptionsCommand::ToggleMergePlumes(d->Doc()))) d->Doc().MarkResultsOutOfDate();
        updateActions();
    });
    on("option.maxTimeSteps", [this] {
        CCaseDocument* d = ActiveDocument();
        // Not while the 3-D view grows its jets: the animation shows the
        // steps the jets were computed with.
        if (!d || (ActiveView() && ActiveView()->IsAnimating())) return;
        CMaxTimeStepsDlg dialog(d->Doc().MaxTimeSteps(), m_app.Prompt(), this);
        // The same number again is no edit: the command is null then.
        if (dialog.exec() == QDialog::Accepted)
            d->History().Push(CRunOptionsCommand::MaxTimeSteps(d->Doc(), dialog.Steps()));
    });
    for (int speed = 0; speed < 3; ++speed)
        on(kSpeedActions[speed], [this, speed] {
            if (CPlumexView* v = ActiveView()) v->SetAnimationSpeed(speed);
            updateActions();
        });
    on("option.waterDisturbance", [this] {
        if (CPlumexView* v = ActiveView()) v->ToggleDisturbance();
        updateActions();
    });
    on("option.waterProperty", [this] {
        if (CPlumexView* v = ActiveView()) v->ShowWaterProperties();
    });
    on("option.designConditions", [this] {
        if (CCaseDocument* d = ActiveDocument()) CStudyDialog(d->Doc(), m_app.Prompt(), this).exec();
    });

    on("view.toolbar", [this](bool show) { m_pMainBar->setVisible(show); });
    on("view.statusBar", [this](bool show) { statusBar()->setVisible(show); });
    on("view.dataView", [this] { ToggleData(); });
    on("view.crossSectionView", [this] { ToggleCrossSection(); });
    on("view.profile", [this] { m_pProfileWnd->setVisible(!m_pProfileWnd->isVisible()); });
    on("view.fitAll", [this] {
        if (CPlumexView* v = ActiveView()) v->FitAll();
    });
    on("view.home", [this] {
        if (CPlumexView* v = ActiveView()) v->GoHome();
    });
    on("view.nextPane", [this] {
        if (CChildFrame* c = ActiveChild()) c->FocusNextPane(true);
    });
    on("view.previousPane", [this] {
        if (CChildFrame* c = ActiveChild()) c->FocusNextPane(false);
    });

    on("window.newWindow", [this] { NewWindow(); });
    on("window.cascade", [this] { m_pMdi->cascadeSubWindows(); });
    on("window.tile", [this] { m_pMdi->tileSubWindows(); });
    on("window.arrangeIcons", [this] { ArrangeIcons(); });

    on("help.tutorial", [this] { m_pStart->ShowTutorial(); });
    on("help.topics", [this] { m_pStart->ShowContents(); });
    on("help.about", [this] {
        CAboutBox about(this);
        about.exec();
    });

    for (const auto& [n, mode] : kModeTools)
        on(n, [this, mode = mode] {
            if (CPlumexView* v = ActiveView()) {
                // Plane and Pick stop the particles first.
                if ((mode == int(MouseMode::Plane) || mode == int(MouseMode::Pick)) && v->ParticlesRunning())
                    v->ToggleParticles();
                v->SetMouseMode(mode);
            }
            updateActions();
        });
    on("tool.animation", [this] {
        if (CPlumexView* v = ActiveView()) v->ToggleGrowthAnimation();
        updateActions();
    });
    on("tool.particles", [this] {
        if (CPlumexView* v = ActiveView()) {
            v->ToggleParticles();
            // The particles leave the left button without a drag action.
            v->SetMouseMode(int(MouseMode::Idle));
        }
        updateActions();
    });
    on("run.allJets", [this] {
        if (CCaseDocument* d = ActiveDocument()) m_pRuns->RunAllJets(*d);
    });
    on("run.currentJet", [this] {
        if (CCaseDocument* d = ActiveDocument()) m_pRuns->RunCurrentJet(*d);
    });
    // The input bar's button: its values go into the case first.
    on("run.resimulate", [this] {
        if (ActiveDocument()) m_pInputBar->Resimulate();
    });
    on("run.cancel", [this] { m_pRuns->Cancel(); });
}

void CMainFrame::SaveToBmp() {
    CChildFrame* c = ActiveChild();
    if (!c) return;
    QString suggested = c->Document().Path();
    suggested = suggested.isEmpty()
                    ? c->Document().Title() + ".bmp"
                    : QFileInfo(suggested).path() + "/" + QFileInfo(suggested).completeBaseName() + ".bmp";
    QString path = m_app.Chooser().SaveBitmap(this, suggested);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += ".bmp";
    if (c->SceneView()->SavePicture(path)) statusBar()->showMessage("Saved " + QDir::toNativeSeparators(path));
}

CPlumexView* CMainFrame::ActiveView() const {
    CChildFrame* c = ActiveChild();
    return c ? c->SceneView() : nullptr;
}

void CMainFrame::UpdateViewTools() {
    CPlumexView* v = ActiveView();
    for (const auto& [n, mode] : kModeTools) {
        Action(n)->setEnabled(v != nullptr);
        Action(n)->setChecked(v && v->MouseModeValue() == mode);
    }
    Action("tool.animation")->setEnabled(v != nullptr);
    Action("tool.animation")->setChecked(v && v->IsAnimating());
    Action("tool.particles")->setEnabled(v != nullptr);
    Action("tool.particles")->setChecked(v && v->ParticlesRunning());
    Action("option.waterProperty")->setEnabled(v != nullptr);
    for (int speed = 0; speed < 3; ++speed) Action(kSpeedActions[speed])->setChecked(v && v->AnimationSpeed() == speed);
    Action("option.waterDisturbance")->setChecked(v && v->IsDisturbed());
}

void CMainFrame::Print(bool preview) {
    CChildFrame* c = ActiveChild();
    if (!c) return;
    const QImage picture = c->SceneView()->grabFramebuffer();
    QPrinter& printer = SharedPrinter();
    printer.setDocName(c->Document().Title());
    auto paint = [picture, title = c->Document().Title()](QPrinter* p) {
        QPainter painter(p);
        const QRect page = painter.viewport();
        // The picture takes the page width and keeps its proportions on the
        // printer's pixels, which need not be square.
        const double height =
            double(picture.height()) * page.width() * p->logicalDpiY() / picture.width() / p->logicalDpiX();
        const QRect target(page.x(), page.y(), page.width(), int(height));
        painter.drawImage(target, picture);
        painter.drawText(QRect(target.left(), target.bottom() + 10, target.width(), page.height() / 20),
                         Qt::AlignLeft | Qt::AlignTop, title);
    };
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, paint);
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) paint(&printer);
}

void CMainFrame::UpdateLockPanes() {
    const LockKeyState s = QueryLockKeys();
    const bool on[3] = {s.m_bCaps, s.m_bNum, s.m_bScroll};
    for (int i = 0; i < 3; ++i)
        if (m_pLockPanes[i]) m_pLockPanes[i]->setEnabled(on[i]);
}
