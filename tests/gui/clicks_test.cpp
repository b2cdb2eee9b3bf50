// Clicks on the window: the twelve hand slots and the action button reach the game,
// also where a slot is empty; a click on a card the user sees is for that card; no
// other slot reacts to the mouse.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "cards/picture_catalogue.h"
#include "flow/menu_events.h"
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

// Keys on the table stand for clicks. The table takes the keyboard focus when the window
// is active.
void FocusTable(TestWindow& t) {
    t.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&t.window));
    t.surface().setFocus();
    QCoreApplication::processEvents();
}
void Key(TestWindow& t, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &t.surface(), key, modifiers);
}

// Left and Right walk the hand's cards in slot order over a gap, Home and End go to the
// ends, and Tab goes to the button and back to the card it came from.
TEST(Keys, TheFocusWalksTheCardsOverEmptySlotsAndTabGoesToTheButton) {
    TestWindow t;
    DealWithFullTable(t);
    t.g().playerHand[3] = 0;
    ClearSlot(t.surface(), HandSlotControl(3));
    FocusTable(t);
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Home, 41}, {Qt::Key_Right, 42}, {Qt::Key_Right, 44}, {Qt::Key_Left, 42},
        {Qt::Key_End, 46},  {Qt::Key_Right, 46}, {Qt::Key_Left, 45},  {Qt::Key_Tab, 70},
        {Qt::Key_Left, 70}, {Qt::Key_Tab, 45},   {Qt::Key_Home, 41}};
    for (const auto& [key, control] : steps) {
        Key(t, key);
        EXPECT_EQ(t.surface().FocusedControl(), control) << key;
    }
    Key(t, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(t.surface().FocusedControl(), 70);
}

// Space and Return are a click on the focused card or the button; while the game is
// busy the input gate drops them, as it drops a click, and a screen reader's press too.
TEST(Keys, SpaceAndReturnClickAndTheGateDropsThemWhileTheGameIsBusy) {
    TestWindow t;
    DealWithFullTable(t);
    FocusTable(t);
    QSignalSpy spy(&t.surface(), &TableSurface::slotClicked);
    Key(t, Qt::Key_Home);
    Key(t, Qt::Key_Right);
    Key(t, Qt::Key_Return);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.last().at(0).toInt(), 42);
    EXPECT_EQ(t.g().selectedSlot, 2);
    Key(t, Qt::Key_Space);
    ASSERT_EQ(spy.count(), 2);

    auto& gate = const_cast<InputGate&>(t.window.Gate());
    {
        InputGate::ClosedScope busy(gate);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Right, Qt::Key_Tab}) Key(t, key);
        t.surface().ActivateSlot(42);
        EXPECT_EQ(spy.count(), 2);
        EXPECT_EQ(t.surface().FocusedControl(), 42);
    }
    t.surface().ActivateSlot(70);
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.last().at(0).toInt(), 70);
}

// When the focused card leaves the hand the focus goes to the next card right of it,
// else the one left of it, else to the button.
TEST(Keys, TheFocusFollowsWhenItsCardLeavesTheHand) {
    TestWindow t;
    DealWithFullTable(t);
    FocusTable(t);
    Key(t, Qt::Key_Home);
    Key(t, Qt::Key_Right);
    ClearSlot(t.surface(), 42);
    EXPECT_EQ(t.surface().FocusedControl(), 43);
    Key(t, Qt::Key_End);
    ClearSlot(t.surface(), 46);
    EXPECT_EQ(t.surface().FocusedControl(), 45);
    for (int control : {41, 43, 44, 45}) ClearSlot(t.surface(), control);
    EXPECT_EQ(t.surface().FocusedControl(), 70);
}

// The ring in the style's focus colour lies just outside the focused card and leaves
// every pixel of the card itself as it was; it shows once a key is used and goes with a
// click of the mouse.
TEST(Keys, TheFocusRingShowsWhileTheKeyboardIsInUseAndLeavesTheCardAsItIs) {
    TestWindow t;
    DealWithFullTable(t);
    FocusTable(t);
    const QColor ring = t.surface().palette().color(QPalette::Highlight);
    const QRect card = t.slot(41).geometry();
    auto ringPixels = [&](const QImage& image) {
        int n = 0;
        for (int y = card.top() - 3; y <= card.bottom() + 3; ++y)
            for (int x = card.left() - 3; x <= card.right() + 3; ++x)
                if (!card.contains(x, y) && image.rect().contains(x, y) && QColor(image.pixel(x, y)) == ring) ++n;
        return n;
    };
    const QImage before = GrabClient(t.surface());
    EXPECT_EQ(ringPixels(before), 0);
    Key(t, Qt::Key_Home);
    const QImage keyed = GrabClient(t.surface());
    EXPECT_GT(ringPixels(keyed), 2 * card.height());
    // The card's own strip, corner index and all, is untouched.
    EXPECT_EQ(keyed.copy(QRect(card.topLeft(), QSize(t.slot(42).pos().x() - card.left(), card.height()))),
              before.copy(QRect(card.topLeft(), QSize(t.slot(42).pos().x() - card.left(), card.height()))));
    ClickAt(t, QPoint(620, 200));  // the bare table
    EXPECT_EQ(ringPixels(GrabClient(t.surface())), 0);
    Key(t, Qt::Key_Right);
    EXPECT_GT(ringPixels(GrabClient(t.surface())), 0);  // the ring of card 42 crosses card 41's strip
}

// The button's words show as its tooltip for mouse users, as a screen reader reads them;
// elsewhere on the table no tooltip shows.
TEST(Keys, TheButtonTellsItsWordsAsItsTooltip) {
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

// F10, like Alt, hands the keyboard to the menu bar with its first item current, and
// the window shows it: the item is drawn highlighted. Escape gives the keyboard back.
TEST(Keys, F10OpensTheMenuBarInKeyboardModeAndItShows) {
    TestWindow t;
    FocusTable(t);
    QMenuBar* bar = t.window.menuBar();
    const QImage plain = bar->grab().toImage();
    Key(t, Qt::Key_F10);
    EXPECT_EQ(QApplication::focusWidget(), bar);
    EXPECT_NE(bar->grab().toImage(), plain);
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), &t.surface());
    EXPECT_EQ(bar->grab().toImage(), plain);
}

}  // namespace
}  // namespace durak::qt::testing
