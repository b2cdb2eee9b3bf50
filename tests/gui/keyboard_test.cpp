// Playing the table with the keyboard: the focus along the hand's cards and to the
// action button, Space and Return as clicks behind the same gate, the focus following a
// card that leaves the hand, the ring that marks it, and F10 for the menu bar.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "cards/picture_catalogue.h"
#include "window_test_support.h"

namespace durak::qt::testing {
namespace {

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
