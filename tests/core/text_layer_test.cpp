// The printed-text model (item forms, the pen, clearing, and what is kept), what the
// menu choices and the clicks do before a game, and the waits in real time.
#include <gtest/gtest.h>

#include <chrono>

#include "flow/input_dispatch.h"
#include "support/fakes.h"
#include "flow/menu_events.h"
#include "platform/pause_durations.h"
#include "flow/pauses.h"
#include "ports/text_layer.h"

using namespace durak;

TEST(TextItems, NumbersAreFramedBySpaces) {
    EXPECT_EQ(TextLayer::FormatNumber(7), " 7 ");
    EXPECT_EQ(TextLayer::FormatNumber(0), " 0 ");
    EXPECT_EQ(TextLayer::FormatNumber(-12), "-12 ");
    TextLayer t;
    t.MoveTextPen(7500, 20);
    t.PrintLine({"Карт-", 7});
    EXPECT_TRUE(t.HasRunAt(7500, 20, "Карт- 7 "));
    t.MoveTextPen(50, 1050);
    t.PrintLine({"Комп взял ", 2, "раз"});
    EXPECT_TRUE(t.HasRunAt(50, 1050, "Комп взял  2 раз"));  // two spaces before the 2
    t.MoveTextPen(2550, 6420);
    t.PrintLine({11, 12, 13, 14, 6, 7});
    EXPECT_TRUE(t.HasRunAt(2550, 6420, " 11  12  13  14  6  7 "));

    // The smallest and largest numbers keep the form.
    t.ClearText();
    t.PrintLine({255, 256, -1, 2147483647, -2147483647 - 1});
    EXPECT_EQ(t.Dump(), " 255  256 -1  2147483647 -2147483648 \n");
}

TEST(TextPen, LinesMoveDownAndBackToTheLeftEdge) {
    TextLayer t;
    EXPECT_EQ(t.PenX(), 0);
    EXPECT_EQ(t.PenY(), 0);
    t.MoveTextPen(50, 6420);
    t.PrintLine({"Мы ходим"});
    EXPECT_EQ(t.PenX(), 0);
    EXPECT_EQ(t.PenY(), 6420 + TextLayer::kLineHeight);
    t.PrintLine({4});  // lands at the left edge, one line under the status line
    EXPECT_EQ(t.Runs().back().x, 0);
    EXPECT_EQ(t.Runs().back().y, 6420 + TextLayer::kLineHeight);
    t.PrintLine();
    EXPECT_EQ(t.PenY(), 6420 + 3 * TextLayer::kLineHeight);
    // Without a line break the pen stays just after the text.
    t.MoveTextPen(8700, 1900);
    t.Print({11});
    EXPECT_EQ(t.PenY(), 1900);
    EXPECT_GT(t.PenX(), 8700);
    EXPECT_LE(TextLayer::kLineHeight, 200);  // statistics lines stand 200 twips apart
}

TEST(TextPen, ClearTextErasesTextAndPixelsAndHomesThePen) {
    TextLayer t;
    t.MoveTextPen(50, 6420);
    t.PrintLine({"Мы выиграли"});
    ASSERT_EQ(t.Runs().size(), 1u);
    ASSERT_EQ(t.Pixels().size(), 1u);  // the message and the one pixel at its start
    EXPECT_EQ(t.Pixels()[0].x, 50);
    EXPECT_EQ(t.Pixels()[0].y, 6420);
    t.ClearText();
    EXPECT_TRUE(t.Runs().empty());
    EXPECT_TRUE(t.Pixels().empty());
    EXPECT_EQ(t.PenX(), 0);
    EXPECT_EQ(t.PenY(), 0);
}

TEST(TextCost, RepeatedOrInvisibleOutputAddsNothing) {
    TextLayer t;
    t.MoveTextPen(50, 170);
    t.PrintEmptyLines(29000);  // about 5.7 million twips down, far below the window
    EXPECT_EQ(t.PenY(), 170 + 29000LL * TextLayer::kLineHeight);
    t.PrintLine({"невидимо"});
    EXPECT_TRUE(t.Runs().empty());
    for (int i = 0; i < 29000; ++i) {
        t.MoveTextPen(50, 50);
        t.PrintLine();
    }
    EXPECT_EQ(t.Pixels().size(), 2u);  // (50, 170) and (50, 50), once each
    for (int i = 0; i < 1000; ++i) {
        t.MoveTextPen(50, 6420);
        t.PrintLine({"Комп взял.."});
    }
    EXPECT_EQ(t.Runs().size(), 1u);
    EXPECT_EQ(t.Pixels().size(), 3u);  // and (50, 6420), once
    // The pen never overflows, however many lines are printed.
    for (int i = 0; i < 100; ++i) t.PrintEmptyLines(1'000'000'000'000LL);
    EXPECT_GT(t.PenY(), 0);
}

// A choice of mode or pace sets those two fields and nothing else: no deal, no picture,
// no printed line. Each pace also chooses the two computers; the pace stays as chosen
// until another pace is chosen.
TEST(Menus, ModeAndPaceOnlySetFields) {
    fakes::TestTable t;
    auto expect = [&](int mode, int pace) {
        EXPECT_EQ(t.g.playMode, mode);
        EXPECT_EQ(t.g.delayFactor, pace);
    };
    Form_Load(t.g);
    expect(1, 0);
    EXPECT_EQ(t.g.playerRole, 0);  // no game until "Новая"
    MenuTwoComputers(t.g);          // submenu opened and closed without a pace
    expect(200, 0);
    MenuOneComputer(t.g);
    expect(1, 0);
    MenuMediumGame(t.g);
    expect(200, 300);
    MenuOneComputer(t.g);
    expect(1, 300);
    MenuTwoComputers(t.g);  // opened again: the pace chosen before is kept
    expect(200, 300);
    MenuOneComputer(t.g);
    MenuFastGame(t.g);
    expect(200, 1);
    MenuOneComputer(t.g);
    MenuSlowGame(t.g);
    expect(200, 600);
    MenuSlowGame(t.g);  // the same pace twice changes nothing
    expect(200, 600);
    EXPECT_EQ(t.g.playerRole, 0);
    EXPECT_TRUE(t.g.playerHand.AllZero());
    EXPECT_TRUE(t.screen.log.empty());
    EXPECT_TRUE(t.text.Runs().empty());
}

TEST(Clicks, OnlyHandSlotsAndTheButtonReact) {
    int reacting = 0;
    for (int control = 1; control <= 99; ++control) {
        if (ClickEventOf(control) == nullptr) continue;
        ++reacting;
        EXPECT_TRUE((control >= 41 && control <= 46) || (control >= 78 && control <= 83) ||
                    control == 70)
            << control;
    }
    EXPECT_EQ(reacting, 13);
    EXPECT_EQ(ClickEventOf(78), &Image78_Click);
    EXPECT_EQ(ClickEventOf(70), &Image70_Click);
}

TEST(Clicks, BeforeTheFirstGameAHandClickChangesNothing) {
    fakes::TestTable t;
    Form_Load(t.g);
    Image43_Click(t.g);
    EXPECT_EQ(t.g.selectedSlot, 0);
    EXPECT_TRUE(t.screen.log.empty());
    EXPECT_TRUE(t.text.Runs().empty());
}

namespace {
// The waits in real time. The units: a round-end wait of 29000 × 1250 slow turns lasts
// a second, 12 × 21000 fast turns 120 ms, 29000 empty lines 100 ms.
constexpr double kSlowNs = 1e9 / (29000.0 * 1250.0);
constexpr double kFastNs = 120e6 / (12 * 21000.0);
constexpr double kLineNs = 100e6 / 29000.0;

long long Ns(double slow, double fast, double lines) {
    return static_cast<long long>(slow * kSlowNs + fast * kFastNs + lines * kLineNs + 0.5);
}
}  // namespace

TEST(PauseDurations, EachWaitLastsAsItsCompositionSays) {
    EXPECT_EQ(PauseDuration(PlayerCoveredPause()), std::chrono::seconds(1));
    EXPECT_EQ(PauseDuration(ComputerTookPause()), std::chrono::seconds(1));
    EXPECT_EQ(PauseDuration(TwoComputerRoundEndPause()).count(), Ns(0, 2 * 29000 + 12 * 21000, 0));
    for (int pace : {0, 1, 300, 600}) {
        SCOPED_TRACE(pace);
        EXPECT_EQ(PauseDuration(AutoLeadClosingPause(pace)).count(), Ns(16000.0 * pace, 7 * 21000, 0));
        EXPECT_EQ(PauseDuration(DefendContinuationPause(pace)).count(), Ns(50.0 * pace, 12 * 21000, 29000));
        EXPECT_EQ(PauseDuration(FollowUpPause(pace)).count(), Ns(21000.0 * pace, 12 * 21000, 29000));
    }
}

TEST(PauseDurations, PaceScalesOnlyThePaceScaledPartLinearly) {
    using std::chrono::nanoseconds;
    for (Pause (*make)(int) : {AutoLeadClosingPause, DefendContinuationPause, FollowUpPause}) {
        const nanoseconds fixed = PauseDuration(make(0));
        const nanoseconds fast = PauseDuration(make(1)) - fixed;
        const nanoseconds medium = PauseDuration(make(300)) - fixed;
        const nanoseconds slow = PauseDuration(make(600)) - fixed;
        EXPECT_GT(fast.count(), 0);
        EXPECT_NEAR(static_cast<double>(medium.count()), 300.0 * fast.count(), 300.0);
        EXPECT_NEAR(static_cast<double>(slow.count()), 2.0 * medium.count(), 2.0);
    }
    // Without a pace the two-computer waits keep their fixed parts: 70, 220 and 220 ms.
    EXPECT_EQ(PauseDuration(AutoLeadClosingPause(0)), std::chrono::milliseconds(70));
    EXPECT_EQ(PauseDuration(DefendContinuationPause(0)), std::chrono::milliseconds(220));
    EXPECT_EQ(PauseDuration(FollowUpPause(0)), std::chrono::milliseconds(220));
}
