// The printed-text model: item forms, the pen, clearing, and what is kept.
#include <gtest/gtest.h>

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

TEST(Menus, ModeAndPaceOnlySetFields) {
    fakes::TestTable t;
    Form_Load(t.g);
    EXPECT_EQ(t.g.playMode, 1);
    EXPECT_EQ(t.g.delayFactor, 0);
    EXPECT_EQ(t.g.playerRole, 0);  // no game until "Новая"
    MenuTwoComputers(t.g);          // submenu opened and closed without a pace
    EXPECT_EQ(t.g.playMode, 200);
    EXPECT_EQ(t.g.delayFactor, 0);
    MenuMediumGame(t.g);
    EXPECT_EQ(t.g.delayFactor, 300);
    MenuOneComputer(t.g);
    EXPECT_EQ(t.g.playMode, 1);
    EXPECT_EQ(t.g.delayFactor, 300);
    MenuSlowGame(t.g);
    EXPECT_EQ(t.g.playMode, 200);
    EXPECT_EQ(t.g.delayFactor, 600);
    MenuFastGame(t.g);
    EXPECT_EQ(t.g.delayFactor, 1);
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

TEST(PauseTable, DurationsFollowTheCompositions) {
    auto ms = [](const Pause& p) {
        return static_cast<double>(PauseDuration(p).count()) / 1e6;
    };
    EXPECT_NEAR(ms(PlayerCoveredPause()), 1000.0, 0.5);
    EXPECT_NEAR(ms(ComputerTookPause()), 1000.0, 0.5);
    EXPECT_NEAR(ms(TwoComputerRoundEndPause()), (2 * 29000 + 12 * 21000) / 2100.0, 0.5);
    EXPECT_NEAR(ms(DefendContinuationPause(0)), 100.0 + 120.0, 0.5);
    // Pace-scaled parts stay proportional to the pace: 1 : 300 : 600.
    for (auto make : {&AutoLeadClosingPause, &DefendContinuationPause, &FollowUpPause}) {
        const double base = ms(make(0));
        const double fast = ms(make(1)) - base;
        const double medium = ms(make(300)) - base;
        const double slow = ms(make(600)) - base;
        EXPECT_GT(fast, 0.0);
        EXPECT_NEAR(medium / fast, 300.0, 3.0);
        EXPECT_NEAR(slow / medium, 2.0, 0.01);
    }
    EXPECT_EQ(FollowUpPause(300).slowTurns, 21000LL * 300);
    EXPECT_EQ(AutoLeadClosingPause(600).fastTurns, 7LL * 21000);
}
