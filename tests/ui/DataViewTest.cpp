// The data pane with real key and mouse events: the cut plane's kinds,
// distance and disk edits against the document's plane, the dilution box,
// the probe boxes, the pages and the key-parameter dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <map>

#include "SectionCase.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "geometry/CutPlane.h"
#include "geometry/SectionStats.h"
#include "support/ScriptedPrompt.h"
#include "ui/AreaInfoPage.h"
#include "ui/DataView.h"
#include "ui/DiskInfoPage.h"
#include "ui/DocEventBridge.h"
#include "ui/KeyParametersDialog.h"

namespace {
class DataViewTest : public ::testing::Test {
protected:
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CPlumexDoc m_doc{m_app, m_prompt};
    CDocEventBridge m_bridge{m_doc};
    std::unique_ptr<CDataView> m_view;

    // Two straight jets; the ambient profile ends at 20 m.
    void MakeCase(bool results = true) {
        if (results) {
            StraightJet a, b;
            b.m_dStart[1] = 6.0;
            BuildSectionCase(m_doc, {a, b});
        } else {
            m_doc.Create(TreeLevel::Outfall);
        }
        m_doc.SetProfile({{0.0, 1.02, 0.0, 0.3}, {20.0, 1.025, 0.0, 0.1}});
        m_view = std::make_unique<CDataView>(m_doc);
        QObject::connect(&m_bridge, &CDocEventBridge::docEvent, m_view.get(), &CDataView::OnDocEvent);
        m_view->resize(300, 700);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));
    }
    template <typename T>
    T* Find(const char* name) {
        T* w = m_view->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* Box(const char* name) { return Find<QLineEdit>(name); }
    // Clicks the radio button's indicator.
    void Choose(int kind) {
        QRadioButton* r = Find<QRadioButton>(QString("kind%1").arg(kind).toLatin1());
        QTest::mouseClick(r, Qt::LeftButton, Qt::NoModifier, QPoint(8, r->height() / 2));
    }
    // Clicks into the box, selects its text and types over it.
    void TypeInto(const char* name, const QString& text) {
        QLineEdit* box = Box(name);
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }
    const CCutPlane& Plane() const { return m_doc.m_CutPlane; }
};
}  // namespace

TEST_F(DataViewTest, DistanceUpToTwentyFiveDepthsIsTakenBeyondIsRefusedAndTheOldOneComesBack) {
    MakeCase();
    // The pane shows the case's own plane (horizontal for a new case).
    ASSERT_EQ(m_view->Kind(), static_cast<int>(Plane().m_eKind));
    Choose(1);
    ASSERT_EQ(m_view->Kind(), 1);
    TypeInto("distance", "500");
    EXPECT_DOUBLE_EQ(Plane().m_dDistance, 500.0);
    EXPECT_EQ(Plane().m_eKind, CutPlaneKind::SideView);
    EXPECT_TRUE(m_prompt.Empty());

    QTest::keyClicks(Box("distance"), ".001");
    ASSERT_FALSE(m_prompt.Empty());
    EXPECT_EQ(m_prompt.Texts().back(), CDataView::kTooFar);
    EXPECT_EQ(Box("distance")->text(), "500");
    EXPECT_DOUBLE_EQ(Plane().m_dDistance, 500.0);
    EXPECT_DOUBLE_EQ(m_view->Distance(), 500.0);
}

TEST_F(DataViewTest, KindsSetTheirAnglesFromTheCurrentDirection) {
    MakeCase();
    ASSERT_FLOAT_EQ(m_doc.CurrentAngle(), 90.0f);
    Choose(1);
    EXPECT_EQ(Box("hAngle")->text(), "90");
    EXPECT_EQ(Box("vAngle")->text(), "0");
    EXPECT_DOUBLE_EQ(Plane().m_dHAngle, 180.0);  // shown angle + 90
    Choose(2);
    EXPECT_EQ(Box("hAngle")->text(), "0");
    EXPECT_EQ(Plane().m_eKind, CutPlaneKind::CrossSection);

    // The angles are typed only for a user-specified plane.
    EXPECT_FALSE(Box("hAngle")->isEnabled());
    Choose(4);
    ASSERT_TRUE(Box("hAngle")->isEnabled());
    TypeInto("hAngle", "30");
    EXPECT_DOUBLE_EQ(Plane().m_dHAngle, 120.0);
    Choose(0);
    EXPECT_EQ(Box("hAngle")->text(), "30");
    EXPECT_EQ(Box("vAngle")->text(), "90");
    EXPECT_DOUBLE_EQ(Plane().m_dVAngle, 90.0);
    EXPECT_DOUBLE_EQ(Plane().m_dHAngle, 120.0);
    EXPECT_FALSE(Box("hAngle")->isEnabled());

    // Out of range is refused with the range message; the plane keeps its angle.
    Choose(4);
    TypeInto("vAngle", "361");
    ASSERT_FALSE(m_prompt.Empty());
    EXPECT_EQ(m_prompt.Texts().back(), "V.Angle: Please enter a number between -360 and 360.");
    EXPECT_DOUBLE_EQ(Plane().m_dVAngle, 36.0);  // "36" was taken on the way
    EXPECT_EQ(Box("vAngle")->text(), "36");
}

TEST_F(DataViewTest, TheCompositeDilutionShowsForTheCrossSectionOnly) {
    MakeCase();
    double c[3];
    DiskCentre(*m_doc.GetCurrentRiser()->m_Jets[0], 90, c);
    Choose(2);
    // The cross-section plane runs across the jets (along model x).
    TypeInto("distance", QString::number(c[0] + 0.3));
    ASSERT_GT(m_doc.m_SectionStats.m_dTotalArea, 0.0);
    EXPECT_TRUE(Box("dilution")->isVisible());
    EXPECT_DOUBLE_EQ(m_view->Dilution(), CCutPlane::TruncateDecimals(m_doc.m_SectionStats.m_dDilution, 3));
    EXPECT_EQ(Box("dilution")->text(), QString::asprintf("%.3f", m_view->Dilution()));
    EXPECT_GT(m_view->Dilution(), 0.0);
    // The area page shows the new section.
    EXPECT_EQ(Box("totalArea")->text(), QString::number(m_doc.m_SectionStats.m_dTotalArea, 'f', 3));
    EXPECT_LE(Box("totalArea")->text().size(), 10);
    Choose(1);
    EXPECT_FALSE(Box("dilution")->isVisible());
    Choose(3);
    EXPECT_FALSE(Box("dilution")->isVisible());
}

TEST_F(DataViewTest, APaneMadeOnACaseShowsThePlaneTheCaseHolds) {
    StraightJet a;
    BuildSectionCase(m_doc, {a});
    m_doc.SetProfile({{0.0, 1.02, 0.0, 0.3}, {20.0, 1.025, 0.0, 0.1}});
    const double h = (90.0 - m_doc.CurrentAngle()) + 90.0;
    m_doc.SetCutPlane(h, 0.0, 40.0, 200, CutPlaneKind::CrossSection, true);
    // A pane made afterwards, as for a reopened case.
    m_view = std::make_unique<CDataView>(m_doc);
    EXPECT_TRUE(Find<QRadioButton>("kind2")->isChecked());
    EXPECT_EQ(Box("distance")->text().toDouble(), 40.0);
    EXPECT_EQ(Plane().m_eKind, CutPlaneKind::CrossSection);
}

TEST_F(DataViewTest, ACrossSectionThatCutsNoJetSaysSoInsteadOfADilutionOfZero) {
    MakeCase();
    Choose(2);
    TypeInto("distance", "-20");
    ASSERT_EQ(m_doc.m_SectionStats.m_nPolygons, 0);
    EXPECT_EQ(Box("dilution")->text(), QString("none"));
    EXPECT_FALSE(Box("dilution")->toolTip().isEmpty());
    // Back onto the jets: the figure returns.
    double c[3];
    DiskCentre(*m_doc.GetCurrentRiser()->m_Jets[0], 90, c);
    TypeInto("distance", QString::number(c[0] + 0.3));
    EXPECT_EQ(Box("dilution")->text(), QString::asprintf("%.3f", m_view->Dilution()));
    EXPECT_TRUE(Box("dilution")->toolTip().isEmpty());
}

TEST_F(DataViewTest, DiskSpinStopsAtTheLastDiskAndTheScrollBarWalksTheDisks) {
    MakeCase();
    Choose(3);
    EXPECT_TRUE(Box("diskNo")->isVisible());
    EXPECT_FALSE(Box("distance")->isVisible());
    // 200 disks: the default disk 200 is corrected to the last one, 199.
    EXPECT_EQ(m_view->DiskNo(), 199);
    EXPECT_EQ(Box("diskNo")->text(), "199");
    TypeInto("diskNo", "198");
    EXPECT_EQ(Plane().m_nDiskNo, 198);
    auto* up = Find<QToolButton>("diskSpinUp");
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(m_view->DiskNo(), 199);
    EXPECT_EQ(Plane().m_nDiskNo, 199);

    QTest::mouseClick(Find<QTabWidget>("outputTabs")->tabBar(), Qt::LeftButton, Qt::NoModifier,
                      Find<QTabWidget>("outputTabs")->tabBar()->tabRect(1).center());
    QScrollBar* bar = Find<QScrollBar>("diskScroller");
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 199);
    bar->setFocus();
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(bar->value(), 189);
    EXPECT_EQ(Box("diskNumber")->text(), "189");
    EXPECT_EQ(m_doc.GetCurrentJet()->m_nCurrentDisk, 189);
}

TEST_F(DataViewTest, ProbeBoxesKeepTheirValuesWithoutResultsAndShowTheProbeWithThem) {
    MakeCase(false);
    m_doc.m_CutPlane.m_fProbe[0] = 1.7f;  // held as 1.70000005
    m_doc.m_CutPlane.m_fProbe[1] = -2.0f;
    m_doc.m_CutPlane.m_fProbe[2] = 3.25f;
    m_doc.m_CutPlane.m_fProbeValue = 0.125f;
    m_doc.UpdateAllViews();
    EXPECT_EQ(Box("probeX")->text(), "0");
    EXPECT_EQ(Box("probeConc")->text(), "0");

    StraightJet a;
    BuildSectionCase(m_doc, {a});
    m_doc.UpdateAllViews();
    EXPECT_EQ(Box("probeX")->text(), "1.7");
    EXPECT_EQ(Box("probeY")->text(), "-3.25");  // the world's z reversed
    EXPECT_EQ(Box("probeZ")->text(), "-2");     // the world's y
    EXPECT_EQ(Box("probeConc")->text(), "0.125");
}

TEST(DiskPageTest, EachValueShowsWithItsUnitAndNoMoreDigitsThanItHolds) {
    CDialogDiskInfo page;
    DiskInfo d;
    d.m_nIndex = 17;
    d.m_dX = 12.3456789;
    d.m_dY = -0.5;
    d.m_dZ = 3.0;
    d.m_dRadius = 0.0754321;
    d.m_dThickness = 0.00744213;
    d.m_dHAngle = 3.1415926 / 2;
    d.m_dVAngle = 0.1;
    d.m_dVelocity = 2.829421;
    d.m_dMaxConc = 0.0123456;
    d.m_dDilution = 81.04;
    d.m_dMeanConc = 0.000987654;
    page.Fill(d);
    auto* grid = qobject_cast<QGridLayout*>(page.layout());
    ASSERT_NE(grid, nullptr);
    // The text of each box and of the label right of it.
    auto shown = [&](const char* name) {
        auto* box = page.findChild<QLineEdit*>(name);
        if (!box) return QString("no box ") + name;
        int row = -1, col = -1, rs = 0, cs = 0;
        grid->getItemPosition(grid->indexOf(box), &row, &col, &rs, &cs);
        QLayoutItem* right = grid->itemAtPosition(row, col + 1);
        auto* unit = right ? qobject_cast<QLabel*>(right->widget()) : nullptr;
        return box->text() + (unit ? " " + unit->text() : QString());
    };
    EXPECT_EQ(shown("diskNumber"), "17");
    EXPECT_EQ(shown("diskX"), "12.346 m");
    EXPECT_EQ(shown("diskY"), "-0.500 m");
    EXPECT_EQ(shown("diskZ"), "3.000 m");
    EXPECT_EQ(shown("diskRadius"), "0.075 m");
    EXPECT_EQ(shown("diskThickness"), "0.0074 m");
    EXPECT_EQ(shown("diskHAngle"), "90.00 deg.");
    EXPECT_EQ(shown("diskVAngle"), "5.73 deg.");
    EXPECT_EQ(shown("diskVelocity"), "2.829 m/s");
    EXPECT_EQ(shown("diskMaxConc"), "0.01235");
    EXPECT_EQ(shown("diskDilution"), "81.0");
    EXPECT_EQ(shown("diskMeanConc"), "0.0009877");
    // Concentrations have no unit: their tooltips say what they are relative to.
    EXPECT_TRUE(page.findChild<QLineEdit*>("diskMeanConc")->toolTip().contains("relative to the effluent"));
}

TEST_F(DataViewTest, ProbePositionSaysItsUnitAndTheConcentrationWhatItIsRelativeTo) {
    MakeCase();
    auto* grid = qobject_cast<QGridLayout*>(Box("probeZ")->parentWidget()->layout());
    ASSERT_NE(grid, nullptr);
    int row = -1, col = -1, rs = 0, cs = 0;
    grid->getItemPosition(grid->indexOf(Box("probeZ")), &row, &col, &rs, &cs);
    QLayoutItem* right = grid->itemAtPosition(row, col + 1);
    ASSERT_NE(right, nullptr);
    auto* unit = qobject_cast<QLabel*>(right->widget());
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->text(), "m");
    EXPECT_TRUE(Box("probeConc")->toolTip().contains("relative to the effluent"));
}

TEST_F(DataViewTest, KeyParametersNeedAComputedJet) {
    MakeCase();
    auto* tabs = Find<QTabWidget>("outputTabs");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(2).center());
    auto* button = Find<QPushButton>("keyParameters");
    ASSERT_TRUE(button->isVisible());
    EXPECT_FALSE(Find<QScrollBar>("diskScroller")->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_FALSE(m_prompt.Empty());
    EXPECT_EQ(m_prompt.Texts().back(), CDataView::kNoKeyParameters);

    CJet& jet = *m_doc.GetCurrentJet();
    jet.m_KeyParams.m_nSteps = 42;
    jet.m_KeyParams.m_dQj = 0.0125;
    jet.m_KeyParams.m_dlM = 3.5;
    QString qj, name, copied;
    bool closed = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dlg = qobject_cast<CSubDialog*>(w); dlg && dlg->isVisible()) {
                qj = dlg->findChild<QLineEdit*>("Qj")->text();
                name = dlg->findChild<QLineEdit*>("jetName")->text();
                QTest::mouseClick(dlg->findChild<QPushButton*>("copyValues"), Qt::LeftButton);
                copied = QApplication::clipboard()->text();
                for (QPushButton* b : dlg->findChildren<QPushButton*>())
                    if (b->text() == "Close") {
                        QTest::mouseClick(b, Qt::LeftButton);
                        closed = true;
                    }
            }
    });
    const std::size_t before = m_prompt.Entries().size();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(m_prompt.Entries().size(), before);
    EXPECT_EQ(qj, "0.0125");
    EXPECT_TRUE(closed);
    // Copy gives the values as label and value pairs for a spreadsheet.
    EXPECT_TRUE(copied.contains("Qj (m^3/s)\t0.0125\tMj (m^4/s^2)\t")) << copied.toStdString();
    EXPECT_TRUE(copied.contains("lM (m)\t3.5")) << copied.toStdString();
    EXPECT_TRUE(copied.contains("Computed alone")) << copied.toStdString();
    // Named with its riser: every riser may have a jet of that name.
    EXPECT_EQ(name, "Riser1 / " + QString::fromStdString(jet.m_strName));
}

TEST_F(DataViewTest, TheMoreInfoPageAndTheKeyParametersTellWhereTheCurrentJetsPlumeMerged) {
    MakeCase();
    auto* tabs = Find<QTabWidget>("outputTabs");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(2).center());
    QLabel* label = Find<QLabel>("rowMerging");
    EXPECT_TRUE(label->text().isEmpty()) << "no results: nothing to say";

    CBase& riser = *m_doc.GetCurrentRiser();
    for (auto& j : riser.m_Jets) j->m_KeyParams.m_nSteps = j->GetDiskCount();
    CRowMerging& row = riser.m_Jets[0]->m_KeyParams.m_Row;
    row.m_nPorts = 6;
    row.m_dSpacing = 3.0;
    row.m_bMerged = true;
    row.m_dZ = 3.2;
    row.m_dX = 0.75;
    row.m_dDilution = 41.25;
    row.m_dHalfWidth = 2.5;
    riser.m_nCurrentJet = 0;
    m_doc.UpdateAllViews();
    EXPECT_EQ(label->text(), "Row of 6 ports, plumes merge 3.20 m above the port at dilution 41.2.");
    EXPECT_TRUE(label->isVisible());

    // Another jet becomes the current one: its own row.
    riser.m_nCurrentJet = 1;
    m_doc.NotifySelection();
    EXPECT_EQ(label->text(), "Computed alone.");

    // The dialog: the row's values for the first jet, one line for the second.
    std::map<QString, QString> shown;
    bool alone = false;
    const auto readDialog = [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dlg = qobject_cast<CSubDialog*>(w); dlg && dlg->isVisible()) {
                for (const char* name :
                     {"rowPorts", "rowMerged", "mergeZ", "mergeX", "mergeDilution", "fieldHalfWidth"})
                    if (auto* box = dlg->findChild<QLineEdit*>(name)) shown[name] = box->text();
                alone = dlg->findChild<QLabel*>("rowAlone") != nullptr;
                dlg->accept();
            }
    };
    QTimer::singleShot(0, readDialog);
    QTest::mouseClick(Find<QPushButton>("keyParameters"), Qt::LeftButton);
    EXPECT_TRUE(alone);
    EXPECT_TRUE(shown.empty());

    riser.m_nCurrentJet = 0;
    m_doc.NotifySelection();
    QTimer::singleShot(0, readDialog);
    QTest::mouseClick(Find<QPushButton>("keyParameters"), Qt::LeftButton);
    EXPECT_FALSE(alone);
    EXPECT_EQ(shown["rowPorts"], "6");
    EXPECT_EQ(shown["rowMerged"], "yes");
    EXPECT_EQ(shown["mergeZ"], "3.2");
    EXPECT_EQ(shown["mergeX"], "0.75");
    EXPECT_EQ(shown["mergeDilution"], "41.25");
    EXPECT_EQ(shown["fieldHalfWidth"], "2.5");
}

TEST_F(DataViewTest, TheEditBoxWithTheFocusIsYellow) {
    MakeCase();
    QLineEdit* box = Box("distance");
    QTest::mouseClick(box, Qt::LeftButton);
    ASSERT_TRUE(box->hasFocus());
    const QImage shot = box->grab().toImage();
    EXPECT_EQ(shot.pixelColor(box->width() - 5, box->height() / 2), QColor(255, 255, 0));
    QTest::mouseClick(Box("hAngle"), Qt::LeftButton);  // disabled: the focus stays
    Choose(4);
    QTest::mouseClick(Box("hAngle"), Qt::LeftButton);
    EXPECT_NE(box->grab().toImage().pixelColor(box->width() - 5, box->height() / 2), QColor(255, 255, 0));
}

TEST(AreaPageTest, CopyValuesGivesEachFigureWithItsLabelForASpreadsheet) {
    CDialogAreaInfo page;
    CSectionStats stats;
    stats.m_dTotalArea = 12.5;
    stats.m_dSumOfArea = 13.25;
    stats.m_Selected.m_dHSpan = 3.0;
    page.Fill(stats);
    auto* copy = page.findChild<QAction*>("copyValues");
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(page.actions().contains(copy)) << "offered in the page's context menu";
    copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Total Area(m^2)\t12.500\nSum of Area(m^2)\t13.250\nSelected Jet Area\t0.000\n"
              "Horizontal Span(m)\t3.000\nVertical Span(m)\t0.000\n");
}

// The fourth page gives the current outfall's far field, and follows its settings.
TEST_F(DataViewTest, FarFieldPageShowsTheCurrentOutfallsMixingZone) {
    MakeCase();
    QTabWidget* tabs = Find<QTabWidget>("outputTabs");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(3), "Far field");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(3).center());
    EXPECT_EQ(tabs->currentIndex(), 3);
    m_doc.UpdateAllViews();
    double lowest = 1e300;
    m_doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
        if (j.GetDiskCount() > 0) lowest = std::min(lowest, j.m_pDisplay->m_Disks.back().m_dDilution);
    });
    EXPECT_EQ(Box("farStartDilution")->text(), QString::number(lowest, 'f', 1));
    const QString edge100 = Box("farEdgeDilution")->text();
    ASSERT_FALSE(edge100.isEmpty());
    FarFieldSettings f = m_doc.GetFarField();
    f.m_dMixingZone = 3000.0;
    m_doc.SetFarField(f);
    EXPECT_GT(Box("farEdgeDilution")->text().toDouble(), edge100.toDouble());
    EXPECT_TRUE(Find<QLabel>("farVerdict")->text().startsWith("Edge 3000 m: "))
        << Find<QLabel>("farVerdict")->text().toStdString();
}
