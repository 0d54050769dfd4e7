// The status-bar progress meter: its minimum step and its Cancel button.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "ui/StatusProgress.h"

TEST(StatusProgress, MovesOnlyInStepsOfAHundredthOfItsRange) {
    CStatusProgress meter;
    meter.SetRange(0, 50);
    EXPECT_EQ(meter.MinimumStep(), 1);
    meter.SetPos(1);
    EXPECT_EQ(meter.ShownValue(), 1);

    meter.SetRange(0, 10000);
    EXPECT_EQ(meter.MinimumStep(), 100);
    EXPECT_EQ(meter.ShownValue(), 0);
    meter.SetPos(100);
    EXPECT_EQ(meter.ShownValue(), 100);
    meter.SetPos(150);  // less than a step past the last shown position
    EXPECT_EQ(meter.ShownValue(), 100);
    EXPECT_EQ(meter.LastPosition(), 100);
    meter.SetPos(200);
    EXPECT_EQ(meter.ShownValue(), 200);
    meter.SetPos(50);  // never backwards
    EXPECT_EQ(meter.ShownValue(), 200);
    meter.OffsetPos(99);
    EXPECT_EQ(meter.ShownValue(), 200);
    meter.OffsetPos(100);
    EXPECT_EQ(meter.ShownValue(), 300);

    // A range starting elsewhere starts the bar there.
    meter.SetRange(500, 520);
    EXPECT_EQ(meter.MinimumStep(), 1);
    EXPECT_EQ(meter.LastPosition(), 500);
}

TEST(StatusProgress, TheCancelButtonStopsTheRunItWasShownFor) {
    CStatusProgress meter;
    int waits = 0;
    meter.SetWaitHandler([&] { ++waits; });
    meter.Begin(0, 0);
    EXPECT_FALSE(meter.isHidden());
    EXPECT_FALSE(meter.CancelRequested());
    QTest::mouseClick(meter.CancelButton(), Qt::LeftButton);
    EXPECT_TRUE(meter.CancelRequested());
    EXPECT_EQ(waits, 2);
    meter.End();
    EXPECT_TRUE(meter.isHidden());
    // The next run starts afresh.
    meter.Begin(0, 10);
    EXPECT_FALSE(meter.CancelRequested());
    EXPECT_TRUE(meter.CancelButton()->isEnabled());
}

TEST(StatusProgress, KeepsItsOwnSizeInTheStatusBarOfAWideWindow) {
    QMainWindow window;
    auto* meter = new CStatusProgress(window.statusBar());
    window.statusBar()->addPermanentWidget(meter);
    window.statusBar()->showMessage("Ready");
    window.resize(1920, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    meter->Begin(0, 100);
    QTest::qWait(50);
    // The bar keeps its 200 pixels and the button its own width: the
    // message keeps the rest of the status bar.
    EXPECT_EQ(meter->findChild<QProgressBar*>()->width(), 200);
    EXPECT_LE(meter->CancelButton()->width(), meter->CancelButton()->sizeHint().width());
    EXPECT_LT(meter->width(), window.width() / 4);
}
