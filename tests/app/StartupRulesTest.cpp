// The rules the program starts by: the screen question, the pane sizes of
// a case window, the docking description of the input bar.
#include <gtest/gtest.h>

#include "gui/DockingDescription.h"
#include "gui/PaneSizes.h"
#include "gui/ScreenCheck.h"

TEST(ScreenCheck, AsksOnlyWhenEitherSideIsAtOrBelowItsLimit) {
    EXPECT_FALSE(ScreenNeedsQuestion(QSize(1024, 768)));
    EXPECT_FALSE(ScreenNeedsQuestion(QSize(801, 601)));
    EXPECT_TRUE(ScreenNeedsQuestion(QSize(800, 600)));
    EXPECT_TRUE(ScreenNeedsQuestion(QSize(1280, 600)));
    EXPECT_TRUE(ScreenNeedsQuestion(QSize(800, 1024)));
    EXPECT_EQ(ScreenQuestionText(QSize(800, 600)),
              "The screen  resoluton  is 800*600 now, Plumex requires a resolution of 1024*768 or higher for better "
              "display, proceed?");
}

TEST(PaneSizes, FollowTheScreenSize) {
    const PaneSizes a = ComputePaneSizes(QSize(1024, 768), QSize(1000, 700));
    EXPECT_EQ(a.m_nLeftWidth, 595);
    EXPECT_EQ(a.m_nTopRightHeight, 190);
    EXPECT_EQ(a.m_nRightWidth, 405);
    EXPECT_EQ(a.m_nBottomRightHeight, 510);

    const PaneSizes b = ComputePaneSizes(QSize(1280, 1024), QSize(1270, 900));
    EXPECT_EQ(b.m_nLeftWidth, 832);
    EXPECT_EQ(b.m_nTopRightHeight, 256);
    EXPECT_EQ(b.m_nRightWidth, 438);
    EXPECT_EQ(b.m_nBottomRightHeight, 644);

    const PaneSizes c = ComputePaneSizes(QSize(1600, 1200), QSize(1590, 1100));
    EXPECT_EQ(c.m_nLeftWidth, 1160);
    EXPECT_EQ(c.m_nTopRightHeight, 225);

    // Other screens: 65 % of the width (integer division) and a quarter of the height.
    const PaneSizes d = ComputePaneSizes(QSize(1366, 767), QSize(1300, 700));
    EXPECT_EQ(d.m_nLeftWidth, 887);
    EXPECT_EQ(d.m_nTopRightHeight, 191);
}

TEST(PaneSizes, TheRightColumnAndTheDataPaneKeepTwentyPixels) {
    const PaneSizes s = ComputePaneSizes(QSize(1280, 1024), QSize(500, 200));
    EXPECT_EQ(s.m_nRightWidth, 20);
    EXPECT_EQ(s.m_nBottomRightHeight, 20);
    EXPECT_EQ(ComputePaneSizes(QSize(1280, 1024), QSize(852, 276)).m_nRightWidth, 20);  // exactly 20 left
    EXPECT_EQ(ComputePaneSizes(QSize(1280, 1024), QSize(853, 277)).m_nRightWidth, 21);
}

TEST(PaneSizes, AWindowNarrowerThanTheScreenKeepsTheRightColumnWhole) {
    // Beside a docked bar: the 3-D view gives up what the right column needs.
    const PaneSizes s = ComputePaneSizes(QSize(1280, 1024), QSize(958, 935), QSize(360, 120));
    EXPECT_EQ(s.m_nLeftWidth, 598);
    EXPECT_EQ(s.m_nRightWidth, 360);
    EXPECT_EQ(s.m_nTopRightHeight, 256);
    EXPECT_EQ(s.m_nBottomRightHeight, 679);
    // A window as wide as the screen keeps the 65 % rule.
    EXPECT_EQ(ComputePaneSizes(QSize(1280, 1024), QSize(1270, 900), QSize(360, 120)).m_nLeftWidth, 832);
    // A low window (a dock below it): the plane view gives way to the data pane.
    const PaneSizes low = ComputePaneSizes(QSize(1280, 1024), QSize(958, 300), QSize(360, 120));
    EXPECT_EQ(low.m_nTopRightHeight, 180);
    EXPECT_EQ(low.m_nBottomRightHeight, 120);
    // Narrower than the column itself: all of it goes to the column.
    const PaneSizes tiny = ComputePaneSizes(QSize(1280, 1024), QSize(300, 100), QSize(360, 120));
    EXPECT_EQ(tiny.m_nLeftWidth, 0);
    EXPECT_EQ(tiny.m_nRightWidth, 300);
    EXPECT_EQ(tiny.m_nTopRightHeight, 0);
}

namespace {
const QSize kScreen(1280, 1024);
}

TEST(DockingDescription, ReadsWhatItWritesAndTheExampleOfItsFormat) {
    const DockingDescription d = DockingDescription::Parse("[ L:100 T:40 R:300 B:600 ; RIGHT | SHOW]", kScreen);
    EXPECT_EQ(d.m_nLeft, 100);
    EXPECT_EQ(d.m_nTop, 40);
    EXPECT_EQ(d.m_nRight, 300);
    EXPECT_EQ(d.m_nBottom, 600);
    EXPECT_EQ(d.m_eSide, DockSide::Right);
    EXPECT_TRUE(d.m_bStoredShown);
    EXPECT_EQ(d.Format(), "[ L:100 T:40 R:300 B:600 ; RIGHT | SHOW]");
}

TEST(DockingDescription, EmptyOrMissingPartsGiveTheDefaults) {
    const DockingDescription empty = DockingDescription::Parse("", kScreen);
    EXPECT_EQ(empty.Format(), "[ L:400 T:400 R:500 B:500 ; NONE | SHOW]");

    // Unparsable text: zeros for the numbers, no side, shown all the same.
    const DockingDescription junk = DockingDescription::Parse("garbage", kScreen);
    EXPECT_EQ(junk.m_eSide, DockSide::None);
    EXPECT_TRUE(junk.m_bShown);
    EXPECT_EQ(junk.m_nRight, 0);
    EXPECT_EQ(junk.m_nBottom, 0);

    // Only some numbers: the others are zero.
    const DockingDescription part = DockingDescription::Parse("[ L:10 T:20 ; left | ]", kScreen);
    EXPECT_EQ(part.m_nLeft, 10);
    EXPECT_EQ(part.m_nTop, 20);
    EXPECT_EQ(part.m_nRight, 0);
    EXPECT_EQ(part.m_eSide, DockSide::Left);  // trimmed and upper-cased
    EXPECT_FALSE(part.m_bStoredShown);

    EXPECT_EQ(DockingDescription::Parse("[ L:1 T:1 R:2 B:2 ; MIDDLE | SHOW]", kScreen).m_eSide, DockSide::None);
    EXPECT_EQ(DockingDescription::Parse("[ L:1 T:1 R:2 B:2 ; bottom | show ]", kScreen).m_eSide, DockSide::Bottom);
}

TEST(DockingDescription, HugeStoredNumbersAreCutWithoutAnOverflow) {
    // The largest int, and more digits than any int: both read as the
    // largest coordinate kept, and the span moved on screen stays exact.
    for (const char* text : {"[ L:-5 T:-5 R:2147483647 B:2147483647 ; TOP | SHOW]",
                             "[ L:-5 T:-5 R:99999999999999999999999 B:99999999999999999999999 ; TOP | SHOW]"}) {
        const DockingDescription d = DockingDescription::Parse(text, kScreen);
        EXPECT_EQ(d.m_nRight, kScreen.width() - 2) << text;
        EXPECT_EQ(d.m_nLeft, kScreen.width() - 2 - (1000000 + 5 + 2)) << text;
        EXPECT_EQ(d.m_nBottom, kScreen.height() - 2) << text;
    }
}

TEST(DockingDescription, ARectangleOffTheScreenIsPutBackOnIt) {
    // Left edge off the screen: moved so that its right edge is 2 pixels
    // inside the screen's right edge; the hidden bar is shown.
    const DockingDescription d = DockingDescription::Parse("[ L:-3 T:0 R:200 B:500 ; LEFT | HIDE]", kScreen);
    EXPECT_EQ(d.m_nRight, 1278);
    EXPECT_EQ(d.m_nLeft, 1278 - 205);
    EXPECT_EQ(d.m_nTop, 0);
    EXPECT_EQ(d.m_nBottom, 500);
    EXPECT_EQ(d.m_eSide, DockSide::Left);
    EXPECT_FALSE(d.m_bStoredShown);
    EXPECT_TRUE(d.m_bShown);

    // Far off: the default rectangle.
    const DockingDescription far = DockingDescription::Parse("[ L:-10 T:0 R:200 B:500 ; LEFT | HIDE]", kScreen);
    EXPECT_EQ(far.m_nLeft, 400);
    EXPECT_EQ(far.m_nTop, 400);
    EXPECT_EQ(far.m_nRight, 500);
    EXPECT_EQ(far.m_nBottom, 500);

    // Beyond the bottom edge.
    const DockingDescription low = DockingDescription::Parse("[ L:10 T:1030 R:60 B:1100 ; TOP | SHOW]", kScreen);
    EXPECT_EQ(low.m_nBottom, 1022);
    EXPECT_EQ(low.m_nTop, 1022 - 72);
    EXPECT_EQ(low.m_nLeft, 10);
}
