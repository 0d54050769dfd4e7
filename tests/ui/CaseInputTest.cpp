// The ambient grid, the item forms, the time-steps dialog and the profile
// plot, driven by real key and mouse events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "InputTestSupport.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "support/ScriptedPrompt.h"
#include "ui/AmbientGrid.h"
#include "ui/ItemFormSet.h"
#include "ui/JetForm.h"
#include "ui/MaxTimeStepsDlg.h"
#include "ui/NumberField.h"
#include "ui/OutfallForm.h"
#include "ui/ProfileKindBar.h"
#include "ui/ProfileWnd.h"
#include "ui/RiserForm.h"

namespace {
// The grid with the choice of its column 1 above it, as the wizard shows them.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(bar);
        layout->addWidget(&grid);
        window.resize(560, 420);
        ShowAndActivate(window);
        grid.AddLevel();
    }
    void Choose(QRadioButton* kind) {
        QTest::mouseClick(kind, Qt::LeftButton);
        Settle();
    }
    CScriptedPrompt prompt;
    QWidget window;
    CAmbientGrid& grid = *new CAmbientGrid(CheckSurface::Wizard, prompt, &window);
    CProfileKindBar* bar = new CProfileKindBar(grid, &window);
};
}  // namespace

TEST_F(GridTest, DepthZeroPassesAndANegativeDepthBringsTheOldTextBack) {
    TypeIntoCell(grid, 0, 0, "12.5");
    EXPECT_EQ(grid.CellText(0, 0), "12.5");
    TypeIntoCell(grid, 0, 0, "-0.01");
    EXPECT_EQ(grid.CellText(0, 0), "12.5");
    EXPECT_EQ(LastText(prompt), "Depth(m) of level 1: Please enter a positive number");
    prompt.Clear();
    TypeIntoCell(grid, 0, 0, "0");
    EXPECT_EQ(grid.CellText(0, 0), "0");
    EXPECT_TRUE(prompt.Empty());
}

TEST_F(GridTest, DensityLimitsAndRefusalsNameTheirField) {
    EXPECT_EQ(grid.ValueCaption(), "Density(g/ml)");
    EXPECT_TRUE(bar->DensityChoice()->isChecked());
    for (const char* refused : {"0.49", "1.51", "33"}) {
        TypeIntoCell(grid, 0, 1, refused);
        EXPECT_EQ(grid.CellText(0, 1), "1.0246") << refused;
        EXPECT_EQ(LastText(prompt), "Density(g/ml) of level 1: Please enter a number between 0.5 to 1.5");
    }
    prompt.Clear();
    for (const char* accepted : {"0.5", "1.5"}) {
        TypeIntoCell(grid, 0, 1, accepted);
        EXPECT_EQ(grid.CellText(0, 1), accepted);
    }
    EXPECT_TRUE(prompt.Empty());
    TypeIntoCell(grid, 0, 3, "-1");
    EXPECT_EQ(grid.CellText(0, 3), "0.05");
    EXPECT_EQ(LastText(prompt), "Current(m/s) of level 1: Current of Ambient water should not be negative");
}

TEST_F(GridTest, ATemperatureNeverTurnsADensityIntoASalinity) {
    // With densities the temperature is fixed at 0: typing one is refused,
    // and the level still holds its density.
    TypeIntoCell(grid, 0, 2, "10");
    EXPECT_EQ(LastText(prompt),
              "Temperature(deg) of level 1: not used with densities: choose salinity to give a temperature.");
    EXPECT_EQ(grid.CellText(0, 2), "0");
    EXPECT_EQ(grid.ValueCaption(), "Density(g/ml)");
    ASSERT_EQ(grid.Rows().size(), 1u);
    EXPECT_EQ(grid.Rows()[0].m_dValue, 1.0246);
    EXPECT_EQ(grid.Rows()[0].m_dTemperature, 0.0);

    // Chosen, salinities come with a temperature above 0.
    Choose(bar->SalinityChoice());
    EXPECT_EQ(grid.ValueCaption(), "Salinity(ppt)");
    EXPECT_EQ(grid.CellText(0, 2), "15");
    prompt.Clear();
    TypeIntoCell(grid, 0, 1, "33");
    TypeIntoCell(grid, 0, 2, "10");
    EXPECT_TRUE(prompt.Empty());
    EXPECT_EQ(grid.Rows()[0].m_dValue, 33.0);
    EXPECT_EQ(grid.Rows()[0].m_dTemperature, 10.0);
    TypeIntoCell(grid, 0, 2, "0");
    EXPECT_EQ(grid.CellText(0, 2), "10");
    EXPECT_EQ(LastText(prompt),
              "Temperature(deg) of level 1: Please enter a number above 0.0 and at most 40.0 (a temperature of 0 "
              "would make the value a density).");
    TypeIntoCell(grid, 0, 1, "40.5");
    EXPECT_EQ(grid.CellText(0, 1), "33");
    EXPECT_EQ(LastText(prompt), "Salinity(ppt) of level 1: Please enter a number between 0.0 to 40.0");
}

TEST_F(GridTest, TheDensityIsShownWhileALevelIsTyped) {
    ClickCell(grid, 0, 1);
    EXPECT_EQ(bar->DensityLabel()->text(), "Level 1: density 1.0246 g/mL.");
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "1.02");
    EXPECT_EQ(bar->DensityLabel()->text(), "Level 1: density 1.02 g/mL.");
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();

    Choose(bar->SalinityChoice());
    TypeIntoCell(grid, 0, 1, "35");
    ClickCell(grid, 0, 2);
    editor = QApplication::focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "10");
    EXPECT_EQ(bar->DensityLabel()->text(), "Level 1: 35 ppt at 10 \u00b0C gives a density of " +
                                               QString::number(CAmbient::Density(35.0, 10.0), 'f', 5) + " g/mL.");
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(bar->DensityLabel()->text(), "Level 1: give a temperature above 0 to compute the density.");
}

TEST_F(GridTest, SwitchingTheKindKeepsEveryLevelsDensity) {
    grid.AddLevel();
    TypeIntoCell(grid, 1, 1, "1.026");
    Choose(bar->SalinityChoice());
    ASSERT_TRUE(grid.Salinity());
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(grid.CellText(r, 2), "15");
        EXPECT_NEAR(CAmbient::Density(grid.Rows()[r].m_dValue, 15.0), r == 0 ? 1.0246 : 1.026, 1e-6);
    }
    Choose(bar->DensityChoice());
    ASSERT_FALSE(grid.Salinity());
    EXPECT_NEAR(grid.Rows()[0].m_dValue, 1.0246, 1e-6);
    EXPECT_NEAR(grid.Rows()[1].m_dValue, 1.026, 1e-6);
    EXPECT_EQ(grid.CellText(1, 2), "0");

    // A density no sea water salinity reaches keeps the levels as they are.
    TypeIntoCell(grid, 1, 1, "1.2");
    prompt.Clear();
    Choose(bar->SalinityChoice());
    EXPECT_FALSE(grid.Salinity());
    EXPECT_TRUE(bar->DensityChoice()->isChecked());
    EXPECT_EQ(grid.CellText(1, 1), "1.2");
    EXPECT_EQ(LastText(prompt),
              "Density(g/ml) of level 2: a density of 1.2 g/mL has no salinity between 0 and 40 ppt at 15 \u00b0C; the "
              "levels keep their densities.");
}

TEST_F(GridTest, KeysWithoutAnEditorFollowTheNumberRules) {
    ClickCell(grid, 0, 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Settle();
    ASSERT_EQ(QApplication::focusWidget(), &grid);
    QTest::keyClick(&grid, Qt::Key_Minus);  // the cell holds "0": refused
    QTest::keyClicks(&grid, "5.2.5x");      // the lone zero gives way; the second point and the letter are ignored
    EXPECT_EQ(grid.CellText(0, 0), "5.25");
    QTest::keyClick(&grid, Qt::Key_Backspace);
    EXPECT_EQ(grid.CellText(0, 0), "5.2");
    // Emptied, the cell takes a leading minus; leaving it checks the value.
    for (int i = 0; i < 4; ++i) QTest::keyClick(&grid, Qt::Key_Backspace);
    QTest::keyClicks(&grid, "-3");
    EXPECT_EQ(grid.CellText(0, 0), "-3");
    QTest::keyClick(&grid, Qt::Key_Right);
    Settle();
    EXPECT_EQ(grid.CellText(0, 0), "0");
    EXPECT_EQ(LastText(prompt), "Depth(m) of level 1: Please enter a positive number");
}

TEST_F(GridTest, AnAcceptedValueShowsAsTheNumberItIs) {
    // Typed over the "0" of a new level without an editor: 20, not 020.
    ClickCell(grid, 0, 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Settle();
    QTest::keyClicks(&grid, "20");
    EXPECT_EQ(grid.CellText(0, 0), "20");
    QTest::keyClick(&grid, Qt::Key_Right);
    Settle();
    EXPECT_EQ(grid.CellText(0, 0), "20");
    EXPECT_EQ(grid.Rows()[0].m_dDepth, 20.0);
    // Typed in the editor or pasted: leading and trailing zeros go.
    TypeIntoCell(grid, 0, 3, "0.050");
    EXPECT_EQ(grid.CellText(0, 3), "0.05");
    ClickCell(grid, 0, 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Settle();
    QApplication::clipboard()->setText("007.50");
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid.CellText(0, 0), "7.5");
    EXPECT_TRUE(prompt.Empty());
}

TEST(GridHeaderTest, NoCaptionIsCutInANarrowGridAndEachSaysItsUnit) {
    CScriptedPrompt prompt;
    for (CheckSurface surface : {CheckSurface::InputBar, CheckSurface::Wizard}) {
        CAmbientGrid grid(surface, prompt);
        grid.resize(180, 150);
        ShowAndActivate(grid);
        grid.AddLevel();
        QHeaderView* header = grid.horizontalHeader();
        const QFontMetrics fm = header->fontMetrics();
        for (int c = 0; c < 4; ++c) {
            const QTableWidgetItem* caption = grid.horizontalHeaderItem(c);
            EXPECT_GT(header->sectionSize(c), fm.horizontalAdvance(caption->text())) << caption->text().toStdString();
            EXPECT_FALSE(caption->toolTip().isEmpty());
        }
        // The short caption of the input bar is explained with its unit.
        EXPECT_TRUE(grid.horizontalHeaderItem(2)->toolTip().startsWith("Temperature"));
        EXPECT_TRUE(grid.horizontalHeaderItem(2)->toolTip().contains("\u00b0C"));
        // The caption that changes keeps its width and its tooltip follows it.
        grid.SetRows({{0.0, 35.0, 15.0, 0.1}, {20.0, 35.5, 12.0, 0.1}});
        const QTableWidgetItem* value = grid.horizontalHeaderItem(1);
        EXPECT_TRUE(value->text().contains("Salinity"));
        EXPECT_GT(header->sectionSize(1), fm.horizontalAdvance(value->text()));
        EXPECT_TRUE(value->toolTip().startsWith("Salinity"));
        EXPECT_TRUE(value->toolTip().contains("ppt"));
    }
}

TEST_F(GridTest, PasteIsCheckedLikeTyping) {
    ClickCell(grid, 0, 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Settle();
    QApplication::clipboard()->setText("-0.2");
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid.CellText(0, 3), "0.05");
    EXPECT_EQ(LastText(prompt), "Current(m/s) of level 1: Current of Ambient water should not be negative");
    QApplication::clipboard()->setText("0.3");
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid.CellText(0, 3), "0.3");
    QApplication::clipboard()->setText("1,5");
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid.CellText(0, 3), "0.3");
    EXPECT_EQ(LastText(prompt), "Current(m/s) of level 1: Please enter a number.");
}

TEST_F(GridTest, LevelsGoToASpreadsheetAndComeBackFromOneAsTabSeparatedRows) {
    QSignalSpy changes(&grid, &CAmbientGrid::levelsChanged);
    // Three levels pasted from a spreadsheet (with its captions and line
    // ends) into the first cell: the first level changes, two are added.
    ClickCell(grid, 0, 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Settle();
    QApplication::clipboard()->setText(
        "Depth\tDensity\tTemperature\tCurrent\r\n0\t1.025\t0\t0.1\r\n10\t1.0255\t0\t0.08\r\n030.0\t1.026\t0\t0.02\r\n");
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(grid.LevelCount(), 3);
    EXPECT_EQ(grid.Rows()[1], (ProfileRow{10.0, 1.0255, 0.0, 0.08}));
    EXPECT_EQ(grid.CellText(2, 0), "30");
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(prompt.Empty());
    // Copied back: the captions, then one line per level.
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Depth(m)\tDensity(g/ml)\tTemperature(deg)\tCurrent(m/s)\n"
              "0\t1.025\t0\t0.1\n10\t1.0255\t0\t0.08\n30\t1.026\t0\t0.02\n");

    // One refused value changes nothing and is named with its level.
    const std::vector<ProfileRow> before = grid.Rows();
    QApplication::clipboard()->setText("5\t1.025\t0\t0.1\n15\t1.026\t0\t-0.1\n");
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid.Rows(), before);
    EXPECT_EQ(LastText(prompt), "Current(m/s) of level 2: Current of Ambient water should not be negative");
    // A block wider than the room right of the current cell.
    ClickCell(grid, 1, 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Settle();
    QApplication::clipboard()->setText("0.1\t0.2\n");
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid.Rows(), before);
    EXPECT_EQ(LastText(prompt),
              "Current(m/s) of level 2: the pasted table has 2 columns; from this column there is room for 1.");
}

TEST_F(GridTest, NewLevelsContinueTheDepthSpacing) {
    grid.AddLevel();
    EXPECT_EQ(grid.CellText(1, 0), "20.00");
    EXPECT_EQ(grid.CellText(1, 1), "1.0246");
    grid.AddLevel();
    EXPECT_EQ(grid.CellText(2, 0), "40.00");
    TypeIntoCell(grid, 1, 0, "15");
    grid.removeRow(2);
    grid.AddLevel();
    EXPECT_EQ(grid.CellText(2, 0), "30.00");
    ClickCell(grid, 1, 0);
    grid.DeleteLevel();
    ASSERT_EQ(grid.LevelCount(), 2);
    EXPECT_EQ(grid.CellText(1, 0), "30.00");
    const std::vector<double> depths = grid.DepthColumn();
    EXPECT_EQ(depths, (std::vector<double>{0.0, 30.0}));
}

TEST(ItemFormTest, RefusedFieldValuesComeBackAsTheyWere) {
    CScriptedPrompt prompt;
    COutfallForm form(prompt);
    ShowAndActivate(form);
    OutfallData d;
    d.m_dSalinity = 30.0;
    form.Load(d);
    auto typeInto = [](QLineEdit* f, const char* text) {
        f->setFocus();
        QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Return);
        Settle();
    };
    typeInto(form.m_pSalinity, "100.5");
    EXPECT_EQ(form.m_pSalinity->text(), "30");
    EXPECT_EQ(LastText(prompt), "Salinity(ppt): Please enter a number between 0 and 100.");
    typeInto(form.m_pSalinity, "abc");
    EXPECT_EQ(form.m_pSalinity->text(), "30");
    EXPECT_EQ(LastText(prompt), "Salinity(ppt): Please enter a number.");
    typeInto(form.m_pSalinity, "100");
    EXPECT_EQ(form.Data().m_dSalinity, 100.0);
    // Escape brings the accepted text back.
    QTest::keyClicks(form.m_pSalinity, "7");
    QTest::keyClick(form.m_pSalinity, Qt::Key_Escape);
    EXPECT_EQ(form.m_pSalinity->text(), "100");
    // The focused field is yellow; Tab moves down the form.
    const QImage field = form.m_pSalinity->grab().toImage();
    EXPECT_EQ(field.pixelColor(4, field.height() / 2), QColor(255, 255, 0));
    QTest::keyClick(form.m_pSalinity, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.m_pDensity);

    CJetForm jet(prompt);
    ShowAndActivate(jet);
    jet.Load(JetData{});
    typeInto(jet.m_pHAngle, "360.5");
    EXPECT_EQ(jet.m_pHAngle->text(), "0");
    EXPECT_EQ(LastText(prompt), "Horizontal angle: Please enter a number between -360 and 360.");
    EXPECT_EQ(jet.LabelOf(jet.m_pSalinity)->text(), "Density(gm/mL)");
    typeInto(jet.m_pTemperature, "12");
    EXPECT_EQ(jet.LabelOf(jet.m_pSalinity)->text(), "Salinity(ppt)");
}

TEST(ItemFormTest, StoringStopsAtTheFirstRefusedRecordAndKeepsSmallValuesExact) {
    CAppState app;
    CScriptedPrompt prompt;
    CPlumexDoc doc(app, prompt);
    doc.ResetToNew();
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    CItemFormSet forms{new COutfallForm(prompt), new CRiserForm(prompt), new CJetForm(prompt)};
    forms.Load(doc);
    // A flow below the fields' four decimals survives a store untouched.
    doc.GetCurrentJet()->m_dFlow = 2.5e-5;
    forms.Load(doc);
    ASSERT_TRUE(forms.Commit(doc, 3, CheckSurface::Wizard));
    EXPECT_DOUBLE_EQ(doc.GetCurrentJet()->m_dFlow, 2.5e-5);

    // A port height above the riser: the outfall and riser are stored; the
    // port height comes back as stored, the jet's other new value is kept.
    forms.m_pOutfall->m_pLength->setText("150");
    forms.m_pRiser->m_pHeight->setText("3");
    forms.m_pJet->m_pPortHeight->setText("3.5");
    forms.m_pJet->m_pDiameter->setText("0.2");
    EXPECT_FALSE(forms.Commit(doc, 3, CheckSurface::Wizard));
    EXPECT_EQ(LastText(prompt),
              "Port height should be smaller than the riser height. Here: at most 3 m. Port Height(m) is back at its "
              "stored value.");
    EXPECT_EQ(doc.GetCurrentOutfall()->m_dLength, 150.0);
    EXPECT_EQ(doc.GetCurrentRiser()->m_dHeight, 3.0);
    EXPECT_EQ(forms.m_pJet->m_pPortHeight->text(), "1");
    EXPECT_EQ(doc.GetCurrentJet()->m_dPortHeight, 1.0);
    EXPECT_EQ(doc.GetCurrentJet()->m_dDiameter, 0.2);
    forms.m_pJet->m_pPortHeight->setText("3");
    EXPECT_TRUE(forms.Commit(doc, 3, CheckSurface::Wizard));
    EXPECT_EQ(doc.GetCurrentJet()->m_dPortHeight, 3.0);
    delete forms.m_pOutfall;
    delete forms.m_pRiser;
    delete forms.m_pJet;
}

TEST(MaxTimeStepsTest, OnlyOneTo5000IsTaken) {
    CScriptedPrompt prompt;
    CMaxTimeStepsDlg dialog(1500, prompt);
    ShowAndActivate(dialog);
    for (const char* refused : {"5001", "0", "12x"}) {
        dialog.Field()->selectAll();
        QTest::keyClicks(dialog.Field(), refused);
        QTest::keyClick(dialog.Field(), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << refused;
        EXPECT_EQ(dialog.Field()->text(), "1500");
    }
    EXPECT_EQ(prompt.Entries().size(), 3u);
    dialog.Field()->selectAll();
    QTest::keyClicks(dialog.Field(), "5000");
    QTest::keyClick(dialog.Field(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Steps(), 5000);
}

namespace {
// Centres of the red level marks in the picture (pixels within 6 px of a
// mark's first pixel belong to it).
std::vector<QPointF> RedMarks(const QImage& image) {
    struct Mark {
        QPoint first;
        double sx = 0, sy = 0;
        int n = 0;
    };
    std::vector<Mark> marks;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 200 || c.green() > 80 || c.blue() > 80) continue;
            Mark* mark = nullptr;
            for (Mark& m : marks)
                if (std::abs(m.first.x() - x) <= 6 && std::abs(m.first.y() - y) <= 6) mark = &m;
            if (!mark) {
                marks.push_back(Mark{QPoint(x, y)});
                mark = &marks.back();
            }
            mark->sx += x;
            mark->sy += y;
            ++mark->n;
        }
    std::vector<QPointF> centres;
    for (const Mark& m : marks) centres.push_back(QPointF(m.sx / m.n, m.sy / m.n));
    return centres;
}
}  // namespace

TEST(ProfilePlotTest, OneLevelSitsAtTickFifteenAndTheDepthAxisRoundsUp) {
    CAppState app;
    CScriptedPrompt prompt;
    CPlumexDoc doc(app, prompt);
    doc.ResetToNew();
    doc.SetProfile({{12.0, 1.025, 0.0, 0.1}});
    CProfileWnd wnd;
    wnd.resize(238, 200);
    wnd.SetDocument(&doc);
    const QImage image = wnd.grab().toImage().scaled(wnd.size());
    const std::vector<QPointF> marks = RedMarks(image);
    ASSERT_EQ(marks.size(), 1u);
    const QRect area = wnd.PlotArea();
    const int tick15 = area.left() + 15 * area.width() / 20;
    EXPECT_NEAR(marks[0].x(), tick15 + 0.5, 1.0);  // the 5-pixel mark's centre is half a pixel right
    // 12 m of a 20 m axis.
    EXPECT_NEAR(marks[0].y(), area.top() + area.height() * 12 / 20 + 0.5, 1.0);

    EXPECT_EQ(CProfileWnd::AxisDepth(35.0), 40);
    EXPECT_EQ(CProfileWnd::AxisDepth(40.0), 40);
    EXPECT_EQ(CProfileWnd::AxisDepth(0.5), 0);
    // Two levels, the lower one lighter: the second point lies left of the first.
    doc.SetProfile({{0.0, 1.026, 0.0, 0.1}, {35.0, 1.024, 0.0, 0.1}});
    const std::vector<QPointF> two = RedMarks(wnd.grab().toImage().scaled(wnd.size()));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_GT(two[0].x(), two[1].x());
    EXPECT_LT(two[0].y(), two[1].y());
    // A closed case is not drawn.
    wnd.SetDocument(nullptr);
    EXPECT_TRUE(RedMarks(wnd.grab().toImage()).empty());
}

TEST(ProfilePlotTest, OpensLargeEnoughToReadAndNoLabelTouchesAnAxis) {
    CAppState app;
    CScriptedPrompt prompt;
    CPlumexDoc doc(app, prompt);
    doc.ResetToNew();
    // A deep profile: the depth labels run to 120 m.
    doc.SetProfile({{0.0, 1.022, 0.0, 0.1}, {50.0, 1.025, 0.0, 0.1}, {115.0, 1.027, 0.0, 0.1}});
    CProfileWnd wnd;
    wnd.SetDocument(&doc);
    const QRect area = wnd.PlotArea();
    EXPECT_GE(area.width(), 240);
    EXPECT_GE(area.height(), 180);
    EXPECT_EQ(CProfileWnd::DepthLabel(120.0), "120");
    EXPECT_EQ(CProfileWnd::DepthLabel(30.0), "30");

    const QImage image = wnd.grab().toImage().scaled(wnd.size());
    // Text and axes are black (antialiased to grey); the levels' marks are red, their line green.
    auto dark = [&image](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return std::max({c.red(), c.green(), c.blue()}) < 160;
    };
    // The strip just left of the depth axis and the one just above the
    // density axis stay white: the labels end short of the axes (the arrow
    // heads at the axes' far ends aside).
    const int left = area.left(), top = area.top();
    for (int y = top + 2; y < top + area.height() - 4; ++y)
        for (int x = left - 3; x < left; ++x) EXPECT_FALSE(dark(x, y)) << "at " << x << ", " << y;
    for (int x = left + 2; x < wnd.width() - 10; ++x)
        for (int y = top - 3; y < top; ++y) EXPECT_FALSE(dark(x, y)) << "at " << x << ", " << y;
    // Labels are there, left of the depth axis and above the density axis.
    int labelPixels = 0, densityPixels = 0;
    for (int y = top; y < top + area.height(); ++y)
        for (int x = 0; x < left - 3; ++x) labelPixels += dark(x, y);
    for (int y = 0; y < top - 3; ++y)
        for (int x = left; x < wnd.width(); ++x) densityPixels += dark(x, y);
    EXPECT_GT(labelPixels, 40);
    EXPECT_GT(densityPixels, 40);
}

TEST(ProfilePlotTest, DrawsAtTheDevicesOwnResolutionAtRatioTwo) {
    CAppState app;
    CScriptedPrompt prompt;
    CPlumexDoc doc(app, prompt);
    doc.ResetToNew();
    doc.SetProfile({{0.0, 1.026, 0.0, 0.1}, {35.0, 1.024, 0.0, 0.1}});
    CProfileWnd wnd;
    wnd.resize(238, 200);
    wnd.SetDocument(&doc);
    QImage one(wnd.size(), QImage::Format_RGB32);
    wnd.render(&one);
    QImage two(wnd.size() * 2, QImage::Format_RGB32);
    two.setDevicePixelRatio(2.0);
    wnd.render(&two);
    two.setDevicePixelRatio(1.0);

    // The marks land at twice their places: sampled back down, they sit where
    // the plain picture has them.
    const std::vector<QPointF> low = RedMarks(one);
    const std::vector<QPointF> high = RedMarks(two.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    ASSERT_EQ(low.size(), 2u);
    ASSERT_EQ(high.size(), 2u);
    for (size_t i = 0; i < low.size(); ++i) {
        EXPECT_NEAR(high[i].x(), low[i].x(), 1.0);
        EXPECT_NEAR(high[i].y(), low[i].y(), 1.0);
    }
    // A picture painted at the finer grid has detail inside each 2x2 block of
    // device pixels (the text's edges); one blown up from the coarse grid has none.
    int detailed = 0;
    for (int y = 0; y + 1 < two.height(); y += 2)
        for (int x = 0; x + 1 < two.width(); x += 2) {
            const QRgb c = two.pixel(x, y);
            if (two.pixel(x + 1, y) != c || two.pixel(x, y + 1) != c || two.pixel(x + 1, y + 1) != c) ++detailed;
        }
    EXPECT_GT(detailed, 50);
}
