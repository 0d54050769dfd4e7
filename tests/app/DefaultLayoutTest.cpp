// The layout a case window gets on the screens engineers use (1280 x 1024
// and 1920 x 1080): every caption, button and box of the data pane, the
// input bar and the plots is whole, on each page of the data pane, for the
// plane kind that shows the most, and after View > Plots has opened its dock.
#include <QRadioButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "GuiFixture.h"
#include "gui/ChildFrame.h"
#include "gui/MainFrame.h"
#include "gui/ResultsHost.h"
#include "support/WholeControls.h"
#include "ui/InputBar.h"
#include "ui/PlumexView.h"

namespace {
void ExpectNoneCut(const QStringList& cut) { EXPECT_TRUE(cut.isEmpty()) << cut.join('\n').toStdString(); }

class DefaultLayout : public GuiFixture {
protected:
    // The demo case in a main window that fills a screen of that size.
    void OpenDemo(const QSize& screen) {
        if (m_options.m_Screen != screen) {
            m_app.reset();
            m_options.m_Screen = screen;
            StartApp();
        }
        if (Frame().size() != screen) {
            Frame().showNormal();
            Frame().setGeometry(QRect(QPoint(0, 0), screen));
        }
        ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
        Settle(100);
        ASSERT_NE(ActiveChild(), nullptr);
        ASSERT_EQ(Frame().size(), screen);
    }

    // What is cut in the data pane on any of its pages; the cross-section
    // plane is chosen first, since it shows the composite dilution too.
    QStringList DataPaneCuts() {
        QWidget* data = ActiveChild()->DataView();
        auto* kind = data->findChild<QRadioButton*>("kind2");
        auto* tabs = data->findChild<QTabWidget*>("outputTabs");
        if (!kind || !tabs) return {"the data pane has no plane kinds or no pages"};
        QTest::mouseClick(kind, Qt::LeftButton, Qt::NoModifier, QPoint(8, kind->height() / 2));
        Settle();
        QStringList cut;
        for (int page = 0; page < tabs->count(); ++page) {
            QTabBar* bar = tabs->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(page).center());
            Settle();
            if (tabs->currentIndex() != page) cut << QString("page %1 cannot be chosen").arg(page);
            for (const QString& c : CutControls(data)) cut << QString("page %1: %2").arg(page).arg(c);
        }
        return cut;
    }

    void ExpectWholePanes(const char* where) {
        SCOPED_TRACE(where);
        CChildFrame* child = ActiveChild();
        ExpectNoneCut(DataPaneCuts());
        ExpectNoneCut(CutControls(Frame().InputBar()));
        // The 3-D view and the plane view give way, but stay usable.
        EXPECT_GE(child->SceneView()->width(), child->fontMetrics().height() * CChildFrame::kSceneMinimumLines);
        EXPECT_GE(child->PlaneView()->height(), 100);
        EXPECT_EQ(child->PlaneView()->width(), child->DataView()->width());
        // Nothing reaches past the screen.
        EXPECT_LE(Frame().width(), m_options.m_Screen.width());
    }

    void ExpectWholeWithPlots() {
        ClickMenu("&View", "Plots");
        QWidget* dock = Frame().Results().Dock();
        ASSERT_TRUE(dock->isVisible());
        ExpectWholePanes("with the Plots dock");
        ExpectNoneCut(CutControls(dock));
    }
};
}  // namespace

TEST_F(DefaultLayout, AtTwelveEightyByTenTwentyFourEveryControlIsWhole) {
    OpenDemo(QSize(1280, 1024));
    ExpectWholePanes("as opened");
    ExpectWholeWithPlots();
}

TEST_F(DefaultLayout, AtNineteenTwentyByTenEightyEveryControlIsWhole) {
    OpenDemo(QSize(1920, 1080));
    // The wide window leaves most of its width to the 3-D view.
    EXPECT_GT(ActiveChild()->SceneView()->width(), 1920 / 2);
    ExpectWholePanes("as opened");
    ExpectWholeWithPlots();
}
