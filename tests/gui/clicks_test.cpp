// Clicks on the window: the twelve hand slots and the action button reach the game,
// also where a slot is empty; a click on a card the user sees is for that card; no
// other slot reacts to the mouse; the button tells its words as its tooltip.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "cards/picture_catalogue.h"
#include "flow/menu_events.h"
#include "window_test_support.h"

namespace durak::qt::testing {
namespace {

// A point of hand slot `control` that is the slot's own as the user sees it: a card's
// left strip, which the next card leaves open; for an empty slot right of the hand's
// cards, its strip right of the card or empty slot before it.
QPoint OpenPartOf(TestWindow& t, int control) {
    PictureSlot& s = t.slot(control);
    return s.pos() + QPoint(s.Picture().isNull() ? 45 : 6, 60);
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

// An empty slot's area reaches over the visible card left of it: over the right half of
// the last card, and over a card left of a gap in the hand. A click there is for the
// card; right of the last card the empty slot still takes it.
TEST(Clicks, AClickOnAVisibleCardIsForThatCardEvenUnderAnEmptySlot) {
    TestWindow t;
    DealWithFullTable(t);
    Game& g = t.g();
    g.playerHand[3] = 0;
    ClearSlot(t.surface(), HandSlotControl(3));
    const QPoint sixth = t.slot(46).pos(), second = t.slot(42).pos();
    const std::pair<QPoint, int> points[] = {
        {sixth + QPoint(54, 40), 6}, {sixth + QPoint(69, 40), 6},  // under slot 7; 7 and 8
        {sixth + QPoint(73, 40), 7}, {second + QPoint(40, 40), 2}};
    for (const auto& [point, slot] : points) {
        SCOPED_TRACE(slot);
        g.selectedSlot = 0;
        ClickAt(t, point);
        EXPECT_EQ(g.selectedSlot, slot);
    }
}

TEST(Clicks, TheActionButtonDoesNothingBeforeTheFirstGame) {
    TestWindow t;
    t.window.Text().MoveTextPen(50, 1500);
    t.window.Text().PrintLine({"метка"});
    ClickAt(t, t.slot(kActionButtonSlot).pos() + QPoint(50, 40));
    // No round to end: no text erased, no result, no statistics.
    EXPECT_TRUE(t.window.Text().HasRunAt(50, 1500, "метка"));
    EXPECT_FALSE(t.window.Text().HasRunAt(50, 6420, "Ничья"));
    EXPECT_EQ(t.g().playerTookCount + t.g().computerTookCount, 0);
    EXPECT_EQ(t.window.Text().Runs().size(), 1u);
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

// The button's words show as its tooltip for mouse users, as a screen reader reads them;
// elsewhere on the table no tooltip shows.
TEST(Clicks, TheButtonTellsItsWordsAsItsTooltip) {
    TestWindow t;
    auto help = [&](QPoint at) {
        QHelpEvent event(QEvent::ToolTip, at, t.surface().mapToGlobal(at));
        QCoreApplication::sendEvent(&t.surface(), &event);
        QCoreApplication::processEvents();
        return QToolTip::text();
    };
    EXPECT_EQ(help(QPoint(620, 200)), QString());
    EXPECT_EQ(help(t.slot(41).geometry().center()), QString());
    EXPECT_EQ(help(t.slot(70).geometry().center()), QStringLiteral("Беру / Бито"));
}

}  // namespace
}  // namespace durak::qt::testing
