// The window as it opens and what its layout does: its caption and fixed client area,
// where the cards shown in each slot appear and which lies over which, where empty slots
// take clicks, and what is shown at start.

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QStyle>

#include <set>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/menu_events.h"
#include "window_test_support.h"

namespace durak::qt::testing {
namespace {

// The picture holders: the card faces, the fans of backs and the suit icons. They only
// lend their pictures to the slots that show them.
const std::set<int>& Holders() {
    static const std::set<int> holders = [] {
        std::set<int> h;
        for (int n = kFirstCardHolder; n <= kLastCardHolder; ++n) h.insert(n);
        for (int n : {kFanHolder1, kFanHolder2, kFanHolder3, kFanHolder4, kFanHolder5, kFanHolder6,
                      kFanHolder9, kFanHolder10, kFanHolder12})
            h.insert(n);
        for (int n = kSuitIconHolder1; n <= kSuitIconHolder4; ++n) h.insert(n);
        return h;
    }();
    return holders;
}

// A different card for each number 1..36: sixes first, one of each suit, then sevens.
int Card(int n) { return 50 * ((n - 1) % 4) + 6 + (n - 1) / 4; }
QImage CardPicture(int n) { return HolderImage(PictureIndexOf(Card(n))); }

// The control of the slot that a click at `point` of the client area is for; 0 for none.
int ClickedControl(TestWindow& t, QPoint point) {
    const PictureSlot* target = t.surface().ClickTargetAt(point);
    return target ? target->Control() : 0;
}

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

// Every slot is named after its control, and every slot the game shows lies inside the
// client area; only holders, never shown, may lie beyond it. The last hand slot ends at
// x = 6615 twips, left of the action button.
TEST(WindowLayout, SlotsAreNamedAfterTheirControlsAndTheShownOnesLieInTheClientArea) {
    TestWindow t;
    const QRect client = t.surface().rect();
    for (int c = kFirstControl; c <= kLastControl; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(t.slot(c).objectName(), QStringLiteral("Image%1").arg(c));
        if (!Holders().count(c)) {
            EXPECT_TRUE(client.contains(t.slot(c).geometry()));
        }
    }
    const QRect lastHandSlot = t.slot(HandSlotControl(kPlayerHandSlots)).geometry();
    EXPECT_EQ(lastHandSlot.right() + 1, 6615 / 15);
    EXPECT_LT(lastHandSlot.right(), t.slot(kActionButtonSlot).geometry().left());
}

// Twelve cards in the hand lie in one row along the bottom, left to right in slot order,
// each 32 px right of the one before it and over it: every card keeps its left strip,
// corner index and all, in view, and the last shows whole.
TEST(WindowLayout, HandCardsLieInARowLeftToRightEachCornerIndexInView) {
    TestWindow t;
    for (int s = 1; s <= kPlayerHandSlots; ++s) ShowCard(t.surface(), HandSlotControl(s), Card(s));
    const QImage shot = GrabClient(t.surface());
    for (int s = 1; s <= kPlayerHandSlots; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(PictureMismatches(shot, CardPicture(s), QPoint(16 + 32 * (s - 1), 328), s < kPlayerHandSlots ? 32 : -1), 0);
    }
}

// An empty hand slot takes the clicks of its whole area that no earlier slot holds: a
// place a little larger than a card (73 × 97 px), the sixth one reaching 8 px further,
// under the seventh. Its last column and its top and bottom rows are its own; past them
// the next slot, or nothing, takes the click.
TEST(WindowLayout, EmptyHandSlotsTakeTheClicksOfTheirWholeArea) {
    TestWindow t;
    EXPECT_EQ(ClickedControl(t, QPoint(16, 328)), HandSlotControl(1));
    EXPECT_EQ(ClickedControl(t, QPoint(15, 328)), 0);
    for (int s = 1; s <= kPlayerHandSlots; ++s) {
        SCOPED_TRACE(s);
        const int right = 16 + 32 * (s - 1) + (s == 6 ? 80 : 72);
        EXPECT_EQ(ClickedControl(t, QPoint(right, 328)), HandSlotControl(s));
        EXPECT_EQ(ClickedControl(t, QPoint(right, 424)), HandSlotControl(s));
        EXPECT_EQ(ClickedControl(t, QPoint(right, 327)), 0);
        EXPECT_EQ(ClickedControl(t, QPoint(right, 425)), 0);
        EXPECT_EQ(ClickedControl(t, QPoint(right + 1, 376)), s < kPlayerHandSlots ? HandSlotControl(s + 1) : 0);
    }
}

// The table's six pairs stand 104 px apart from the left edge. When the player attacks,
// the attack cards lie in a row at y = 224 px and each cover 24 px right of its card and
// 40 px higher (the last pair's 32 px); when the computer attacks, its cards lie at
// y = 160 px and each cover 24 px right and 56 px lower. A cover lies over its card,
// which keeps its left strip in view; no pair touches the next. Emptied, every place
// keeps the size of a card's place, the last cover's a shorter one.
TEST(WindowLayout, TheTablePairsLineUpEachCoverOverItsCard) {
    TestWindow t;
    struct Layout {
        const int* attack;
        const int* cover;
        int top, coverDown;
    };
    for (const Layout& layout : {Layout{kPlayerAttackPlace, kComputerDefencePlace, 224, -40},
                                 Layout{kComputerAttackPlace, kPlayerDefencePlace, 160, 56}}) {
        SCOPED_TRACE(layout.top);
        ClearTablePlaces(t.surface());
        for (int k = 1; k <= kPairs; ++k) {
            ShowCard(t.surface(), layout.attack[k], Card(k));
            ShowCard(t.surface(), layout.cover[k], Card(12 + k));
        }
        const QImage shot = GrabClient(t.surface());
        for (int k = 1; k <= kPairs; ++k) {
            SCOPED_TRACE(k);
            const QPoint card(8 + 104 * (k - 1), layout.top);
            const int down = layout.coverDown == -40 && k == kPairs ? -32 : layout.coverDown;
            EXPECT_EQ(PictureMismatches(shot, CardPicture(12 + k), card + QPoint(24, down)), 0);
            EXPECT_EQ(PictureMismatches(shot, CardPicture(k), card, 24), 0);
        }
    }
    ClearTablePlaces(t.surface());
    for (int k = 1; k <= kPairs; ++k) {
        SCOPED_TRACE(k);
        for (int place : {kPlayerAttackPlace[k], kComputerAttackPlace[k], kPlayerDefencePlace[k]})
            EXPECT_EQ(t.slot(place).size(), QSize(73, 97));
        EXPECT_EQ(t.slot(kComputerDefencePlace[k]).size(), k < kPairs ? QSize(73, 97) : QSize(73, 89));
    }
}

// Along the top right the computer's cards, shown face up at the end, lie 16 px apart
// from x = 448 px, each over the one before; the stock, never shown by the game, would
// lie between the trump card and them. The button lies right of the hand, and a click
// anywhere on its picture is the button's. Emptied, the fan's place and the face-up
// places keep their sizes.
TEST(WindowLayout, TheComputersCardsTheStockAndTheButtonLieInTheirPlaces) {
    TestWindow t;
    const QPoint button(496, 328);
    EXPECT_EQ(PictureMismatches(GrabClient(t.surface()), HolderImage(kButtonHolder), button), 0);
    EXPECT_EQ(ClickedControl(t, button), kActionButtonSlot);
    EXPECT_EQ(ClickedControl(t, button + QPoint(113, 91)), kActionButtonSlot);
    EXPECT_EQ(ClickedControl(t, button + QPoint(-1, 40)), 0);
    EXPECT_EQ(ClickedControl(t, button + QPoint(114, 40)), 0);
    EXPECT_EQ(ClickedControl(t, button + QPoint(40, 92)), 0);

    EXPECT_EQ(t.slot(kComputerFanSlot).size(), QSize(153, 97));
    for (int k = 0; k < kFrontSlots; ++k) {
        EXPECT_EQ(t.slot(kComputerFaceUpSlot1 + k).size(), QSize(73, 97));
        ShowCard(t.surface(), kComputerFaceUpSlot1 + k, Card(k + 1));
    }
    t.surface().SetVisible(kStockSlot, true);
    const QImage shot = GrabClient(t.surface());
    for (int k = 0; k < kFrontSlots; ++k) {
        SCOPED_TRACE(k);
        const int last = kFrontSlots - 1;
        EXPECT_EQ(PictureMismatches(shot, CardPicture(k + 1), QPoint(448 + 16 * k, 24), k < last ? 16 : -1), 0);
    }
    EXPECT_EQ(PictureMismatches(shot, HolderImage(kStockHolder), QPoint(344, 40)), 0);
}

TEST(WindowLayout, AtStartOnlyTheButtonShowsAPicture) {
    TestWindow t;
    const std::set<int> blankHolders = {5, 15, 25, 35};
    const std::set<int>& holders = Holders();
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
