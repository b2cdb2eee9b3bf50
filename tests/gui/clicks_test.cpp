// Clicks on the window: the twelve hand slots and the action button reach the game,
// also where a slot is empty; a click on a card the user sees plays that card; no
// other slot reacts to the mouse.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "ui/menu_actions.h"
#include "window_test_support.h"

namespace durak::qt::testing {
namespace {

// A click at a point of the client area, delivered as the window system delivers it:
// the slot on top at that point takes it.
void ClickAt(TestWindow& t, QPoint clientPoint) {
    const QPoint inWindow = t.surface().mapTo(&t.window, clientPoint);
    QTest::mouseClick(t.window.windowHandle(), Qt::LeftButton, {}, inWindow);
}

// A point of hand slot `control` that is the slot's own as the user sees it: a card's
// left strip, which the next card leaves open; for an empty slot right of the hand's
// cards, its strip right of the card or empty slot before it.
QPoint OpenPartOf(TestWindow& t, int control) {
    PictureSlot& s = t.slot(control);
    return s.pos() + QPoint(s.Picture().isNull() ? 45 : 6, 60);
}

// A dealt game whose table already holds six attack cards: every card click is then
// refused by the rules and only the slot number it carried remains to be seen.
void DealWithFullTable(TestWindow& t) {
    t.window.RunChain(MenuNewGame);
    Game& g = t.g();
    for (int k = 1; k <= 6; ++k) g.tablePlayerAttack[k] = static_cast<Field>(156 - 50 * (k % 4));
}

TEST(Clicks, EveryHandSlotReportsItsNumberAlsoWhenEmpty) {
    TestWindow t;
    DealWithFullTable(t);
    Game& g = t.g();
    ASSERT_EQ(g.playerRole, 1);
    const auto handBefore = g.playerHand;
    QSignalSpy spy(&t.surface(), &TableSurface::slotClicked);

    for (int s = 1; s <= 12; ++s) {
        SCOPED_TRACE(s);
        g.selectedSlot = 0;
        ClickAt(t, OpenPartOf(t, HandSlotControl(s)));
        EXPECT_EQ(g.selectedSlot, s);
        ASSERT_EQ(spy.count(), s);
        EXPECT_EQ(spy.last().at(0).toInt(), HandSlotControl(s));
    }
    // Slots 7..12 were empty and clicked all the same; no card moved.
    for (int s = 1; s <= 12; ++s) EXPECT_EQ(g.playerHand[s], handBefore[s]) << s;
}

// After the deal the sixth card lies in full view, but the empty seventh slot's area
// reaches over its right half. Right of the card the empty slot takes its clicks; a
// click on the card's right half plays the card.
TEST(Clicks, AClickOnTheVisiblePartOfTheLastCardPlaysThatCard) {
    TestWindow t;
    t.window.RunChain(MenuNewGame);
    Game& g = t.g();
    const auto dealt = g.playerHand;
    PictureSlot& card = t.slot(46);
    const QRect seventh = t.slot(78).geometry();
    QSignalSpy spy(&t.surface(), &TableSurface::slotClicked);

    // The strip right of the card: the seventh slot's, reported although it is empty.
    ClickAt(t, QPoint(card.geometry().right() + 2, seventh.center().y()));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.last().at(0).toInt(), 78);
    EXPECT_TRUE(t.window.Text().HasRunAt(TextLayer::kStatusLineX, TextLayer::kStatusLineY, "Мы ходим"));
    for (int s = 1; s <= 12; ++s) EXPECT_EQ(g.playerHand[s], dealt[s]) << s;

    // Inside the card's picture and the seventh slot's area, and also the eighth's.
    const QPoint underSeventh = card.pos() + QPoint(54, 40);
    const QPoint underEighth = card.pos() + QPoint(card.width() - 2, 40);
    ASSERT_TRUE(seventh.contains(underSeventh));
    ASSERT_TRUE(t.slot(79).geometry().contains(underEighth));
    EXPECT_EQ(t.surface().ClickTargetAt(underEighth), &card);

    ClickAt(t, underSeventh);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.last().at(0).toInt(), 46);
    // The card went from the hand onto the table's first attack place.
    EXPECT_EQ(g.playerHand[6], 0);
    EXPECT_EQ(g.tablePlayerAttack[1], dealt[6]);
    EXPECT_EQ(PictureMismatches(GrabClient(t.surface()), HolderImage(PictureIndexOf(dealt[6])),
                                t.slot(56).pos(), 24), 0);
}

// A gap in the hand: the cards left and right of an empty slot cover all of its area,
// so each visible part goes to the card shown there.
TEST(Clicks, AGapInTheHandLeavesEachVisibleCardItsClicks) {
    TestWindow t;
    DealWithFullTable(t);
    Game& g = t.g();
    g.playerHand[3] = 0;
    ClearSlot(t.surface(), HandSlotControl(3));
    const QRect gap = t.slot(43).geometry();
    for (int x = gap.left(); x <= gap.right(); ++x) {
        SCOPED_TRACE(x);
        const PictureSlot* target = t.surface().ClickTargetAt(QPoint(x, gap.center().y()));
        ASSERT_NE(target, nullptr);
        const int expected = x < t.slot(44).x() ? 42 : x < t.slot(45).x() ? 44 : 45;
        EXPECT_EQ(target->Control(), expected);
    }
    ClickAt(t, QPoint(t.slot(44).x() - 3, gap.center().y()));
    EXPECT_EQ(g.selectedSlot, 2);
}

TEST(Clicks, TheActionButtonEndsTheRoundEvenBeforeAGame) {
    TestWindow t;
    t.window.Text().MoveTextPen(50, 1500);
    t.window.Text().PrintLine({"метка"});
    ClickAt(t, t.slot(kActionButtonSlot).pos() + QPoint(50, 40));
    // The round end starts by erasing all printed text.
    EXPECT_FALSE(t.window.Text().HasRunAt(50, 1500, "метка"));
}

TEST(Clicks, NoOtherSlotReactsToTheMouse) {
    TestWindow t;
    DealWithFullTable(t);
    Game& g = t.g();
    g.selectedSlot = 0;
    TextLayer& text = t.window.Text();
    text.MoveTextPen(50, 1500);
    text.PrintLine({"метка"});
    QSignalSpy spy(&t.surface(), &TableSurface::slotClicked);

    // The fan, the trump card, table places of all four rows, the face-up places, a
    // blank holder, and the bare background.
    for (int control : {53, 68, 56, 57, 72, 89, 94, 99, 5}) {
        SCOPED_TRACE(control);
        ClickAt(t, t.slot(control).geometry().center());
    }
    ClickAt(t, QPoint(300, 200));
    ClickAt(t, QPoint(620, 300));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(g.selectedSlot, 0);
    EXPECT_TRUE(text.HasRunAt(50, 1500, "метка"));
}

TEST(Clicks, AClickIsAPressAndAReleaseOnTheSameSlot) {
    TestWindow t;
    DealWithFullTable(t);
    QSignalSpy spy(&t.surface(), &TableSurface::slotClicked);
    QWindow* w = t.window.windowHandle();
    const QPoint slot8 = t.surface().mapTo(&t.window, OpenPartOf(t, 79));
    const QPoint slot9 = t.surface().mapTo(&t.window, OpenPartOf(t, 80));

    // Pressed on one slot, released on another: no click on either.
    QTest::mousePress(w, Qt::LeftButton, {}, slot8);
    QTest::mouseRelease(w, Qt::LeftButton, {}, slot9);
    // A release whose press was never seen is no click either.
    QTest::mouseRelease(w, Qt::LeftButton, {}, slot9);
    // The right button does not play.
    QTest::mouseClick(w, Qt::RightButton, {}, slot9);
    EXPECT_EQ(spy.count(), 0);

    QTest::mouseClick(w, Qt::LeftButton, {}, slot9);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.last().at(0).toInt(), 80);
}

}  // namespace
}  // namespace durak::qt::testing
