// The input bar on a small case: sections, tree operations, re-runs and
// the pick text, with real clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

#include "InputTestSupport.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "edit/EditHistory.h"
#include "support/ScriptedPrompt.h"
#include "ui/AmbientGrid.h"
#include "ui/DocEventBridge.h"
#include "ui/FarFieldForm.h"
#include "ui/InputBar.h"
#include "ui/JetForm.h"
#include "ui/NumberField.h"
#include "ui/OutfallForm.h"
#include "ui/RiserForm.h"

namespace {
class InputBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.ResetToNew();
        doc.SetProfile({{0.0, 1.025, 0.0, 0.1}, {30.0, 1.026, 0.0, 0.05}});
        doc.Create(TreeLevel::Outfall);
        doc.Create(TreeLevel::Riser);
        doc.Add(TreeLevel::Jet);
        doc.SetModifiedFlag(false);
        window.addDockWidget(Qt::RightDockWidgetArea, bar);
        window.resize(700, 900);
        bar->SetCase(&doc);
        QObject::connect(&events, &CDocEventBridge::docEvent, bar, &CInputBar::OnDocEvent);
        ShowAndActivate(window);
    }
    void ClickItem(QTreeWidgetItem* item) {
        QTreeWidget* tree = bar->Tree();
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        Settle();
    }
    void Click(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton);
        Settle();
    }
    CAppState app;
    CScriptedPrompt prompt;
    CPlumexDoc doc{app, prompt};
    CDocEventBridge events{doc};
    QMainWindow window;
    CInputBar* bar = new CInputBar(prompt, &window);
};
}  // namespace

TEST_F(InputBarTest, ShowsTheCaseAndFoldsItsSections) {
    EXPECT_EQ(bar->Grid()->LevelCount(), 2);
    EXPECT_EQ(bar->Grid()->ValueCaption(), "Density");
    EXPECT_EQ(bar->Tree()->topLevelItem(0)->child(0)->childCount(), 2);
    EXPECT_EQ(bar->Level(), 3);
    EXPECT_EQ(bar->SectionHeader(2)->text(), "-         Jet Parameters");
    const int itemHeaderY = bar->SectionHeader(2)->y();
    Click(bar->SectionHeader(1));
    EXPECT_EQ(bar->SectionHeader(1)->text(), "+         Outfall Structure");
    EXPECT_FALSE(bar->SectionBody(1)->isVisible());
    EXPECT_LT(bar->SectionHeader(2)->y(), itemHeaderY);
    EXPECT_LT(bar->SectionHeader(2)->y() - bar->SectionHeader(1)->geometry().bottom(), 10);
    Click(bar->SectionHeader(0));  // the ambient section stays open
    EXPECT_TRUE(bar->SectionBody(0)->isVisible());
    Click(bar->SectionHeader(1));
    EXPECT_TRUE(bar->SectionBody(1)->isVisible());
}

TEST_F(InputBarTest, TheBarKeepsItsWidthAtEveryLevelAndNeverCutsAControl) {
    // Squeezed by the window: the dock stops at the width its controls need.
    auto* centre = new QWidget;
    centre->setMinimumWidth(600);
    window.setCentralWidget(centre);
    window.resize(650, 900);
    window.resizeDocks({bar}, {10}, Qt::Horizontal);
    Settle();
    const int width = bar->width();
    const QScrollArea* scroll = bar->findChild<QScrollArea*>();
    const QWidget* controls = scroll->widget();
    for (QTreeWidgetItem* item : {bar->Tree()->topLevelItem(0), bar->Tree()->topLevelItem(0)->child(0),
                                  bar->Tree()->topLevelItem(0)->child(0)->child(0)}) {
        ClickItem(item);
        EXPECT_EQ(bar->width(), width) << bar->AddButton()->text().toStdString();
        // The controls are shown whole: no sideways scrolling.
        EXPECT_GE(scroll->viewport()->width(), controls->minimumSizeHint().width());
        EXPECT_EQ(controls->width(), scroll->viewport()->width());
        for (QAbstractButton* b : {bar->AddButton(), bar->DeleteButton()})
            EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
    }
}

TEST_F(InputBarTest, EveryFieldOfTheItemFormsTellsItsUnitInFull) {
    // The captions are short ("T. radius(m)"): each tip names the unit.
    const QStringList units = {"metres", "cubic metres per second", "degrees", "parts per thousand",
                               "grams per millilitre"};
    for (QWidget* form : {static_cast<QWidget*>(bar->Forms().m_pOutfall), static_cast<QWidget*>(bar->Forms().m_pRiser),
                          static_cast<QWidget*>(bar->Forms().m_pJet)})
        for (const CNumberField* field : form->findChildren<CNumberField*>()) {
            const QString tip = field->toolTip();
            EXPECT_TRUE(std::any_of(units.begin(), units.end(), [&tip](const QString& u) { return tip.contains(u); }))
                << field->objectName().toStdString() << ": " << tip.toStdString();
        }
}

TEST_F(InputBarTest, ResimulateRunsOneJetUnlessTheStructureChanged) {
    QSignalSpy runs(bar, &CInputBar::runRequested);
    ClickItem(bar->Tree()->topLevelItem(0)->child(0)->child(0));
    EXPECT_EQ(doc.GetCurrentNames().m_strJet, "Jet1");
    Click(bar->ResimulateButton());
    ASSERT_EQ(runs.count(), 1);
    EXPECT_FALSE(runs.takeFirst().at(0).toBool());

    Click(bar->AddButton());
    EXPECT_EQ(bar->AddButton()->text(), "Add a Jet");
    EXPECT_EQ(doc.GetCurrentRiser()->GetJetCount(), 3);
    Click(bar->ResimulateButton());
    ASSERT_EQ(runs.count(), 1);
    EXPECT_TRUE(runs.takeFirst().at(0).toBool());

    // A value the structure check refuses stops the run.
    CJetForm* jet = bar->Forms().m_pJet;
    jet->m_pDiameter->setText("0.00001");
    Click(bar->ResimulateButton());
    EXPECT_EQ(runs.count(), 0);
    EXPECT_EQ(LastText(prompt),
              "Jet diameter is too small, it should be equal to or greater than 1.0e-4m. Diameter (m) is back at its "
              "stored value.");
    EXPECT_EQ(jet->m_pDiameter->text(), "0.1");
}

TEST_F(InputBarTest, AnAddedRiserOrOutfallStaysSelectedThoughItComesWithItsJets) {
    ClickItem(bar->Tree()->topLevelItem(0)->child(0));
    ASSERT_EQ(bar->Level(), 2);
    Click(bar->AddButton());
    EXPECT_EQ(doc.GetOutfall(0)->GetRiserCount(), 2);
    // The new riser, not its last jet: the button under the mouse still adds a riser.
    EXPECT_EQ(bar->Level(), 2);
    EXPECT_EQ(bar->Tree()->currentItem(), bar->Tree()->topLevelItem(0)->child(1));
    EXPECT_EQ(bar->AddButton()->text(), "Add a Riser");
    EXPECT_EQ(doc.GetCurrentRiser(), doc.GetOutfall(0)->GetRiser(1));

    ClickItem(bar->Tree()->topLevelItem(0));
    Click(bar->AddButton());
    ASSERT_EQ(doc.GetOutfallCount(), 2);
    EXPECT_EQ(bar->Level(), 1);
    EXPECT_EQ(bar->Tree()->currentItem(), bar->Tree()->topLevelItem(1));
}

TEST_F(InputBarTest, ResimulateStoresTheGridAndAngleAndNeedsALevel) {
    QSignalSpy runs(bar, &CInputBar::runRequested);
    TypeIntoCell(*bar->Grid(), 1, 0, "45");
    bar->AngleField()->setText("30");
    Click(bar->ResimulateButton());
    EXPECT_EQ(runs.count(), 1);
    EXPECT_EQ(doc.Ambient()->GetRow(1).m_dDepth, 45.0);
    EXPECT_EQ(doc.CurrentAngle(), 30.0f);
    EXPECT_EQ(doc.GetCurrentJet()->m_dCurrentAngle, 30.0);
    EXPECT_TRUE(doc.IsModified());

    bar->Grid()->setRowCount(0);
    Click(bar->ResimulateButton());
    EXPECT_EQ(runs.count(), 1);
    EXPECT_EQ(LastText(prompt), "No ambient data");
}

TEST_F(InputBarTest, PickTextNamesThePickedJets) {
    const CJet* a = doc.GetOutfall(0)->GetRiser(0)->GetJet(0);
    const CJet* b = doc.GetOutfall(0)->GetRiser(0)->GetJet(1);
    bar->ShowPickResult(1, 2, 3, 0.25f, {a});
    EXPECT_EQ(bar->PickLabel()->text(), "<Outfall_1.Riser1.Jet1-0.2500>");
    bar->ShowPickResult(1, 2, 3, 12.5f, {a, b});
    EXPECT_EQ(bar->PickLabel()->text(), "<Riser1 / Jet1-12.5000><Riser1 / Jet2-12.5000>");
    bar->ShowPickResult(1, 2, 3, 0.0f, {a});
    EXPECT_EQ(bar->PickLabel()->text(), "Ready");
}

TEST_F(InputBarTest, ThePickedItemIsShownAndAClosedCaseIsLetGo) {
    doc.SelectPath("Outfall_1", "Riser1", "Jet2");  // as a pick in the 3-D view does
    bar->OnDocEvent(DocEvent::SelectionChanged);
    EXPECT_EQ(bar->Tree()->currentItem()->text(0), "Jet2");
    bar->SetCase(nullptr, true);
    EXPECT_EQ(bar->Case(), nullptr);
    EXPECT_FALSE(bar->isEnabled());
}

TEST_F(InputBarTest, AnEditAfterARunSaysTheResultsAreOld) {
    doc.ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) { j.m_KeyParams.m_nSteps = 3; });
    // Moving through the tree stores nothing new: the case stays unmodified.
    ClickItem(bar->Tree()->topLevelItem(0));
    ClickItem(bar->Tree()->topLevelItem(0)->child(0)->child(1));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(bar->StaleNote()->isVisible());

    CJetForm* jet = bar->Forms().m_pJet;
    jet->m_pVAngle->setFocus();
    QTest::keyClick(jet->m_pVAngle, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(jet->m_pVAngle, "45");
    QTest::keyClick(jet->m_pVAngle, Qt::Key_Return);
    Settle();
    EXPECT_EQ(doc.GetCurrentJet()->m_dVAngle, 45.0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(bar->StaleNote()->isVisible());
    doc.ClearResultsOutOfDate();  // as results placed by a run do
    EXPECT_FALSE(bar->StaleNote()->isVisible());
}

TEST_F(InputBarTest, UndoingAnEditAfterARunSaysTheResultsNoLongerMatch) {
    CEditHistory history(doc);
    bar->SetHistory(&history);
    CJetForm* jet = bar->Forms().m_pJet;
    const double angle = doc.GetCurrentJet()->m_dVAngle;
    jet->m_pVAngle->setFocus();
    QTest::keyClick(jet->m_pVAngle, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(jet->m_pVAngle, "45");
    QTest::keyClick(jet->m_pVAngle, Qt::Key_Return);
    Settle();
    ASSERT_EQ(history.Stack().count(), 1);
    // A run computes the jets with the new angle.
    doc.ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) { j.m_KeyParams.m_nSteps = 3; });
    doc.ClearResultsOutOfDate();
    EXPECT_FALSE(bar->StaleNote()->isVisible());

    history.Stack().undo();
    EXPECT_EQ(doc.GetCurrentJet()->m_dVAngle, angle);
    EXPECT_EQ(jet->m_pVAngle->Value(), angle);
    EXPECT_EQ(doc.GetCurrentJet()->GetSteps(), 3);
    EXPECT_TRUE(bar->StaleNote()->isVisible());
}

// --- a refused value ---

namespace {
// Types text over the field's text, then presses key (Tab leaves the field).
void TypeOver(QLineEdit* field, const char* text, Qt::Key key) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, key);
    Settle();
}
}  // namespace

TEST_F(InputBarTest, ARefusedValueComesBackNamedAndTheUserMayLeave) {
    CJetForm* jet = bar->Forms().m_pJet;
    // A diameter the case refuses: the stored one comes back and Tab goes on.
    TypeOver(jet->m_pDiameter, "0.00001", Qt::Key_Tab);
    EXPECT_EQ(LastText(prompt),
              "Jet diameter is too small, it should be equal to or greater than 1.0e-4m. Diameter (m) is back at its "
              "stored value.");
    EXPECT_EQ(jet->m_pDiameter->text(), "0.1");
    EXPECT_EQ(doc.GetCurrentJet()->m_dDiameter, 0.1);
    EXPECT_EQ(QApplication::focusWidget(), jet->m_pPortHeight);

    // A number outside the field's own range: named with the range, the old
    // text back, and the focus where the user sent it.
    TypeOver(jet->m_pVAngle, "400", Qt::Key_Tab);
    EXPECT_EQ(LastText(prompt), "Vertical angle(deg): Please enter a number between -360 and 360.");
    EXPECT_EQ(jet->m_pVAngle->text(), "0");
    EXPECT_EQ(QApplication::focusWidget(), jet->m_pHAngle);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), jet->m_pHAngle);

    // A riser value over the limit its outfall sets is told in numbers; the
    // riser's other new value is stored.
    ClickItem(bar->Tree()->topLevelItem(0)->child(0));
    CRiserForm* riser = bar->Forms().m_pRiser;
    TypeOver(riser->m_pHeight, "2", Qt::Key_Tab);
    TypeOver(riser->m_pBottomRadius, "0.9", Qt::Key_Return);
    EXPECT_EQ(LastText(prompt),
              "Bottom radius of riser should be within the range of 0.05m and 0.5*width/radius of outfall. Here: 0.05 "
              "to 0.5 m. B. radius(m) is back at its stored value.");
    EXPECT_EQ(riser->m_pBottomRadius->text(), "0.3");
    EXPECT_EQ(doc.GetCurrentRiser()->m_dBottomRadius, 0.3);
    EXPECT_EQ(doc.GetCurrentRiser()->m_dHeight, 2.0);
}

// --- the far field section ---

TEST_F(InputBarTest, FarFieldSettingsAreEditsThatCanBeTakenBack) {
    CEditHistory history(doc);
    bar->SetHistory(&history);
    CFarFieldForm* far = bar->FarFieldForm();
    ASSERT_NE(far, nullptr);
    far->Header()->setChecked(true);
    far->T90Field()->setFocus();
    TypeOver(far->T90Field(), "3", Qt::Key_Return);
    EXPECT_EQ(doc.GetFarField().m_dT90Hours, 3.0);
    TypeOver(far->MixingZoneField(), "2000", Qt::Key_Tab);
    EXPECT_EQ(doc.GetFarField().m_dMixingZone, 2000.0);
    ASSERT_EQ(history.Stack().count(), 2);
    EXPECT_EQ(history.Stack().undoText(), QString("Change Far field"));
    EXPECT_FALSE(doc.AreResultsOutOfDate());

    // A coefficient outside its range is refused with its name and comes back.
    const std::size_t messages = prompt.Texts().size();
    TypeOver(far->AlphaField(), "0.01", Qt::Key_Tab);
    ASSERT_GT(prompt.Texts().size(), messages);
    EXPECT_NE(prompt.Texts().back().find("Spreading coefficient"), std::string::npos) << prompt.Texts().back();
    EXPECT_EQ(doc.GetFarField().m_dAlpha, FarFieldSettings::kDefaultAlpha);
    EXPECT_EQ(far->AlphaField()->Value(), FarFieldSettings::kDefaultAlpha);
    EXPECT_EQ(history.Stack().count(), 2);

    // A point of interest, then the standard as a concentration.
    Click(far->AddPointButton());
    ASSERT_EQ(doc.GetFarField().m_Points.size(), 1u);
    EXPECT_EQ(far->Points()->rowCount(), 1);
    EXPECT_GT(doc.GetFarField().m_Points[0].m_dDistance, 2000.0);
    far->StandardKind()->setCurrentIndex(1);
    Settle();
    EXPECT_FALSE(doc.GetFarField().m_bStandardIsDilution);

    history.Stack().undo();
    history.Stack().undo();
    history.Stack().undo();
    EXPECT_EQ(doc.GetFarField().m_dT90Hours, 3.0);
    EXPECT_EQ(doc.GetFarField().m_dMixingZone, 100.0);
    EXPECT_EQ(far->MixingZoneField()->Value(), 100.0);
    EXPECT_EQ(far->Points()->rowCount(), 0);
}
