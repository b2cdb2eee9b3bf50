// The real program on an X display, closed by the window manager's close request, or
// with its window destroyed by another program, in the middle of its moves. Closing the
// window ends the program whatever it is doing: nothing is saved, so a move in progress
// is no reason to stay. A program that stayed would leave the user with a vanished
// window and a process that plays on unseen.
//
// Run as: durak_close_mid_chain_test <path of the durak executable>, with DISPLAY set.
// The checks are whether the program ends, and that no wait runs on once the window has
// gone; not how quickly it ends: the guard only catches a program that never does
// (bench/close_latency.sh measures the time).

#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "desktop_session.h"

namespace durak::desktop {
namespace {

using namespace std::chrono_literals;

// Far longer than any end of the program takes; only a program that hangs reaches it.
constexpr auto kHangGuard = 10s;

// How the window goes: the window manager's close request, or another program
// destroying it outright (as a tool that closes windows by force does). Either way
// the program ends, with status 0, and no wait runs on.
enum class Close { Request, Destroy };

// A destroyed window is gone from the screen at once, and the program hears of it a
// moment later, through its connection to the display; a loaded machine (or a sanitizer
// build) may take a while to wake it. A program that ignored the close would still be
// in its waits long after this: the round end's wait alone is a second, and more follow.
constexpr auto kToldOfTheDestroy = 300ms;

void ExpectCloseEndsProgram(DesktopSession& game, Close how = Close::Request) {
    const Clock::time_point sent = how == Close::Request ? game.SendCloseRequest() : game.DestroyWindow();
    // Asked to close, the program takes the window off the screen itself: from then on
    // it knows.
    const std::optional<ProgramEnd> end =
        game.WaitForEnd(kHangGuard, how == Close::Destroy ? kToldOfTheDestroy : 0ms);
    ASSERT_TRUE(end.has_value()) << "the program still runs after the window was closed";
    EXPECT_TRUE(end->exited) << "ended by signal " << end->status << " instead of returning";
    EXPECT_EQ(end->status, 0) << "a close is the normal end of the program";
    EXPECT_FALSE(end->waitedAfterClose)
        << "the moves went on waiting after the window had closed, instead of ending there";
    std::cout << "ended " << std::chrono::duration_cast<std::chrono::milliseconds>(end->at - sent).count()
              << " ms after the window was " << (how == Close::Request ? "asked to close" : "destroyed")
              << "\n";
}

class ClosingTheWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(ProgramUnderTest().empty()) << "no program named on the command line";
        ASSERT_TRUE(game.Started()) << "could not start " << ProgramUnderTest() << " on the display";
        ASSERT_TRUE(game.FindWindow(20s)) << "no shown window with the caption Карты/Дурак";
    }

    DesktopSession game{ProgramUnderTest()};
};

// The window opens with its caption and, with no game dealt, a close ends the program:
// the last window is gone, so the program is too. The idle program sleeps in no wait.
TEST_F(ClosingTheWindow, AnIdleWindowEndsTheProgram) {
    // The desktop gets the program's icon once the table is up.
    const int iconSide = game.IconSideWithin(5s);
    EXPECT_TRUE(iconSide == 64 || iconSide == 128 || iconSide == 256) << "icon side " << iconSide;
    EXPECT_FALSE(game.WaitSeenWithin(300ms)) << "an idle window seems to sit in a game's wait";
    ExpectCloseEndsProgram(game);
}

// Two computers at the slow pace: one "Новая" runs the whole game as one chain of moves.
// The close comes while that chain waits between two moves.
TEST_F(ClosingTheWindow, ATwoComputerGameAtTheSlowPaceEndsTheProgram) {
    ASSERT_TRUE(StartSlowTwoComputerGame(game)) << "the two-computer game never reached a wait";
    ExpectCloseEndsProgram(game);
}

// The player against the computer: the close comes while a round end holds the table
// in view ("Комп взял.." or the player's last cover), a wait of a second.
TEST_F(ClosingTheWindow, ARoundEndWaitEndsTheProgram) {
    ASSERT_TRUE(PlayIntoRoundEndWait(game)) << "no click led into a round end's wait";
    ExpectCloseEndsProgram(game);
}

// The same three moments, with the window destroyed by another program.
TEST_F(ClosingTheWindow, ADestroyedIdleWindowEndsTheProgram) {
    ExpectCloseEndsProgram(game, Close::Destroy);
}

TEST_F(ClosingTheWindow, ADestroyedWindowEndsATwoComputerGame) {
    ASSERT_TRUE(StartSlowTwoComputerGame(game)) << "the two-computer game never reached a wait";
    ExpectCloseEndsProgram(game, Close::Destroy);
}

TEST_F(ClosingTheWindow, ADestroyedWindowEndsARoundEndWait) {
    ASSERT_TRUE(PlayIntoRoundEndWait(game)) << "no click led into a round end's wait";
    ExpectCloseEndsProgram(game, Close::Destroy);
}

}  // namespace
}  // namespace durak::desktop
