// The splash screen and the About box.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QWidget>

#include "gui/AboutBox.h"
#include "gui/SplashScreen.h"

TEST(SplashScreen, GoesAtTheFirstKeyPressOrAfterItsTime) {
    QWidget other;
    other.show();
    CSplashScreen* splash = CSplashScreen::ShowSplash(nullptr);
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(CSplashScreen::ShowSplash(nullptr), splash);  // one at a time
    EXPECT_EQ(splash->size(), QSize(CSplashScreen::kWidth, CSplashScreen::kHeight));
    QTest::qWait(100);
    QTest::keyClick(&other, Qt::Key_A);
    EXPECT_EQ(CSplashScreen::Current(), nullptr);

    CSplashScreen::ShowSplash(nullptr);
    QTest::qWait(CSplashScreen::kTimeoutMs / 2);
    EXPECT_NE(CSplashScreen::Current(), nullptr);
    QTest::qWait(CSplashScreen::kTimeoutMs);
    EXPECT_EQ(CSplashScreen::Current(), nullptr);
}

TEST(AboutBox, NamesTheProgramAndTheJetModelsVersion) {
    EXPECT_EQ(CAboutBox::ModelVersion(PLUMEX_MODEL_EXE).toStdString().rfind("Jet model: mardex2k ", 0), 0u);
    EXPECT_NE(CAboutBox::ModelVersion("/nonexistent/mardex2k").indexOf("not found"), -1);
    CAboutBox about;
    const auto* version = about.findChild<QLabel*>("versionLine");
    ASSERT_NE(version, nullptr);
    EXPECT_TRUE(version->text().contains(PLUMEX_VERSION));
}
