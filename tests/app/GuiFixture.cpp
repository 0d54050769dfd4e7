#include "GuiFixture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "gui/ChildFrame.h"
#include "gui/MainFrame.h"
#include "ui/NewCaseDlg.h"

#include <QApplication>
#include <QPushButton>

void GuiFixture::SetUp() {
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "case windows hold GL views: run under xvfb-run (platform is "
                     << QGuiApplication::platformName().toStdString() << ")";
    ASSERT_TRUE(m_dir.isValid());
    m_prompt.SetDefaultAnswer(PromptAnswer::Cancel);
    m_options.m_pPrompt = &m_prompt;
    m_options.m_pChooser = &m_chooser;
    m_options.m_strProfilePath = m_dir.filePath("plumex.ini");
    m_options.m_Screen = QSize(1280, 1024);
    m_options.m_bShowSplash = false;
    // The start page would take the keys the tests send; its own tests turn it on.
    SetShowBegin(false);
    // New opens the wizard: unless a test drives it itself, it is answered
    // with the smallest case (one level, one outfall with a riser and a jet).
    m_wizardDriver.setInterval(30);
    QObject::connect(&m_wizardDriver, &QTimer::timeout, [this] {
        auto* wizard = qobject_cast<CNewCaseDlg*>(QApplication::activeModalWidget());
        if (!m_bFinishWizards || !wizard || !wizard->isVisible()) return;
        // Two levels: a profile deep enough for the default structure, so
        // that the run of the new case asks nothing.
        QTest::mouseClick(wizard->AddLevelButton(), Qt::LeftButton);
        QTest::mouseClick(wizard->AddLevelButton(), Qt::LeftButton);
        QTest::mouseClick(wizard->NextButton(), Qt::LeftButton);
        QTest::mouseClick(wizard->NextButton(), Qt::LeftButton);
        QTest::mouseClick(wizard->CreateButton(), Qt::LeftButton);
        QTest::mouseClick(wizard->FinishButton(), Qt::LeftButton);
    });
    m_wizardDriver.start();
    StartApp();
}

void GuiFixture::StartApp() {
    m_app = std::make_unique<CPlumexApp>(m_options);
    ASSERT_TRUE(m_app->Start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_app->MainFrame()));
    m_app->MainFrame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_app->MainFrame()));
}

void GuiFixture::TearDown() {
    m_wizardDriver.stop();
    m_app.reset();
    Settle(0);
}

void GuiFixture::SetShowBegin(bool show) {
    QSettings ini(m_options.m_strProfilePath, QSettings::IniFormat);
    ini.setValue("PLUMEX/ShowBegin", show ? 1 : 0);
}

CMainFrame& GuiFixture::Frame() const { return *m_app->MainFrame(); }

QString GuiFixture::CopyExample(const QString& name, const QString& sub) const {
    const QString folder = sub.isEmpty() ? m_dir.path() : m_dir.filePath(sub);
    QDir().mkpath(folder);
    const QString target = folder + "/" + name;
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(QString(PLUMEX_EXAMPLES_BUILT) + "/" + name, target)) << name.toStdString();
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

void GuiFixture::Settle(int ms) {
    QCoreApplication::processEvents();
    QTest::qWait(ms);
}

void GuiFixture::SettleActive() {
    Settle();
    // The first GL view of a window makes Qt make the window anew, which
    // may leave it inactive for a moment; keys go to the active window.
    if (!Frame().isActiveWindow()) {
        Frame().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }
}

void GuiFixture::ClickMenu(const QString& menuTitle, const QString& item) {
    QMenuBar* bar = Frame().menuBar();
    QAction* menuAction = nullptr;
    for (QAction* a : bar->actions())
        if (a->text() == menuTitle) menuAction = a;
    ASSERT_NE(menuAction, nullptr) << "no menu " << menuTitle.toStdString();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menuAction).center());
    QMenu* menu = menuAction->menu();
    for (int i = 0; i < 100 && !menu->isVisible(); ++i) QTest::qWait(10);
    ASSERT_TRUE(menu->isVisible()) << menuTitle.toStdString();
    QAction* target = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == item) target = a;
    ASSERT_NE(target, nullptr) << "no item " << item.toStdString() << " in " << menuTitle.toStdString();
    ASSERT_TRUE(target->isEnabled()) << item.toStdString() << " is disabled";
    QTest::mouseMove(menu, menu->actionGeometry(target).center());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(target).center());
    for (int i = 0; i < 100 && menu->isVisible(); ++i) QTest::qWait(10);
    Settle();
}

void GuiFixture::ClickToolButton(QAction* action) {
    for (QToolBar* bar : {Frame().MainToolBar(), Frame().ViewToolBar()}) {
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
            ASSERT_TRUE(button->isVisible() && button->isEnabled()) << action->objectName().toStdString();
            QTest::mouseClick(button, Qt::LeftButton);
            Settle();
            return;
        }
    }
    FAIL() << "no tool button for " << action->objectName().toStdString();
}

QStringList GuiFixture::MenuTitles() const {
    QStringList titles;
    for (QAction* a : Frame().menuBar()->actions()) titles << a->text();
    return titles;
}

CChildFrame* GuiFixture::ActiveChild() const { return Frame().ActiveChild(); }
