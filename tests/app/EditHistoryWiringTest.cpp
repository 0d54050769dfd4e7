// Undo and redo in the program: an edit in the input bar's ambient grid,
// taken back with Ctrl+Z in the main window and made again with Ctrl+Y and
// Ctrl+Shift+Z; the Edit menu names the edit and the history dock lists it.
#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QTest>
#include <QUndoView>

#include "GuiFixture.h"
#include "document/PlumexDoc.h"
#include "gui/CaseDocument.h"
#include "gui/EditHost.h"
#include "gui/MainFrame.h"
#include "ui/AmbientGrid.h"
#include "ui/InputBar.h"

class EditHistoryWiring : public GuiFixture {
protected:
    // Opens the cell's editor with a click and types the value, as a user does.
    static void TypeIntoCell(CAmbientGrid& grid, int row, int column, const QString& text) {
        const QRect cell = grid.visualRect(grid.model()->index(row, column));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        Settle();
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
    }
    // A shortcut typed in the main window, wherever its focus is.
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &Frame(), key, modifiers);
        Settle();
    }
};

TEST_F(EditHistoryWiring, CtrlZTakesBackAGridEditAndTheRedoKeysMakeItAgain) {
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    SettleActive();
    CCaseDocument* doc = m_app->Documents().front();
    CPlumexDoc& d = doc->Doc();
    const std::vector<unsigned char> before = d.SaveToBytes();
    const double depth = d.Ambient()->GetRow(1).m_dDepth;
    CAmbientGrid& grid = *Frame().InputBar()->Grid();
    ASSERT_GE(grid.LevelCount(), 2);
    EXPECT_FALSE(Frame().Action("edit.undo")->isEnabled());

    TypeIntoCell(grid, 1, 0, "45");
    ASSERT_EQ(d.Ambient()->GetRow(1).m_dDepth, 45.0);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Frame().Action("edit.undo")->text(), "&Undo Change Ambient Profile");

    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(d.Ambient()->GetRow(1).m_dDepth, depth);
    EXPECT_EQ(d.SaveToBytes(), before);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(grid.CellText(1, 0).toDouble(), depth);
    EXPECT_EQ(Frame().Action("edit.redo")->text(), "&Redo Change Ambient Profile");

    Keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(d.Ambient()->GetRow(1).m_dDepth, 45.0);
    EXPECT_EQ(grid.CellText(1, 0), "45");
    EXPECT_TRUE(doc->IsModified());
    Keys(Qt::Key_Z, Qt::ControlModifier);
    Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(d.Ambient()->GetRow(1).m_dDepth, 45.0);

    // The history dock lists the edit below the state it started from.
    ClickMenu("&View", "Edit history");
    QDockWidget* dock = Frame().Edits().Dock();
    EXPECT_TRUE(dock->isVisible());
    EXPECT_EQ(Frame().Edits().HistoryView()->model()->rowCount(), 2);
}
