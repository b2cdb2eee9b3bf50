// The waits in the window: the window shows every change during a wait, input given
// during a wait is dropped for good, and closing the window ends a running move at once.
// (How long each wait lasts is tried without a window, among the game's own tests.)

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "cards/picture_catalogue.h"
#include "flow/input_dispatch.h"
#include "flow/menu_events.h"
#include "flow/pauses.h"
#include "window_test_support.h"

namespace durak::qt::testing {
namespace {

// A short wait for the window tests: 100 ms of fast turns.
Pause ShortWait() { return {PauseKind::TwoComputerRoundEnd, 0, 10 * 21000, 0}; }

TEST(Pauses, TheWindowShowsEveryChangeWhileAWaitRuns) {
    TestWindow t;
    QCoreApplication::processEvents();
    TextLayer& text = t.window.Text();
    // A move shows a card and prints a line, then waits.
    ShowCard(t.surface(), kTrumpSlot, 161);
    text.MoveTextPen(50, 1500);
    text.PrintLine({"Комп взял.."});
    const QImage before = ScreenShot(t);
    ASSERT_NE(PictureMismatches(before, HolderImage(31), QPoint(240, 32)), 0)
        << "the screen already showed the change before the wait";

    QImage during;
    bool waiting = false;
    QTimer::singleShot(20, [&] {
        if (waiting) during = ScreenShot(t);
    });
    t.window.RunChain([&](Game& g) {
        waiting = true;
        g.pauses.Wait(ShortWait());
        waiting = false;
    });

    ASSERT_FALSE(during.isNull()) << "no timer ran during the wait";
    EXPECT_EQ(PictureMismatches(during, HolderImage(31), QPoint(240, 32)), 0);
    EXPECT_GT(DarkPixels(during, QRect(3, 100, 70, 13)), 20);

    // The next move erases that line and prints another: both show during its wait.
    during = QImage();
    QTimer::singleShot(20, [&] {
        if (waiting) during = ScreenShot(t);
    });
    t.window.RunChain([&](Game& g) {
        g.text.ClearText();
        g.text.MoveTextPen(50, 3000);
        g.text.PrintLine({"Мы взяли..."});
        waiting = true;
        g.pauses.Wait(ShortWait());
        waiting = false;
    });
    ASSERT_FALSE(during.isNull());
    EXPECT_EQ(DarkPixels(during, QRect(3, 100, 70, 13)), 0);
    EXPECT_GT(DarkPixels(during, QRect(3, 200, 70, 13)), 20);
}

// Every move repaints only the areas it changed: a card put down, taken up or replaced
// by a smaller one, a slot shown or hidden, a line printed or erased. Whatever a whole
// game between two computers changed, the screen, painted move by move, shows what a
// fresh drawing of the table shows, during the waits and at the end.
TEST(Pauses, WhatTheScreenShowsIsWhatAFreshDrawingShows) {
    TestWindow t;
    t.window.RunChain(MenuFastGame);
    int looks = 0, wrong = 0;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        // The repaint the move asked for, done now, as the wait would do next.
        QCoreApplication::sendPostedEvents(&t.window, QEvent::UpdateRequest);
        ++looks;
        if (ScreenShot(t) != GrabClient(t.surface())) ++wrong;
    });
    look.start(7);
    t.window.RunChain(MenuNewGame);
    look.stop();
    EXPECT_TRUE(t.g().decided) << "the game did not end";
    EXPECT_GT(looks, 20);
    EXPECT_EQ(wrong, 0) << "of " << looks << " looks during the game";
    QCoreApplication::processEvents();
    EXPECT_EQ(ScreenShot(t), GrabClient(t.surface()));

    // And one change at a time: a large fan replaced by a small one, a shown picture
    // hidden, a hidden slot shown again.
    Screen& screen = t.surface();
    auto same = [&] {
        QCoreApplication::processEvents();
        return ScreenShot(t) == GrabClient(t.surface());
    };
    screen.SetVisible(kComputerFanSlot, true);
    screen.SetPicture(kComputerFanSlot, kFanHolder12);
    EXPECT_TRUE(same());
    screen.SetPicture(kComputerFanSlot, kFanHolder1);
    EXPECT_TRUE(same()) << "a smaller picture left the larger one's edge on screen";
    screen.SetVisible(kActionButtonSlot, false);
    EXPECT_TRUE(same()) << "a hidden picture stayed on screen";
    screen.SetVisible(kActionButtonSlot, true);
    EXPECT_TRUE(same());
}

TEST(Pauses, ShowingTheWindowBringsItUpToDateAtOnce) {
    TestWindow t;
    QCoreApplication::processEvents();
    t.window.Text().MoveTextPen(50, 500);
    t.window.Text().PrintLine({"Комп не пошел"});
    ShowCard(t.surface(), kTrumpSlot, 6);
    t.window.hide();
    t.surface().ShowWindow();
    EXPECT_TRUE(t.window.isVisible());
    const QImage shot = ScreenShot(t);
    EXPECT_GT(DarkPixels(shot, QRect(3, 33, 80, 13)), 20);
    EXPECT_EQ(PictureMismatches(shot, HolderImage(6), QPoint(240, 32)), 0);
}

TEST(Pauses, ClicksDuringAWaitAreDroppedNotPlayedLater) {
    TestWindow t;
    DealWithFullTable(t);
    Game& g = t.g();
    PictureSlot& slot9 = t.slot(HandSlotControl(9));
    // Right of the card before it: the empty slot's own strip.
    const QPoint inWindow = t.surface().mapTo(&t.window, slot9.pos() + QPoint(45, 60));
    const long long droppedBefore = t.window.Gate().Dropped();

    QTimer::singleShot(20, [&] {
        // A click through the window system, and one queued for later delivery.
        QTest::mouseClick(t.window.windowHandle(), Qt::LeftButton, {}, inWindow);
        const QPointF local = slot9.pos() + QPointF(6, 60), global = t.surface().mapToGlobal(local);
        QCoreApplication::postEvent(&t.surface(), new QMouseEvent(QEvent::MouseButtonPress, local, global,
                                                                  Qt::LeftButton, Qt::LeftButton, {}));
        QCoreApplication::postEvent(&t.surface(), new QMouseEvent(QEvent::MouseButtonRelease, local, global,
                                                                  Qt::LeftButton, Qt::NoButton, {}));
        // A key press too, as if to open a menu.
        QTest::keyClick(&t.window, Qt::Key_Alt);
    });
    t.window.RunChain([](Game& game) { game.pauses.Wait(ShortWait()); });
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();

    EXPECT_EQ(g.selectedSlot, 0);
    EXPECT_GE(t.window.Gate().Dropped() - droppedBefore, 4);  // the input did arrive
    EXPECT_FALSE(t.window.Gate().IsClosed());

    // Once the move is over, the same click plays.
    QTest::mouseClick(t.window.windowHandle(), Qt::LeftButton, {}, inWindow);
    EXPECT_EQ(g.selectedSlot, 9);
}

TEST(Pauses, ClosingTheWindowDuringAWaitEndsTheMoveAtOnce) {
    TestWindow t;
    bool after = false, halfway = false;
    QTimer::singleShot(0, [&] { t.window.close(); });
    // Half a second into the wait: a wait that ran on after the close would get there.
    QTimer halfwayTimer;
    halfwayTimer.setSingleShot(true);
    QObject::connect(&halfwayTimer, &QTimer::timeout, [&] { halfway = true; });
    halfwayTimer.start(500);
    // A move with a long wait and more after it.
    t.window.RunChain([&](Game& g) {
        g.pauses.Wait(PlayerCoveredPause());
        after = true;
        g.pauses.Wait(PlayerCoveredPause());
    });
    EXPECT_FALSE(after);
    EXPECT_FALSE(halfway) << "the wait went on after the close";
    EXPECT_EQ(t.window.WindowPauses().Waits(), 1);
    EXPECT_TRUE(t.window.StopRequested());
    EXPECT_FALSE(t.window.isVisible());
    EXPECT_FALSE(t.window.ChainRunning());

    // Nothing more is played once the window is closed.
    t.window.RunChain([&](Game&) { after = true; });
    EXPECT_FALSE(after);
    EXPECT_THROW(t.window.WindowPauses().Wait(ShortWait()), ChainStopped);
}

TEST(Pauses, MenusStayShutWhileAMoveRuns) {
    TestWindow t;
    QMenu* play = t.window.findChild<QMenu*>(QString::fromUtf8("Игра"));
    ASSERT_NE(play, nullptr);
    bool nested = false;
    QTimer::singleShot(20, [&] {
        // A menu choice that arrives during the move is not run inside it.
        t.window.RunChain([&](Game&) { nested = true; });
        QTest::mouseClick(t.window.windowHandle(), Qt::LeftButton, {},
                          t.window.menuBar()->actionGeometry(play->menuAction()).center());
    });
    t.window.RunChain([](Game& g) { g.pauses.Wait(ShortWait()); });
    EXPECT_FALSE(nested);
    EXPECT_FALSE(play->isVisible());
}

// A chain stopped by the guard leaves a window in which a new game deals and plays.
TEST(ChainGuard, ATrippedGuardLeavesAUsableWindow) {
    TestWindow t;
    Game& g = t.g();

    // A two-computer game at the fast pace, stopped by the guard after a while.
    int depthSeen = 0;
    QTimer::singleShot(1500, [&] {
        depthSeen = g.chain.maxDepth;
        g.chain.depthLimit = 1;
    });
    t.window.RunChain(MenuFastGame);
    t.window.RunChain(MenuNewGame);
    EXPECT_FALSE(t.window.ChainRunning());
    ASSERT_GT(depthSeen, 5);

    // The window goes on: a new game against the computer deals, and a click plays.
    g.chain.depthLimit = ChainMeter::kDepthLimit;
    t.window.RunChain(MenuOneComputer);
    t.window.RunChain(MenuNewGame);
    EXPECT_EQ(g.playerHand.CountNonZero(), 6);
    const int card = g.playerHand[1];
    ASSERT_NE(card, 0);
    t.window.RunChain(ClickEventOf(HandSlotControl(1)));
    EXPECT_EQ(g.playerHand[1], 0);
    EXPECT_TRUE(g.tablePlayerAttack[1] == card || g.computerHand.Contains(card));
}

}  // namespace
}  // namespace durak::qt::testing
