// The "Design conditions" dialog with real clicks: the conditions listed,
// a study run to its end into a table that sorts numbers as numbers and
// copies, Cancel, and a refused file told through the prompt.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "base/AppState.h"
#include "model/Case.h"
#include "model/CaseJson.h"
#include "study_ui/StudyDialog.h"
#include "study_ui/StudyResultsTable.h"
#include "support/ScriptedPrompt.h"

namespace {
class StudyDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("PLUMEX_MODEL", PLUMEX_REAL_MODEL);
        QFile f(PLUMEX_EXAMPLES_DIR "/demo.json");
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        std::vector<CaseJsonProblem> problems;
        ASSERT_TRUE(ReadCaseJson(f.readAll().toStdString(), m_Case, problems));
    }
    void TearDown() override { qunsetenv("PLUMEX_MODEL"); }

    CAppState m_App;
    CScriptedPrompt m_Prompt;
    CCase m_Case{m_App, m_Prompt};
};
}  // namespace

TEST_F(StudyDialogTest, RunsTheExampleIntoASortableCopyableTable) {
    CStudyDialog dialog(m_Case, m_Prompt);
    dialog.show();
    EXPECT_FALSE(dialog.RunButton()->isEnabled());
    ASSERT_TRUE(dialog.LoadConditions(PLUMEX_EXAMPLES_DIR "/conditions.csv"));
    EXPECT_EQ(dialog.ConditionList()->rowCount(), 12);
    EXPECT_EQ(dialog.ConditionList()->item(6, 0)->text(), "jul");
    EXPECT_EQ(dialog.ConditionList()->item(6, 2)->text(), "1.2");
    EXPECT_EQ(dialog.ConditionList()->item(6, 5)->text(), "ready");
    ASSERT_TRUE(dialog.RunButton()->isEnabled());

    QSignalSpy done(&dialog, &CStudyDialog::studyFinished);
    QTest::mouseClick(dialog.RunButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.CancelButton()->isEnabled());
    ASSERT_TRUE(done.wait(60000));
    CStudyResultsTable* table = dialog.Results();
    EXPECT_EQ(table->rowCount(), 12 * 9);
    EXPECT_EQ(dialog.Progress()->value(), 12);
    EXPECT_TRUE(dialog.SummaryText()->toPlainText().contains("(all jets),12,"));
    EXPECT_FALSE(dialog.CancelButton()->isEnabled());
    // PLUMEX_SHOT_DIR: a picture of the dialog after its run, to look at.
    if (qEnvironmentVariableIsSet("PLUMEX_SHOT_DIR"))
        dialog.grab().save(qEnvironmentVariable("PLUMEX_SHOT_DIR") + "/design_conditions.png");

    // A click on the header of the flux-average dilution sorts by its numbers.
    const int column = 5;
    QHeaderView* header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    double last = -1.0;
    for (int r = 0; r < table->rowCount(); ++r) {
        const double v = table->item(r, column)->text().toDouble();
        EXPECT_GE(v, last) << "row " << r;
        last = v;
    }
    EXPECT_GT(last, 100.0);  // dilutions of hundreds: not sorted as text ("99" > "100")

    // Ctrl+C on a selected cell copies it with its column's header.
    table->setCurrentCell(0, column);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Flux-average dilution\n" + table->item(0, column)->text() + "\n");
    // Copy with nothing selected copies every row under the header.
    table->clearSelection();
    QTest::mouseClick(dialog.CopyButton(), Qt::LeftButton);
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 12 * 9);
    EXPECT_TRUE(lines[0].startsWith("Condition\tJet\tRise (m)\t"));
}

TEST_F(StudyDialogTest, CancelStopsTheStudy) {
    QTemporaryDir dir;
    const QString path = dir.filePath("many.csv");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray text = "condition,depth,salinity,temperature,current\n";
        for (int i = 0; i < 2000; ++i)
            text += "c" + QByteArray::number(i) + ",0,33,20,0.1\nc" + QByteArray::number(i) + ",30,34.6,13,0.05\n";
        f.write(text);
    }
    CStudyDialog dialog(m_Case, m_Prompt);
    dialog.show();
    ASSERT_TRUE(dialog.LoadConditions(path));
    QSignalSpy done(&dialog, &CStudyDialog::studyFinished);
    QTest::mouseClick(dialog.RunButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dialog.Results()->rowCount() > 0, 30000);
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    ASSERT_TRUE(done.count() > 0 || done.wait(10000));
    EXPECT_TRUE(dialog.Status()->text().startsWith("Cancelled after ")) << dialog.Status()->text().toStdString();
    const int rows = dialog.Results()->rowCount();
    EXPECT_LT(rows, 2000 * 9);
    QTest::qWait(300);
    EXPECT_EQ(dialog.Results()->rowCount(), rows);  // nothing comes after Cancel
    EXPECT_TRUE(dialog.RunButton()->isEnabled());
}

TEST_F(StudyDialogTest, ARefusedFileIsToldAndChangesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.csv");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("condition,depth,salinity,density,temperature,current\n");
    }
    CStudyDialog dialog(m_Case, m_Prompt);
    ASSERT_TRUE(dialog.LoadConditions(PLUMEX_EXAMPLES_DIR "/conditions.csv"));
    EXPECT_FALSE(dialog.LoadConditions(path));
    ASSERT_FALSE(m_Prompt.Texts().empty());
    EXPECT_NE(m_Prompt.Texts().back().find("bad.csv is refused: line 1: density: mixed units"), std::string::npos)
        << m_Prompt.Texts().back();
    EXPECT_EQ(dialog.ConditionList()->rowCount(), 12);
}
