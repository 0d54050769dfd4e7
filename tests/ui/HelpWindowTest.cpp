// The help window: opening a page and an anchor, back and forward, links
// leaving the help folder handed to the desktop, and the find field.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "HelpTestSupport.h"
#include "ui/HelpBrowser.h"
#include "ui/HelpWindow.h"

namespace {
class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        QDir(m_root.path()).mkdir("help");
        m_folder = m_root.path() + "/help";
        WritePage(m_folder, "contents.htm",
                  "<h1>Contents</h1><p><a href=\"tutorial.htm#save\">Saving</a> "
                  "<a href=\"https://example.org/tides\">Tides</a> "
                  "<a href=\"../outside.htm\">Outside</a> <a href=\"plumex:new\">New case</a></p>");
        QString filler;
        for (int i = 0; i < 60; ++i) filler += "<p>Step " + QString::number(i) + " of the jet path.</p>";
        WritePage(m_folder, "tutorial.htm",
                  "<h1>Tutorial</h1><p>The plume rises.</p>" + filler +
                      "<h2 id=\"save\">Save</h2><p>The plume is saved; plume again.</p>");
        WritePage(m_root.path(), "outside.htm", "<p>Not a help page.</p>");
        m_window = std::make_unique<CHelpWindow>(m_folder);
    }
    QString Shown() const { return m_window->Browser()->source().fileName(); }
    QAction* ToolAction(const QString& text) const {
        for (QAction* a : m_window->findChild<QToolBar*>()->actions())
            if (a->text() == text) return a;
        return nullptr;
    }

    QTemporaryDir m_root;
    QString m_folder;
    std::unique_ptr<CHelpWindow> m_window;
};

TEST_F(HelpWindowTest, OpensAPageAtItsAnchorAndFallsBackToTheContents) {
    EXPECT_TRUE(m_window->ShowPage("tutorial.htm", "save"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    EXPECT_EQ(Shown(), "tutorial.htm");
    EXPECT_EQ(m_window->Browser()->source().fragment(), "save");
    // The anchor at the end of a long page is scrolled into view.
    EXPECT_GT(m_window->Browser()->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(m_window->windowTitle().startsWith("tutorial.htm"));

    EXPECT_FALSE(m_window->ShowPage("nowhere.htm"));
    EXPECT_EQ(Shown(), "contents.htm");
}

TEST_F(HelpWindowTest, BackForwardAndContentsFromTheToolBar) {
    m_window->ShowContents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    QAction* back = ToolAction("Back");
    QAction* forward = ToolAction("Forward");
    QAction* home = ToolAction("Contents");
    ASSERT_TRUE(back && forward && home);
    EXPECT_FALSE(back->isEnabled());

    ASSERT_TRUE(ClickLink(*m_window->Browser(), "tutorial.htm#save"));
    EXPECT_EQ(Shown(), "tutorial.htm");
    EXPECT_TRUE(back->isEnabled());
    back->trigger();
    EXPECT_EQ(Shown(), "contents.htm");
    EXPECT_TRUE(forward->isEnabled());
    forward->trigger();
    EXPECT_EQ(Shown(), "tutorial.htm");
    home->trigger();
    EXPECT_EQ(Shown(), "contents.htm");
}

TEST_F(HelpWindowTest, LinksLeavingTheHelpFolderGoToTheDesktop) {
    CDesktopRecorder desktop({"https", "file"});
    m_window->ShowContents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    QSignalSpy navigated(m_window->Browser(), &QTextBrowser::sourceChanged);

    ASSERT_TRUE(ClickLink(*m_window->Browser(), "https://example.org/tides"));
    ASSERT_TRUE(ClickLink(*m_window->Browser(), "../outside.htm"));
    ASSERT_EQ(desktop.m_urls.size(), 2);
    EXPECT_EQ(desktop.m_urls[0], QUrl("https://example.org/tides"));
    EXPECT_EQ(desktop.m_urls[1], QUrl::fromLocalFile(m_root.path() + "/outside.htm"));
    EXPECT_EQ(navigated.count(), 0);
    EXPECT_EQ(Shown(), "contents.htm");

    // A command link is the program's, never the desktop's.
    QSignalSpy command(m_window.get(), &CHelpWindow::commandLink);
    ASSERT_TRUE(ClickLink(*m_window->Browser(), "plumex:new"));
    ASSERT_EQ(command.count(), 1);
    EXPECT_EQ(command.at(0).at(0).toString(), "plumex:new");
    EXPECT_EQ(desktop.m_urls.size(), 2);
}

TEST_F(HelpWindowTest, FindFieldFindsForwardBackwardWrapsRoundAndGoesOnToOtherPages) {
    m_window->ShowTutorial();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    CHelpBrowser& b = *m_window->Browser();
    b.setFocus();
    QTest::keyClick(&b, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(m_window->FindField()->hasFocus());

    QTest::keyClicks(m_window->FindField(), "plume");
    QTest::keyClick(m_window->FindField(), Qt::Key_Return);
    const int first = b.textCursor().selectionStart();
    EXPECT_EQ(b.textCursor().selectedText(), "plume");
    QTest::keyClick(m_window->FindField(), Qt::Key_Return);
    const int second = b.textCursor().selectionStart();
    EXPECT_GT(second, first);
    QTest::keyClick(m_window->FindField(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(b.textCursor().selectionStart(), first);
    // Past the last place the search starts again at the top.
    QTest::keyClick(m_window->FindField(), Qt::Key_Return);
    QTest::keyClick(m_window->FindField(), Qt::Key_Return);
    QTest::keyClick(m_window->FindField(), Qt::Key_Return);
    EXPECT_EQ(b.textCursor().selectionStart(), first);

    // Text that is not on the page leaves the last place selected.
    m_window->FindField()->clear();
    QTest::keyClicks(m_window->FindField(), "tidal excursion");
    QTest::keyClick(m_window->FindField(), Qt::Key_Return);
    EXPECT_EQ(b.textCursor().selectionStart(), first);
    EXPECT_FALSE(m_window->FindText("tidal excursion"));
    EXPECT_EQ(Shown(), "tutorial.htm");

    // Text that only another page holds: the search goes on to that page.
    m_window->FindField()->clear();
    QTest::keyClicks(m_window->FindField(), "tides");
    QTest::keyClick(m_window->FindField(), Qt::Key_Return);
    EXPECT_EQ(Shown(), "contents.htm");
    EXPECT_EQ(b.textCursor().selectedText(), "Tides");
}
}  // namespace
