// The summary file viewer: read-only text, Ctrl+F find with wrap-around,
// copy of the selection or the whole file, and an unreadable file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "ui/SummaryViewer.h"

TEST(SummaryViewer, FindsWithCtrlFWrapsAroundAndCopies) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Suspend");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Jet R1 port 1\n  Sm   12.5\nJet R1 port 2\n  Sm   14.0\n");
    }
    auto* viewer = new CSummaryViewer;
    ASSERT_TRUE(viewer->Load(path));
    EXPECT_EQ(viewer->windowTitle(), "Suspend");
    viewer->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    EXPECT_TRUE(viewer->Text()->isReadOnly());

    auto* find = viewer->findChild<QLineEdit*>("findText");
    ASSERT_FALSE(find->isVisible());
    QTest::keyClick(viewer->Text(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(find->isVisible());
    QTest::keyClicks(find, "Sm");
    QTest::keyClick(find, Qt::Key_Return);
    const int first = viewer->Text()->textCursor().blockNumber();
    EXPECT_EQ(first, 1);
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(viewer->Text()->textCursor().blockNumber(), 3);
    QTest::keyClick(find, Qt::Key_Return);  // past the last: from the top again
    EXPECT_EQ(viewer->Text()->textCursor().blockNumber(), 1);
    EXPECT_FALSE(viewer->FindNext("absent"));

    QTest::mouseClick(viewer->findChild<QPushButton*>("copy"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), "Sm");
    viewer->close();

    auto* missing = new CSummaryViewer;
    EXPECT_FALSE(missing->Load(dir.filePath("none")));
    EXPECT_TRUE(missing->Text()->toPlainText().contains("cannot be read"));
    delete missing;
}
