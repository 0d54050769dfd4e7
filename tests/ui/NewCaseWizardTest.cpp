// The new-case wizard, clicked and typed through as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "InputTestSupport.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "run/RunAndWait.h"
#include "support/ScriptedPrompt.h"
#include "ui/AmbientGrid.h"
#include "ui/HelpBrowser.h"
#include "ui/JetForm.h"
#include "ui/NewCaseDlg.h"
#include "ui/NumberField.h"
#include "ui/OutfallForm.h"
#include "ui/RiserForm.h"
#include "validation/CaseValidation.h"

namespace {
QStringList TreeLines(const QTreeWidget& tree) {
    QStringList lines;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        lines << QString(depth * 2, ' ') + item->text(0);
        for (int i = 0; i < item->childCount(); ++i) walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i) walk(tree.topLevelItem(i), 0);
    return lines;
}

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override { doc.ResetToNew(); }
    void Open(bool noRiser = false) {
        wizard = std::make_unique<CNewCaseDlg>(doc, noRiser, PLUMEX_HELP_DIR);
        ShowAndActivate(*wizard);
    }
    void Click(QAbstractButton* b) {
        ASSERT_TRUE(b->isEnabled()) << b->text().toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
        Settle();
    }
    // Two levels, then on to the structure page.
    void ToStructurePage(bool noRiser) {
        Click(wizard->AddLevelButton());
        Click(wizard->AddLevelButton());
        Click(wizard->NextButton());
        Click(wizard->ScenarioRadio(noRiser ? 1 : 0));
        Click(wizard->NextButton());
        ASSERT_EQ(wizard->Page(), 2);
    }
    CAppState app;
    CScriptedPrompt prompt;
    CPlumexDoc doc{app, prompt};
    std::unique_ptr<CNewCaseDlg> wizard;
};
}  // namespace

TEST_F(WizardTest, TheHelpPaneIsTallAndNeverScrollsSideways) {
    Open();
    CHelpBrowser* help = wizard->Help();
    EXPECT_GE(help->height(), help->fontMetrics().height() * 12);
    // How far the page reaches past the pane's width (a table's border may
    // round to a pixel more).
    auto sideways = [help] {
        Settle();
        return help->horizontalScrollBar()->maximum();
    };
    EXPECT_FALSE(help->horizontalScrollBar()->isVisible());
    // The pictures of the pages are wider than the pane: they are shown at its width.
    EXPECT_LE(sideways(), 1) << "page 0";
    Click(wizard->AddLevelButton());
    Click(wizard->NextButton());
    EXPECT_LE(sideways(), 1) << "page 1";
    // Narrower still: the pictures follow the width.
    wizard->resize(wizard->width() * 2 / 3, wizard->height());
    EXPECT_LE(sideways(), 1) << "page 1, narrow";
    EXPECT_GT(help->ImageWidthLimit(), 0);
    EXPECT_LT(help->ImageWidthLimit(), help->width());
    Click(wizard->NextButton());
    EXPECT_LE(sideways(), 1) << "page 2, narrow";
    EXPECT_FALSE(help->horizontalScrollBar()->isVisible());
}

TEST_F(WizardTest, NextNeedsALevel) {
    Open();
    EXPECT_EQ(wizard->Help()->source().fileName(), "Ambienthelp.htm");
    EXPECT_FALSE(wizard->NextButton()->isEnabled());
    EXPECT_FALSE(wizard->FinishButton()->isEnabled());
    Click(wizard->AddLevelButton());
    CAmbientGrid& grid = *wizard->Grid();
    EXPECT_EQ(QStringList({grid.CellText(0, 0), grid.CellText(0, 1), grid.CellText(0, 2), grid.CellText(0, 3)}),
              QStringList({"0", "1.0246", "0", "0.05"}));
    EXPECT_TRUE(wizard->NextButton()->isEnabled());
    ClickCell(grid, 0, 0);
    Click(wizard->DeleteLevelButton());
    EXPECT_EQ(grid.LevelCount(), 0);
    EXPECT_FALSE(wizard->NextButton()->isEnabled());
}

TEST_F(WizardTest, ProfileOrderFaultsOnLeavingTheAmbientPage) {
    Open();
    Click(wizard->AddLevelButton());
    Click(wizard->AddLevelButton());
    TypeIntoCell(*wizard->Grid(), 1, 0, "0");
    Click(wizard->NextButton());
    EXPECT_EQ(LastText(prompt), "Invalid ambient depth of row 1 and row 2");
    EXPECT_EQ(wizard->Page(), 0);
    TypeIntoCell(*wizard->Grid(), 1, 0, "20");
    TypeIntoCell(*wizard->Grid(), 1, 1, "1.02");
    prompt.QueueAnswer(PromptAnswer::No);
    Click(wizard->NextButton());
    EXPECT_EQ(LastText(prompt), "Invalid ambient density of row 1 and row 2, proceed or not?");
    EXPECT_EQ(wizard->Page(), 0);
    Click(wizard->NextButton());  // Yes this time
    EXPECT_EQ(wizard->Page(), 1);
    EXPECT_EQ(wizard->Help()->source().fileName(), "twomode.htm");
}

TEST_F(WizardTest, OneCreateGivesOutfallRiserAndJet) {
    Open();
    ToStructurePage(false);
    EXPECT_EQ(wizard->Help()->source().fileName(), "Outfallhelp.htm");
    EXPECT_EQ(wizard->CreateButton()->text(), "Create an Outfall");
    EXPECT_FALSE(wizard->AddButton()->isEnabled());
    EXPECT_FALSE(wizard->FinishButton()->isEnabled());
    Click(wizard->CreateButton());
    EXPECT_EQ(TreeLines(*wizard->Tree()), QStringList({"Outfall_1", "  Riser1", "    Jet1"}));
    EXPECT_EQ(wizard->Tree()->currentItem()->text(0), "Jet1");
    EXPECT_EQ(wizard->CreateButton()->text(), "Nothing Create");
    EXPECT_FALSE(wizard->CreateButton()->isEnabled());
    EXPECT_EQ(wizard->DeleteButton()->text(), "Delete the Jet");
    EXPECT_EQ(wizard->AddButton()->text(), "Add a Jet");
    EXPECT_EQ(wizard->ItemGroup()->title(), "Jet Parameters");
    EXPECT_TRUE(wizard->FinishButton()->isEnabled());

    // Selecting the riser shows its form; a new riser comes with a jet.
    QTreeWidgetItem* riser = wizard->Tree()->topLevelItem(0)->child(0);
    QTest::mouseClick(wizard->Tree()->viewport(), Qt::LeftButton, {}, wizard->Tree()->visualItemRect(riser).center());
    Settle();
    EXPECT_EQ(wizard->Level(), 2);
    EXPECT_EQ(wizard->AddButton()->text(), "Add a Riser");
    Click(wizard->AddButton());
    EXPECT_EQ(TreeLines(*wizard->Tree()), QStringList({"Outfall_1", "  Riser1", "    Jet1", "  Riser2", "    Jet1"}));
    EXPECT_EQ(doc.GetCurrentRiser()->m_dDistance, 20.0);
}

TEST_F(WizardTest, WithoutRisersJetsStandOnTheOutfall) {
    Open(true);
    EXPECT_TRUE(wizard->ScenarioRadio(1)->isChecked());
    ToStructurePage(true);
    EXPECT_EQ(wizard->Help()->source().fileName(), "Outfallhelp_Noriser.htm");
    EXPECT_TRUE(doc.IsNoRiser());
    Click(wizard->CreateButton());
    Click(wizard->AddButton());
    EXPECT_EQ(TreeLines(*wizard->Tree()), QStringList({"Outfall_1", "  Jet1", "  Jet2"}));
    QTreeWidgetItem* first = wizard->Tree()->topLevelItem(0)->child(0);
    QTest::mouseClick(wizard->Tree()->viewport(), Qt::LeftButton, {}, wizard->Tree()->visualItemRect(first).center());
    Settle();
    const CurrentNames n = doc.GetCurrentNames();
    EXPECT_EQ(n.m_strOutfall + "/" + n.m_strRiser + "/" + n.m_strJet, "Outfall_1/Riser1/Jet1");
    EXPECT_EQ(wizard->Level(), 3);
    QTest::mouseClick(wizard->Tree()->viewport(), Qt::LeftButton, {},
                      wizard->Tree()->visualItemRect(wizard->Tree()->topLevelItem(0)).center());
    Settle();
    EXPECT_EQ(wizard->CreateButton()->text(), "Create a Jet");
}

TEST_F(WizardTest, FinishSetsTheWaterDepthFromTheLevels) {
    Open();
    Click(wizard->AddLevelButton());
    Click(wizard->AddLevelButton());
    TypeIntoCell(*wizard->Grid(), 1, 0, "0.5");
    Click(wizard->NextButton());
    Click(wizard->NextButton());
    Click(wizard->CreateButton());
    // A value typed into the jet form and left on Finish is stored.
    CJetForm* jet = wizard->Forms().m_pJet;
    jet->m_pDiameter->setFocus();
    QTest::keyClick(jet->m_pDiameter, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(jet->m_pDiameter, "0.25");
    Click(wizard->FinishButton());
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(doc.Ambient()->m_dWaterDepth, 20.0);
    EXPECT_EQ(doc.Ambient()->GetRowCount(), 2);
    EXPECT_EQ(doc.Ambient()->GetRow(1).m_dDepth, 0.5);
    EXPECT_EQ(doc.GetCurrentJet()->m_dDiameter, 0.25);
    EXPECT_FLOAT_EQ(static_cast<float>(doc.GetCurrentJet()->m_dCurrentAngle), doc.CurrentAngle());
}

TEST_F(WizardTest, TheStructurePageSetsWhetherNeighbouringPlumesMerge) {
    Open();
    ToStructurePage(false);
    QCheckBox* box = wizard->MergeBox();
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), "Merge neighbouring plumes");
    EXPECT_TRUE(box->isChecked());  // a new case merges
    Click(wizard->CreateButton());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    Settle();
    EXPECT_FALSE(doc.MergesPlumes());
    EXPECT_FALSE(box->isChecked());
    // Back to the scenarios and on again: the page shows the case's option.
    Click(wizard->BackButton());
    doc.SetRunOptions([&] {
        RunOptions o = doc.GetRunOptions();
        o.m_bMergePlumes = true;
        return o;
    }());
    Click(wizard->NextButton());
    EXPECT_TRUE(box->isChecked());
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    Settle();
    EXPECT_FALSE(doc.MergesPlumes());
    // The structure made before going back is still there.
    Click(wizard->FinishButton());
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_FALSE(doc.MergesPlumes());
}

TEST_F(WizardTest, RenamingAnItemRenamesItsRecord) {
    Open();
    ToStructurePage(false);
    Click(wizard->CreateButton());
    QLineEdit* name = wizard->NameField();
    name->setFocus();
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(name, "East port");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(doc.GetCurrentJet()->m_strName, "East port");
    EXPECT_EQ(wizard->Tree()->currentItem()->text(0), "East port");
    EXPECT_EQ(name->maxLength(), 60);
}

namespace {
// Presses Tab until the widget has the focus (at most 40 times).
// The window's own focus widget: keys reach it even while another program's
// window is active on the same display.
bool TabTo(QWidget* target) {
    QWidget* window = target->window();
    for (int i = 0; i < 40 && window->focusWidget() != target; ++i) {
        QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Tab);
        Settle();
    }
    return window->focusWidget() == target;
}
void Press(QWidget* w) {
    QTest::keyClick(w, Qt::Key_Space);
    Settle();
}
}  // namespace

TEST_F(WizardTest, KeyboardWalkToATwoRiserCaseThatTheModelComputes) {
    Open();
    ASSERT_TRUE(TabTo(wizard->AddLevelButton()));
    Press(wizard->AddLevelButton());
    Press(wizard->AddLevelButton());
    ASSERT_TRUE(TabTo(wizard->NextButton()));
    Press(wizard->NextButton());
    ASSERT_EQ(wizard->Page(), 1);
    ASSERT_TRUE(TabTo(wizard->NextButton()));
    Press(wizard->NextButton());
    ASSERT_EQ(wizard->Page(), 2);
    ASSERT_TRUE(TabTo(wizard->CreateButton()));
    Press(wizard->CreateButton());
    // Up from Jet1 selects Riser1; "Add a Riser" then adds Riser2 with a jet.
    ASSERT_TRUE(TabTo(wizard->Tree()));
    QTest::keyClick(wizard->Tree(), Qt::Key_Up);
    Settle();
    ASSERT_EQ(wizard->Level(), 2);
    ASSERT_TRUE(TabTo(wizard->AddButton()));
    Press(wizard->AddButton());
    ASSERT_TRUE(TabTo(wizard->FinishButton()));
    Press(wizard->FinishButton());
    ASSERT_EQ(wizard->result(), QDialog::Accepted);
    ASSERT_EQ(doc.GetOutfall(0)->GetRiserCount(), 2);
    EXPECT_EQ(doc.Ambient()->m_dWaterDepth, 20.0);

    qputenv("PLUMEX_MODEL", PLUMEX_REAL_MODEL);
    const bool computed = RunAndWait(doc, true);
    qunsetenv("PLUMEX_MODEL");
    ASSERT_TRUE(computed) << (prompt.Empty() ? std::string() : LastText(prompt));
    int jets = 0;
    doc.ForEachJet([&jets](int, int, int, CRiser&, CBase&, CJet& jet) {
        ++jets;
        EXPECT_GT(jet.GetSteps(), 0);
        EXPECT_GT(jet.GetDiskCount(), 1);
    });
    EXPECT_EQ(jets, 2);
}

// --- leaving a page keeps what was typed ---

TEST_F(WizardTest, BackOnTheFirstPageAsksBeforeTheLevelsAreLost) {
    Open();
    // Nothing typed yet: Back leaves at once.
    Click(wizard->BackButton());
    EXPECT_TRUE(prompt.Empty());
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
    EXPECT_FALSE(wizard->isVisible());

    Open();
    Click(wizard->AddLevelButton());
    Click(wizard->AddLevelButton());
    TypeIntoCell(*wizard->Grid(), 1, 0, "35");
    prompt.QueueAnswer(PromptAnswer::No);
    Click(wizard->BackButton());
    EXPECT_EQ(LastText(prompt), "Discard the new case? The ambient levels and the structure made so far are lost.");
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(wizard->Page(), 0);
    ASSERT_EQ(wizard->Grid()->LevelCount(), 2);
    EXPECT_EQ(wizard->Grid()->CellText(1, 0), "35");

    // Cancel and Escape ask the same; Yes gives the case up.
    prompt.QueueAnswer(PromptAnswer::No);
    QTest::keyClick(wizard.get(), Qt::Key_Escape);
    Settle();
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(prompt.Entries().size(), 2u);
    prompt.QueueAnswer(PromptAnswer::Yes);
    Click(wizard->CancelButton());
    EXPECT_EQ(prompt.Entries().size(), 3u);
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
    EXPECT_FALSE(wizard->isVisible());
}

TEST_F(WizardTest, BackFromTheStructureAndNextAgainKeepsTheStructure) {
    Open();
    ToStructurePage(false);
    Click(wizard->CreateButton());
    // A value typed and not yet stored goes back with the user.
    CJetForm* jet = wizard->Forms().m_pJet;
    jet->m_pDiameter->setFocus();
    QTest::keyClick(jet->m_pDiameter, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(jet->m_pDiameter, "0.25");
    Click(wizard->BackButton());
    ASSERT_EQ(wizard->Page(), 1);
    Click(wizard->NextButton());
    ASSERT_EQ(wizard->Page(), 2);
    EXPECT_TRUE(prompt.Empty());
    EXPECT_EQ(TreeLines(*wizard->Tree()), QStringList({"Outfall_1", "  Riser1", "    Jet1"}));
    EXPECT_EQ(wizard->NameField()->text(), "Jet1");
    EXPECT_EQ(wizard->Level(), 3);
    EXPECT_EQ(doc.GetCurrentJet()->m_dDiameter, 0.25);
    EXPECT_EQ(jet->m_pDiameter->text(), "0.25");
    EXPECT_TRUE(wizard->FinishButton()->isEnabled());

    // The other scenario kind: the structure goes only when the user agrees.
    Click(wizard->BackButton());
    Click(wizard->ScenarioRadio(1));
    prompt.QueueAnswer(PromptAnswer::No);
    Click(wizard->NextButton());
    EXPECT_EQ(LastText(prompt),
              "The structure was made for a scenario with risers. Delete it to make one without risers?");
    EXPECT_EQ(wizard->Page(), 1);
    EXPECT_EQ(doc.GetOutfallCount(), 1);
    EXPECT_FALSE(doc.IsNoRiser());
    Click(wizard->NextButton());  // Yes
    ASSERT_EQ(wizard->Page(), 2);
    EXPECT_TRUE(doc.IsNoRiser());
    EXPECT_EQ(doc.GetOutfallCount(), 0);
    EXPECT_EQ(wizard->Tree()->topLevelItemCount(), 0);
    // No item is left to name.
    EXPECT_EQ(wizard->NameField()->text(), "");
    EXPECT_FALSE(wizard->FinishButton()->isEnabled());
}

// --- what a new outfall starts with ---

TEST_F(WizardTest, ANewOutfallLiesOnTheSeaBedAndItsRiserFitsARealisticPipe) {
    Open();
    for (int i = 0; i < 3; ++i) Click(wizard->AddLevelButton());  // 0, 20 and 40 m
    Click(wizard->NextButton());
    Click(wizard->NextButton());
    Click(wizard->CreateButton());
    QTreeWidget* tree = wizard->Tree();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(0)).center());
    Settle();
    ASSERT_EQ(wizard->Level(), 1);
    COutfallForm* outfall = wizard->Forms().m_pOutfall;
    EXPECT_EQ(outfall->m_pDepth->text(), "40");
    EXPECT_EQ(outfall->m_pWidth->text(), "1");
    // A narrower pipe than the default still carries the default riser.
    outfall->m_pWidth->setFocus();
    QTest::keyClick(outfall->m_pWidth, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(outfall->m_pWidth, "0.8");
    QTest::keyClick(outfall->m_pWidth, Qt::Key_Return);
    Settle();
    QTreeWidgetItem* riser = tree->topLevelItem(0)->child(0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(riser).center());
    Settle();
    ASSERT_EQ(wizard->Level(), 2);
    Click(wizard->FinishButton());
    EXPECT_TRUE(prompt.Empty()) << LastText(prompt);
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(doc.GetOutfall(0)->m_dWidth, 0.8);
    std::string issues;
    for (const CaseIssue& i : ValidateCase(doc)) issues += i.m_strPath + ": " + i.m_strMessage + "\n";
    EXPECT_EQ(issues, "");
    // The jets stand within the profile: the run asks nothing.
    EXPECT_TRUE(doc.CheckDepth());
    EXPECT_TRUE(prompt.Empty()) << LastText(prompt);
}
