// Pictures of the new-case wizard's three pages, to look at (not a test):
//   wizard_screenshots OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "base/AppState.h"
#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "ui/AmbientGrid.h"
#include "ui/NewCaseDlg.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    CAppState state;
    CSilentPrompt prompt;
    CPlumexDoc doc(state, prompt);
    doc.ResetToNew();
    CNewCaseDlg wizard(doc, false, PLUMEX_HELP_DIR);
    wizard.show();
    (void)QTest::qWaitForWindowExposed(&wizard);
    wizard.activateWindow();
    (void)QTest::qWaitForWindowActive(&wizard);
    for (int i = 0; i < 3; ++i) QTest::mouseClick(wizard.AddLevelButton(), Qt::LeftButton);
    CAmbientGrid& grid = *wizard.Grid();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(1, 1)).center());
    QTest::qWait(200);
    wizard.grab().save(folder + "/wizard-page0.png");
    // The same levels as salinities with temperatures, the deepest one typed.
    if (auto* salinity = wizard.findChild<QRadioButton*>("salinityKind")) QTest::mouseClick(salinity, Qt::LeftButton);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(2, 2)).center());
    if (QWidget* editor = QApplication::focusWidget()) {
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, "12");
    }
    QTest::qWait(200);
    wizard.grab().save(folder + "/wizard-page0-salinity.png");
    QTest::mouseClick(wizard.NextButton(), Qt::LeftButton);
    QTest::qWait(200);
    wizard.grab().save(folder + "/wizard-page1.png");
    QTest::mouseClick(wizard.NextButton(), Qt::LeftButton);
    QTest::mouseClick(wizard.CreateButton(), Qt::LeftButton);
    QTest::qWait(200);
    wizard.grab().save(folder + "/wizard-page2.png");
    return 0;
}
