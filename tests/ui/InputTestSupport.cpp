#include "InputTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "support/ScriptedPrompt.h"
#include "ui/AmbientGrid.h"

void ShowAndActivate(QWidget& w) {
    w.show();
    w.activateWindow();
    (void)QTest::qWaitForWindowExposed(&w);
    (void)QTest::qWaitForWindowActive(&w);
}

void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

void ClickCell(CAmbientGrid& grid, int row, int column) {
    const QRect r = grid.visualRect(grid.model()->index(row, column));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, r.center());
    Settle();
}

void TypeIntoCell(CAmbientGrid& grid, int row, int column, const QString& text) {
    ClickCell(grid, row, column);
    QWidget* editor = QApplication::focusWidget();
    if (!qobject_cast<QLineEdit*>(editor)) {
        // Already current: F2 opens the editor.
        QTest::keyClick(&grid, Qt::Key_F2);
        editor = QApplication::focusWidget();
    }
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
}

std::string LastText(const CScriptedPrompt& prompt) {
    return prompt.Entries().empty() ? std::string() : prompt.Entries().back().text;
}
