// The start page: its command links, going back, "Show on startup" and the
// quit confirmation, driven with real mouse and key events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "HelpTestSupport.h"
#include "ui/HelpBrowser.h"
#include "ui/QuitConfirmDlg.h"
#include "ui/StartPage.h"

namespace {
QString PageName(const CHelpBrowser& b) { return b.source().fileName(); }

class StartPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_settingsDir.isValid());
        m_settings = std::make_unique<QSettings>(m_settingsDir.filePath("plumex.ini"), QSettings::IniFormat);
    }
    // A page over the program's own help folder, shown and exposed.
    std::unique_ptr<CStartPage> ShowPage(const QString& folder = QString::fromUtf8(PLUMEX_HELP_DIR)) {
        auto page = std::make_unique<CStartPage>(folder, *m_settings);
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        return page;
    }
    QTemporaryDir m_settingsDir;
    std::unique_ptr<QSettings> m_settings;
};

TEST_F(StartPageTest, EveryCommandLinkEmitsItsSignalAndStaysOnThePage) {
    struct Link {
        const char* href;
        void (CStartPage::*signal)();
        bool hides;
    };
    const Link links[] = {
        {CHelpBrowser::kNewCase, &CStartPage::newCaseRequested, true},
        {CHelpBrowser::kOpenCase, &CStartPage::openCaseRequested, true},
        {CHelpBrowser::kTutorial, &CStartPage::tutorialRequested, false},
        {CHelpBrowser::kHelp, &CStartPage::helpRequested, false},
    };
    for (const Link& link : links) {
        SCOPED_TRACE(link.href);
        auto page = ShowPage();
        EXPECT_EQ(page->windowTitle(), "Startup tips");
        QSignalSpy spy(page.get(), link.signal);
        QSignalSpy anyPage(page->Browser(), &QTextBrowser::sourceChanged);
        ASSERT_TRUE(ClickLink(*page->Browser(), link.href)) << "Startup.htm has no link to " << link.href;
        EXPECT_EQ(spy.count(), 1);
        EXPECT_EQ(anyPage.count(), 0) << "a command link must not navigate";
        EXPECT_EQ(PageName(*page->Browser()), "Startup.htm");
        EXPECT_EQ(page->isVisible(), !link.hides);
    }
}

TEST_F(StartPageTest, BackReturnsToThePreviousPageAndNeverToAnErrorPage) {
    QTemporaryDir help;
    WritePage(help.path(), "Startup.htm",
              "<p><a href=\"plumex:back\">Back</a> <a href=\"more.htm\">More</a> <a href=\"gone.htm\">Gone</a></p>");
    WritePage(help.path(), "more.htm", "<p>More tips. <a href=\"plumex:back\">Back</a></p>");
    auto page = ShowPage(help.path());
    CHelpBrowser& b = *page->Browser();

    // Nothing to go back to: the page stays.
    ASSERT_TRUE(ClickLink(b, "plumex:back"));
    EXPECT_EQ(PageName(b), "Startup.htm");
    // A missing page is not shown, so it cannot be gone back to either.
    QSignalSpy missing(&b, &CHelpBrowser::missingPage);
    ASSERT_TRUE(ClickLink(b, "gone.htm"));
    EXPECT_EQ(missing.count(), 1);
    EXPECT_EQ(PageName(b), "Startup.htm");

    ASSERT_TRUE(ClickLink(b, "more.htm"));
    EXPECT_EQ(PageName(b), "more.htm");
    ASSERT_TRUE(ClickLink(b, "plumex:back"));
    EXPECT_EQ(PageName(b), "Startup.htm");
    EXPECT_TRUE(b.toPlainText().contains("More"));
}

TEST_F(StartPageTest, WithoutItsPageTheCommandsStillWork) {
    QTemporaryDir empty;
    auto page = ShowPage(empty.path());
    EXPECT_TRUE(page->Browser()->toPlainText().contains("Startup.htm is missing"));
    QSignalSpy open(page.get(), &CStartPage::openCaseRequested);
    ASSERT_TRUE(ClickLink(*page->Browser(), CHelpBrowser::kOpenCase));
    EXPECT_EQ(open.count(), 1);
}

TEST_F(StartPageTest, ShowOnStartupRoundTripsThroughTheSettings) {
    m_settings->setValue("PLUMEX/ShowBegin", 0);
    auto page = ShowPage();
    // A new page starts checked and says so at once.
    EXPECT_TRUE(page->ShowOnStartupBox()->isChecked());
    EXPECT_EQ(QSettings(m_settings->fileName(), QSettings::IniFormat).value("PLUMEX/ShowBegin").toInt(), 1);

    QSignalSpy flag(page.get(), &CStartPage::showOnStartupChanged);
    QCheckBox* box = page->ShowOnStartupBox();
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(box->height() / 2, box->height() / 2));
    ASSERT_EQ(flag.count(), 1);
    EXPECT_FALSE(flag.at(0).at(0).toBool());
    EXPECT_FALSE(page->ShowOnStartup());
    // Another reader of the file (the next start) sees the cleared value.
    QSettings reread(m_settings->fileName(), QSettings::IniFormat);
    EXPECT_EQ(reread.value("PLUMEX/ShowBegin").toInt(), 0);

    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    ASSERT_EQ(flag.count(), 2);
    EXPECT_TRUE(flag.at(1).at(0).toBool());
    reread.sync();
    EXPECT_EQ(reread.value("PLUMEX/ShowBegin").toInt(), 1);
}

// Answers the quit confirmation once it is up: checks its texts and presses
// the chosen button (or the key).
void AnswerQuitConfirmation(std::function<void(CQuitConfirmDlg&)> answer, bool* seen) {
    QTimer::singleShot(0, [answer, seen] {
        auto* dlg = qobject_cast<CQuitConfirmDlg*>(QApplication::activeModalWidget());
        if (!dlg) return;
        *seen = true;
        QStringList lines;
        for (QLabel* l : dlg->findChildren<QLabel*>()) lines << l->text();
        EXPECT_EQ(lines, QStringList({"Do you really want to quit the application?",
                                      "To continue the application,click the Resume button.",
                                      "To quit the application,click the Exit button."}));
        EXPECT_TRUE(dlg->windowTitle().isEmpty());
        EXPECT_EQ(dlg->ResumeButton()->text(), "Resume");
        EXPECT_EQ(dlg->ExitButton()->text(), "Exit");
        answer(*dlg);
    });
}

TEST_F(StartPageTest, QuitConfirmationResumeKeepsTheProgram) {
    auto page = ShowPage();
    QSignalSpy exit(page.get(), &CStartPage::exitRequested);
    bool seen = false;
    AnswerQuitConfirmation([](CQuitConfirmDlg& d) { QTest::mouseClick(d.ResumeButton(), Qt::LeftButton); }, &seen);
    QTest::mouseClick(page->ExitButton(), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(exit.count(), 0);
    EXPECT_TRUE(page->isVisible());

    // Resume is the default: Enter answers it too.
    seen = false;
    AnswerQuitConfirmation([](CQuitConfirmDlg& d) { QTest::keyClick(&d, Qt::Key_Return); }, &seen);
    QTest::mouseClick(page->ExitButton(), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(exit.count(), 0);
}

TEST_F(StartPageTest, QuitConfirmationExitAsksTheProgramToEnd) {
    auto page = ShowPage();
    QSignalSpy exit(page.get(), &CStartPage::exitRequested);
    bool seen = false;
    AnswerQuitConfirmation([](CQuitConfirmDlg& d) { QTest::mouseClick(d.ExitButton(), Qt::LeftButton); }, &seen);
    QTest::mouseClick(page->ExitButton(), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(exit.count(), 1);
}
}  // namespace
