// The window as it opens: its caption and fixed client area, every slot at its place
// and size, what is shown at start, and which slot lies over which.

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QStyle>

#include <set>

#include "flow/menu_events.h"
#include "window_test_support.h"

namespace durak::qt::testing {
namespace {

struct Expected {
    int control, left, top, width, height;
};

// Display slots in twips, as the layout of the table lays them out.
const Expected kDisplaySlots[] = {
    // the player's hand
    {41, 240, 4920, 1095, 1455}, {42, 720, 4920, 1095, 1455}, {43, 1200, 4920, 1095, 1455},
    {44, 1680, 4920, 1095, 1455}, {45, 2160, 4920, 1095, 1455}, {46, 2640, 4920, 1215, 1455},
    {78, 3120, 4920, 1095, 1455}, {79, 3600, 4920, 1095, 1455}, {80, 4080, 4920, 1095, 1455},
    {81, 4560, 4920, 1095, 1455}, {82, 5040, 4920, 1095, 1455}, {83, 5520, 4920, 1095, 1455},
    // the table, the player attacking
    {56, 120, 3360, 1095, 1455}, {57, 480, 2760, 1095, 1455}, {58, 1680, 3360, 1095, 1455},
    {59, 2040, 2760, 1095, 1455}, {60, 3240, 3360, 1095, 1455}, {61, 3600, 2760, 1095, 1455},
    {62, 4800, 3360, 1095, 1455}, {63, 5160, 2760, 1095, 1455}, {64, 6360, 3360, 1095, 1455},
    {65, 6720, 2760, 1095, 1455}, {66, 7920, 3360, 1095, 1455}, {67, 8280, 2880, 1095, 1335},
    // the table, the computer attacking
    {72, 120, 2400, 1095, 1455}, {73, 480, 3240, 1095, 1455}, {74, 1680, 2400, 1095, 1455},
    {75, 2040, 3240, 1095, 1455}, {76, 3240, 2400, 1095, 1455}, {77, 3600, 3240, 1095, 1455},
    {84, 4800, 2400, 1095, 1455}, {87, 5160, 3240, 1095, 1455}, {85, 6360, 2400, 1095, 1455},
    {88, 6720, 3240, 1095, 1455}, {86, 7920, 2400, 1095, 1455}, {89, 8280, 3240, 1095, 1455},
    // fan, face-up cards, trump, stock, button
    {53, 6720, 360, 2295, 1455},
    {94, 6720, 360, 1095, 1455}, {95, 6960, 360, 1095, 1455}, {96, 7200, 360, 1095, 1455},
    {97, 7440, 360, 1095, 1455}, {98, 7680, 360, 1095, 1455}, {99, 7920, 360, 1095, 1455},
    {68, 3600, 480, 1095, 1335}, {69, 5160, 600, 1530, 1080}, {70, 7440, 4920, 1710, 1380},
};

TEST(WindowLayout, WindowHasCaptionMenuBarAndFixedClientArea) {
    TestWindow t;
    EXPECT_EQ(t.window.windowTitle(), QString::fromUtf8("Карты/Дурак"));
    EXPECT_EQ(t.surface().size(), QSize(631, 444));
    // The client area lies right under the menu bar and fills the window.
    const QRect client = t.surface().geometry();
    EXPECT_EQ(client.top(), t.window.menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(client.left(), 0);
    EXPECT_EQ(t.window.width(), 631);
    EXPECT_EQ(t.window.height(), client.bottom() + 1);
    // The layout does not follow the window: it cannot be made larger or smaller.
    EXPECT_EQ(t.window.minimumSize(), t.window.maximumSize());
    // The standard window background, not a colour of our own.
    EXPECT_EQ(t.surface().palette().color(QPalette::Window),
              t.window.style()->standardPalette().color(QPalette::Window));
    EXPECT_TRUE(t.surface().autoFillBackground());
}

TEST(WindowLayout, DisplaySlotsLieAtTheirPlacesWithTheirSizes) {
    TestWindow t;
    for (const Expected& e : kDisplaySlots) {
        SCOPED_TRACE(e.control);
        EXPECT_EQ(t.slot(e.control).geometry(), TwipsRect(e.left, e.top, e.width, e.height));
        EXPECT_EQ(t.slot(e.control).objectName(), QStringLiteral("Image%1").arg(e.control));
    }
    // The last hand slot ends left of the action button.
    EXPECT_EQ(t.slot(83).geometry().right() + 1, 6615 / 15);
    EXPECT_LT(t.slot(83).geometry().right(), t.slot(70).geometry().left());
}

TEST(WindowLayout, AtStartOnlyTheButtonShowsAPicture) {
    TestWindow t;
    const std::set<int> blankHolders = {5, 15, 25, 35};
    std::set<int> holders;
    for (int n = 1; n <= 40; ++n) holders.insert(n);
    for (int n : {47, 48, 49, 50, 51, 52, 54, 55, 71, 90, 91, 92, 93}) holders.insert(n);
    // Opening the window decoded the one picture it shows; the rest wait for a slot that
    // shows them.
    EXPECT_EQ(t.surface().Pictures().DecodedCount(), 1);
    EXPECT_TRUE(t.surface().Pictures().Decoded(70));
    for (int c = 1; c <= 99; ++c) {
        SCOPED_TRACE(c);
        PictureSlot& s = t.slot(c);
        if (holders.count(c)) {
            // Holders stay hidden, except the blank ones, which are shown and empty.
            EXPECT_EQ(s.isVisible(), blankHolders.count(c) == 1);
            EXPECT_EQ(s.Picture().isNull(), blankHolders.count(c) == 1);
        } else if (c == 69) {
            EXPECT_FALSE(s.isVisible());  // the stock is never shown
            EXPECT_FALSE(s.Picture().isNull());
        } else {
            EXPECT_TRUE(s.isVisible());
            EXPECT_EQ(s.Picture().isNull(), c != 70);
        }
    }
    // Every picture the holders carry is shown at its natural size.
    for (int n : holders) {
        if (blankHolders.count(n)) continue;
        SCOPED_TRACE(n);
        EXPECT_EQ(t.slot(n).size(), HolderImage(n).size());
    }
    EXPECT_EQ(t.slot(70).size(), QSize(114, 92));
    EXPECT_EQ(t.slot(69).size(), QSize(102, 72));
}

TEST(WindowLayout, LaterSlotsLieOverEarlierOnes) {
    TestWindow t;
    // Where hand cards overlap, the later card takes the point.
    t.window.RunChain(MenuNewGame);
    const QPoint overlap = t.slot(42).geometry().topLeft() + QPoint(5, 40);
    ASSERT_TRUE(t.slot(41).geometry().contains(overlap));
    EXPECT_EQ(t.surface().ClickTargetAt(overlap), &t.slot(42));
}

}  // namespace
}  // namespace durak::qt::testing
