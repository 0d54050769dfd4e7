// The run options and the Run menu in the program: "Merge neighbouring
// plumes" from the Option menu and the input bar through the edit history,
// the time-steps dialog and the growth animation, the Run menu's commands
// with their keys (F5, Shift+F5, Escape) on the stand-in model, and the
// status bar's word on an exported report.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <functional>

#include "GuiFixture.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "edit/EditHistory.h"
#include "gui/CaseDocument.h"
#include "gui/ChildFrame.h"
#include "gui/MainFrame.h"
#include "gui/RunController.h"
#include "ui/AmbientGrid.h"
#include "ui/InputBar.h"
#include "ui/MaxTimeStepsDlg.h"
#include "ui/NumberField.h"
#include "ui/PlumexView.h"

namespace {
// The jet model the runs start, for the length of a test.
class ModelEnvironment {
public:
    explicit ModelEnvironment(const char* mode, const char* program = PLUMEX_FAKE_MODEL) {
        qputenv("PLUMEX_MODEL", program);
        qputenv("PLUMEX_FAKE_MODE", mode);
    }
    ~ModelEnvironment() {
        qunsetenv("PLUMEX_MODEL");
        qunsetenv("PLUMEX_FAKE_MODE");
    }
};

bool WaitUntil(const std::function<bool()>& done, int ms = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) QTest::qWait(20);
    return done();
}

// The steps of every jet, in the order of the tree.
std::vector<int> StepsOfJets(CPlumexDoc& doc) {
    std::vector<int> steps;
    doc.ForEachJet(
        [&steps](int, int, int, const CRiser&, const CBase&, const CJet& j) { steps.push_back(j.GetSteps()); });
    return steps;
}
}  // namespace

class RunCommands : public GuiFixture {
protected:
    // A key typed where the focus is, as a user types a shortcut.
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &Frame(), key, modifiers);
        Settle();
    }
    void ClickBox(QCheckBox* box) {
        ASSERT_TRUE(box->isVisible() && box->isEnabled());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        Settle();
    }
    // The menu of the menu bar with that title, opened with the mouse.
    QMenu* OpenMenu(const QString& title) {
        QMenuBar* bar = Frame().menuBar();
        for (QAction* a : bar->actions())
            if (a->text() == title) {
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(a).center());
                WaitUntil([a] { return a->menu()->isVisible(); }, 1000);
                return a->menu();
            }
        return nullptr;
    }
    static QAction* Item(QMenu* menu, const QString& text) {
        for (QAction* a : menu->actions())
            if (a->text() == text) return a;
        return nullptr;
    }
    CCaseDocument* OpenDemo(const QString& sub = QString()) {
        EXPECT_TRUE(m_app->OpenFile(CopyExample("demo.pmx", sub), false));
        SettleActive();
        return m_app->Documents().back();
    }
};

TEST_F(RunCommands, MergeNeighbouringPlumesGoesThroughTheHistoryFromTheMenuAndTheInputBar) {
    ASSERT_TRUE(m_app->OpenFile(CopyExample("diffuser.pmx")));
    SettleActive();
    CCaseDocument* doc = m_app->Documents().back();
    CPlumexDoc& d = doc->Doc();
    QAction* item = Frame().Action("option.mergePlumes");
    QCheckBox* box = Frame().InputBar()->MergeBox();
    ASSERT_TRUE(d.MergesPlumes());  // the diffuser case keeps the default
    EXPECT_TRUE(item->isCheckable());
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(box->isChecked());

    ClickMenu("&Option", "Merge neighbouring plumes");
    EXPECT_FALSE(d.MergesPlumes());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(Frame().Action("edit.undo")->text(), "&Undo Change Merge neighbouring plumes");

    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(d.MergesPlumes());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(box->isChecked());
    Keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(d.MergesPlumes());
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(box->isChecked());

    // The box is one more edit of the same history.
    ClickBox(box);
    EXPECT_TRUE(d.MergesPlumes());
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(doc->History().Stack().count(), 2);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(d.MergesPlumes());
    EXPECT_FALSE(box->isChecked());

    // The saved file keeps what the box shows.
    Keys(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(doc->IsModified());
    CAppState state;
    CScriptedPrompt quiet;
    CPlumexDoc reread(state, quiet);
    ASSERT_TRUE(reread.OpenCase(doc->Path().toStdString()));
    EXPECT_FALSE(reread.MergesPlumes());
}

TEST_F(RunCommands, EachCaseWindowShowsTheOptionOfItsOwnCase) {
    CCaseDocument* first = OpenDemo();
    CCaseDocument* second = OpenDemo("other");
    ASSERT_EQ(Frame().ActiveDocument(), second);
    const bool merges = first->Doc().MergesPlumes();
    QAction* item = Frame().Action("option.mergePlumes");
    QCheckBox* box = Frame().InputBar()->MergeBox();
    ClickBox(box);
    EXPECT_EQ(second->Doc().MergesPlumes(), !merges);
    EXPECT_EQ(first->Doc().MergesPlumes(), merges);

    Frame().MdiArea()->activatePreviousSubWindow();
    Settle();
    ASSERT_EQ(Frame().ActiveDocument(), first);
    EXPECT_EQ(item->isChecked(), merges);
    EXPECT_EQ(box->isChecked(), merges);
    // Undo works on the active case only.
    EXPECT_FALSE(Frame().Action("edit.undo")->isEnabled());
    Frame().MdiArea()->activateNextSubWindow();
    Settle();
    ASSERT_EQ(Frame().ActiveDocument(), second);
    EXPECT_EQ(item->isChecked(), !merges);
    EXPECT_EQ(box->isChecked(), !merges);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->isChecked(), merges);
    EXPECT_FALSE(second->IsModified());
}

TEST_F(RunCommands, TimeStepsWaitForTheGrowthAnimationAndTheSameNumberIsNoEdit) {
    CCaseDocument* doc = OpenDemo();
    const int steps = doc->Doc().MaxTimeSteps();
    // OK on the number shown changes nothing.
    WhenModal<CMaxTimeStepsDlg>([](CMaxTimeStepsDlg& dlg) { QTest::keyClick(dlg.Field(), Qt::Key_Return); });
    ClickMenu("&Option", "Max number of time steps");
    EXPECT_EQ(doc->Doc().MaxTimeSteps(), steps);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->History().Stack().count(), 0);
    EXPECT_FALSE(ActiveChild()->isWindowModified());

    // While the jets grow the command is off, from the menu as from anywhere.
    // The jets computed by the jet model grow ring by ring at low speed for
    // some seconds.
    {
        ModelEnvironment model("", PLUMEX_MODEL_EXE);
        Keys(Qt::Key_F5);
        ASSERT_TRUE(WaitUntil([this] { return !Frame().Runs().IsRunning(); }));
    }
    const bool modified = doc->IsModified();
    Frame().Action("option.speedLow")->trigger();
    CPlumexView* view = ActiveChild()->SceneView();
    ClickToolButton(Frame().Action("tool.animation"));
    ASSERT_TRUE(view->IsAnimating());
    ASSERT_GT(view->AnimationLimit(), 50);
    // A dialog that comes up anyway is closed and counted, so the test fails
    // instead of waiting in it.
    int dialogs = 0;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&dialogs] {
        if (auto* dialog = qobject_cast<CMaxTimeStepsDlg*>(QApplication::activeModalWidget())) {
            ++dialogs;
            dialog->reject();
        }
    });
    watch.start();
    QMenu* option = OpenMenu("&Option");
    ASSERT_NE(option, nullptr);
    QAction* item = Item(option, "Max number of time steps");
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isEnabled());
    QTest::mouseClick(option, Qt::LeftButton, {}, option->actionGeometry(item).center());
    Settle(50);
    QTest::keyClick(option, Qt::Key_Escape);
    WaitUntil([option] { return !option->isVisible(); }, 1000);
    item->trigger();
    Settle(50);
    watch.stop();
    EXPECT_EQ(dialogs, 0);
    // Other option commands stay at hand.
    EXPECT_TRUE(Frame().Action("option.continuous")->isEnabled());
    EXPECT_TRUE(view->IsAnimating());
    EXPECT_EQ(doc->IsModified(), modified);

    ClickToolButton(Frame().Action("tool.animation"));
    ASSERT_FALSE(view->IsAnimating());
    WhenModal<CMaxTimeStepsDlg>([](CMaxTimeStepsDlg& dlg) {
        dlg.Field()->selectAll();
        QTest::keyClicks(dlg.Field(), "2000");
        QTest::keyClick(dlg.Field(), Qt::Key_Return);
    });
    ClickMenu("&Option", "Max number of time steps");
    EXPECT_EQ(doc->Doc().MaxTimeSteps(), 2000);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->History().Stack().count(), 1);
    EXPECT_EQ(Frame().Action("edit.undo")->text(), "&Undo Change Max number of time steps");
}

TEST_F(RunCommands, TheRunMenuOffersTheRunsWithTheirKeysAndTheOptionMenuKeepsItsItems) {
    OpenDemo();
    QMenu* run = OpenMenu("&Run");
    ASSERT_NE(run, nullptr);
    QStringList items;
    for (QAction* a : run->actions())
        if (!a->isSeparator()) items << a->text() + "\t" + a->shortcut().toString();
    EXPECT_EQ(items, (QStringList{"Run all jets\tF5", "Resimulate selected Jet\tShift+F5", "Cancel run\tEsc"}));
    EXPECT_TRUE(Item(run, "Run all jets")->isEnabled());
    EXPECT_TRUE(Item(run, "Resimulate selected Jet")->isEnabled());
    EXPECT_FALSE(Item(run, "Cancel run")->isEnabled());
    QTest::keyClick(run, Qt::Key_Escape);
    WaitUntil([run] { return !run->isVisible(); }, 1000);

    QMenu* option = OpenMenu("&Option");
    ASSERT_NE(option, nullptr);
    QStringList optionItems;
    for (QAction* a : option->actions())
        if (!a->isSeparator()) optionItems << a->text();
    EXPECT_EQ(optionItems,
              (QStringList{"Animation Speed", "Continuous mode", "Merge neighbouring plumes",
                           "Max number of time steps", "Disturbance of the water surface", "Water surface property",
                           "Design conditions...", "Run all jets", "Run current jet"}));
    EXPECT_TRUE(Item(option, "Design conditions...")->isEnabled());
    QTest::keyClick(option, Qt::Key_Escape);
    WaitUntil([option] { return !option->isVisible(); }, 1000);
}

TEST_F(RunCommands, F5RunsEveryJetAndShiftF5ResimulatesTheSelectedJetWithTheBarsValues) {
    ModelEnvironment model("echo");
    CCaseDocument* doc = OpenDemo();
    CPlumexDoc& d = doc->Doc();
    CInputBar& bar = *Frame().InputBar();
    ASSERT_EQ(bar.Level(), 3);  // a jet is selected
    const std::vector<int> before = StepsOfJets(d);
    ASSERT_GE(before.size(), 2u);

    // Shift+F5 stores the angle typed into the bar, then computes the
    // selected jet alone: the only jet whose results change.
    CNumberField* angle = bar.AngleField();
    angle->setFocus();
    QTest::keyClick(angle, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(angle, "12");
    Keys(Qt::Key_F5, Qt::ShiftModifier);
    ASSERT_TRUE(WaitUntil([this] { return !Frame().Runs().IsRunning(); }));
    EXPECT_FLOAT_EQ(d.CurrentAngle(), 12.0f);
    const std::vector<int> resimulated = StepsOfJets(d);
    int changed = 0, first = 0;
    for (size_t k = 0; k < before.size(); ++k)
        if (resimulated[k] != before[k]) {
            ++changed;
            first = resimulated[k];  // the stand-in model's first jet of a run
        }
    ASSERT_EQ(changed, 1);

    // F5 computes every jet: the stand-in model gives jet k of a run k
    // steps more than the first.
    Frame().activateWindow();
    Keys(Qt::Key_F5);
    ASSERT_TRUE(WaitUntil([this] { return !Frame().Runs().IsRunning(); }));
    const std::vector<int> all = StepsOfJets(d);
    for (size_t k = 0; k < all.size(); ++k) EXPECT_EQ(all[k], first + int(k)) << k;
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts().front();
}

TEST_F(RunCommands, EscapeCancelsARunUnlessAFieldHasTextToTakeBack) {
    ModelEnvironment model("never");
    CCaseDocument* other = OpenDemo("other");
    CCaseDocument* doc = OpenDemo();
    const std::vector<unsigned char> before = doc->Doc().SaveToBytes();
    Keys(Qt::Key_F5);
    ASSERT_TRUE(Frame().Runs().IsRunning());
    QAction* cancel = Frame().Action("run.cancel");
    EXPECT_TRUE(cancel->isEnabled());
    // The run options rest meanwhile, in the menu and in the bar, for
    // every case.
    QCheckBox* box = Frame().InputBar()->MergeBox();
    for (const char* name : {"option.continuous", "option.mergePlumes", "option.maxTimeSteps", "run.resimulate"})
        EXPECT_FALSE(Frame().Action(name)->isEnabled()) << name;
    EXPECT_FALSE(box->isEnabled());
    Frame().MdiArea()->activatePreviousSubWindow();
    Settle();
    ASSERT_EQ(Frame().ActiveDocument(), other);
    EXPECT_FALSE(box->isEnabled());
    EXPECT_FALSE(Frame().Action("option.mergePlumes")->isEnabled());
    Frame().MdiArea()->activateNextSubWindow();
    Settle();

    // Escape in a field with a typed value takes the value back; the run goes on.
    CNumberField* angle = Frame().InputBar()->AngleField();
    const QString shown = angle->text();
    angle->setFocus();
    QTest::keyClick(angle, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(angle, "33");
    Keys(Qt::Key_Escape);
    EXPECT_EQ(angle->text(), shown);
    EXPECT_TRUE(Frame().Runs().IsRunning());
    // So does a grid cell's open editor.
    CAmbientGrid& grid = *Frame().InputBar()->Grid();
    const QString depth = grid.CellText(1, 0);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(1, 0)).center());
    Settle();
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "7");
    Keys(Qt::Key_Escape);
    EXPECT_EQ(grid.CellText(1, 0), depth);
    EXPECT_TRUE(Frame().Runs().IsRunning());
    angle->setFocus();
    // Then Escape is free: it stops the run, and no jet changes.
    Keys(Qt::Key_Escape);
    ASSERT_TRUE(WaitUntil([this] { return !Frame().Runs().IsRunning(); }));
    EXPECT_EQ(doc->Doc().SaveToBytes(), before);
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(Frame().Action("option.mergePlumes")->isEnabled());
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts().front();
}

TEST_F(RunCommands, AnExportedReportIsNamedInTheStatusBar) {
    OpenDemo();
    const QString path = TempPath("demo-report.html");
    WhenModal<QFileDialog>([this](QFileDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        ASSERT_TRUE(name && buttons);
        dialog.setDirectory(m_dir.path());  // where the user goes first
        name->selectAll();
        QTest::keyClicks(name, "demo-report.html");
        QTest::mouseClick(buttons->button(QDialogButtonBox::Save), Qt::LeftButton);
        // A dialog that did not take the name fails the test instead of hanging it.
        if (dialog.isVisible()) dialog.reject();
    });
    ClickMenu("&File", "Export report...");
    ASSERT_TRUE(WaitUntil([path] { return QFileInfo::exists(path); }, 10000));
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Exported " + path);
}
