// The player's cover: the covering rules, refused cards, placement per pair, the
// automatic player's blind draws, a cover left from earlier, a full row of covers and
// the computer without cards.
//
// The computer's reply runs for real. In these rounds the computer has just put down
// its last card (its count still says one), so after a cover it adds nothing, the round
// ends as covered and the game ends with it, without random draws. A watcher records
// the state the computer's move starts from, before the round end clears the table.
#include <gtest/gtest.h>

#include <algorithm>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "support/fakes.h"
#include "support/step_log.h"

using namespace durak;
using durak::fakes::StepLog;
using durak::fakes::TestTable;

namespace {

constexpr int kStatusX = 50, kStatusY = 6420;
constexpr int kLine = TextLayer::kLineHeight;

int Holder(int card) { return PictureIndexOf(card); }

// The computer attacks in the human game and has just led `attack` with its last card.
void ComputerLed(TestTable& t, int trumpCard, int attack) {
    GameState& s = t.g;
    s.playMode = kPlayModeHuman;
    s.playerRole = 2;
    s.trumpCard = static_cast<Field>(trumpCard);
    s.trumpSuitIcon = static_cast<Field>(SuitNumberOf(trumpCard));
    s.dealtCount = 35;
    s.computerAttackCard = static_cast<Field>(attack);
    s.tableComputerAttack[1] = static_cast<Field>(attack);
    s.computerAttackPair = 2;
    s.playerDefencePair = 1;
    s.playerAttackPair = 1;
    s.computerDefencePair = 1;
    s.attackPhase = 4;
    s.computerHand.Clear();
    s.computerCardCount = 1;
}

// The same between two computers.
void ComputerLedToAutomaticPlayer(TestTable& t, int trumpCard, int attack) {
    ComputerLed(t, trumpCard, attack);
    t.g.playMode = kPlayModeTwoComputers;
    t.g.delayFactor = 1;
}

// Nothing at all happened: hand, table and the cover fields as before, nothing printed.
void ExpectRefused(const TestTable& t, const GameState& before, const StepLog& log) {
    EXPECT_EQ(t.g.playerHand.v, before.playerHand.v);
    EXPECT_EQ(t.g.tablePlayerDefence.v, before.tablePlayerDefence.v);
    EXPECT_EQ(t.g.playerDefencePair, before.playerDefencePair);
    EXPECT_EQ(t.g.playerDefenceCard, before.playerDefenceCard);
    EXPECT_EQ(t.g.attackPhase, before.attackPhase);
    EXPECT_EQ(t.g.computerAttackCard, before.computerAttackCard);
    EXPECT_EQ(t.g.defenceCard, 0);
    EXPECT_EQ(log.seen.size(), 1u) << "the computer must not move";
}

}  // namespace

// --- The covering rules -------------------------------------------------------------------

TEST(PlayerDefendCovering, HigherCardOfTheSuitOrAnyTrumpCovers) {
    struct Case {
        int card;
        bool covers;
    };
    // Trumps hearts, the computer led Q♠.
    for (Case c : {Case{13, true}, Case{7, false}, Case{156, true}, Case{64, false},
                   Case{0, false}, Case{12 + 150, true}, Case{112, false}}) {
        SCOPED_TRACE(c.card);
        TestTable t;
        ComputerLed(t, 160, 12);
        t.g.playerHand[2] = static_cast<Field>(c.card);
        t.g.playerHand[5] = 113;
        t.g.selectedSlot = 2;
        t.g.defenceCard = 111;  // whatever was there before
        t.text.MoveTextPen(50, 170);
        const GameState before = t.g;
        StepLog log(t);

        fakes::PlayStep(t.g, PlayerDefend);

        EXPECT_EQ(t.g.attackSuitNumber, 1);
        if (!c.covers) {
            ExpectRefused(t, before, log);
            EXPECT_EQ(t.text.Dump(), "");
            EXPECT_EQ(t.text.PenY(), 170);
            EXPECT_TRUE(t.screen.log.empty());
            continue;
        }
        const auto* next = log.First("ComputerAttack");
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(log.seen[1].step, "ComputerAttack");
        const GameState& s = next->state;
        EXPECT_EQ(s.playerHand[2], 0);
        EXPECT_EQ(s.playerHand[5], 113);
        EXPECT_EQ(s.playerDefenceCard, c.card);
        EXPECT_EQ(s.defenceCard, c.card);
        EXPECT_EQ(s.tablePlayerDefence[1], c.card);
        EXPECT_EQ(s.playerDefencePair, 2);
        EXPECT_EQ(s.computerAttackCard, 0);
        EXPECT_EQ(s.attackPhase, 2);
        EXPECT_TRUE(fakes::Shown(t.screen, 42, kBlankHolder, next->screenOps));
        EXPECT_TRUE(fakes::Shown(t.screen, 73, Holder(c.card), next->screenOps));
        EXPECT_EQ(next->penX, 0);
        EXPECT_EQ(next->penY, 170 + kLine) << "one empty line before the computer moves";
    }
}

TEST(PlayerDefendCovering, SuitTestAndTrumpTestEachTakeTheCardOutOfTheHand) {
    // Trumps clubs, the computer led 10♣: J♣ covers by suit, 6♣ only as a trump.
    TestTable t;
    ComputerLed(t, 63, 60);
    t.g.attackSuitNumber = 2;
    t.g.playerHand[1] = 61;
    t.g.playerHand[4] = 56;
    t.g.playerHand[6] = 110;  // 10♦: a higher code, but outside the clubs

    t.g.selectedSlot = 6;
    EXPECT_FALSE(CoverSuitTest(t.g));
    EXPECT_FALSE(CoverTrumpTest(t.g));
    EXPECT_EQ(t.g.playerHand[6], 110);

    t.g.selectedSlot = 4;
    EXPECT_FALSE(CoverSuitTest(t.g));
    EXPECT_EQ(t.g.playerHand[4], 56);
    EXPECT_EQ(t.g.playerDefenceCard, 0);
    EXPECT_TRUE(CoverTrumpTest(t.g));
    EXPECT_EQ(t.g.playerDefenceCard, 56);
    EXPECT_EQ(t.g.playerHand[4], 0);
    EXPECT_EQ(t.screen.PictureOf(44), kBlankHolder);

    t.g.selectedSlot = 1;
    EXPECT_TRUE(CoverSuitTest(t.g));
    EXPECT_EQ(t.g.playerDefenceCard, 61);
    EXPECT_EQ(t.g.playerHand[1], 0);
    EXPECT_EQ(t.screen.PictureOf(41), kBlankHolder);

    // The computer's card, taken into the hand, does not cover itself.
    t.g.computerAttackCard = 63;
    t.g.playerHand[2] = 63;
    t.g.selectedSlot = 2;
    EXPECT_FALSE(CoverTrumpTest(t.g));
    EXPECT_EQ(t.g.playerHand[2], 63);

    // A slot number outside the hand names no card, also for the computer's re-check.
    t.g.playerDefenceCard = 0;
    t.g.playerHand[12] = 64;
    const std::size_t ops = t.screen.log.size();
    for (int slot : {0, -1, 13, 200}) {
        t.g.selectedSlot = static_cast<Field>(slot);
        EXPECT_FALSE(CoverSuitTest(t.g) || CoverTrumpTest(t.g)) << slot;
    }
    EXPECT_EQ(t.g.playerDefenceCard, 0);
    EXPECT_EQ(t.screen.log.size(), ops);
}

TEST(PlayerDefendCovering, LastCardOfTheHandLeavesTheComputersCardWaiting) {
    TestTable t;
    ComputerLed(t, 160, 12);
    t.g.playerHand[3] = 13;
    t.g.selectedSlot = 3;
    StepLog log(t);

    fakes::PlayStep(t.g, PlayerDefend);

    const auto* next = log.First("ComputerAttack");
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->state.playerHand.AllZero());
    EXPECT_EQ(next->state.attackPhase, 4);
    EXPECT_EQ(next->state.computerAttackCard, 0);
    EXPECT_EQ(next->state.tablePlayerDefence[1], 13);
}

// --- Placement ------------------------------------------------------------------------------

TEST(PlayerDefendPlacement, CoverGoesToItsPairAndClearsTheNextEntry) {
    const int attacks[] = {0, 12, 9, 8, 7, 6, 10};
    const int covers[] = {0, 13, 14, 156, 157, 158, 159};
    for (int k = 1; k <= 6; ++k) {
        SCOPED_TRACE(k);
        TestTable t;
        ComputerLed(t, 160, attacks[k]);
        for (int j = 1; j < k; ++j) {
            t.g.tableComputerAttack[j] = static_cast<Field>(attacks[j]);
            t.g.tablePlayerDefence[j] = static_cast<Field>(covers[j]);
        }
        t.g.tableComputerAttack[k] = static_cast<Field>(attacks[k]);
        if (k < 6) t.g.tablePlayerDefence[k + 1] = 63;  // left over from an earlier round
        t.g.playerDefencePair = static_cast<Field>(k);
        t.g.computerAttackPair = static_cast<Field>(k + 1);
        t.g.playerHand[1] = 164;  // A♥, a trump
        t.g.playerHand[2] = 113;
        t.g.selectedSlot = 1;
        StepLog log(t);

        fakes::PlayStep(t.g, PlayerDefend);

        const auto* next = log.First("ComputerAttack");
        ASSERT_NE(next, nullptr);
        const GameState& s = next->state;
        EXPECT_EQ(s.tablePlayerDefence[k], 164);
        if (k < 6) EXPECT_EQ(s.tablePlayerDefence[k + 1], 0);
        for (int j = 1; j < k; ++j) EXPECT_EQ(s.tablePlayerDefence[j], covers[j]);
        EXPECT_EQ(s.playerDefencePair, k + 1);
        EXPECT_TRUE(fakes::Shown(t.screen, kPlayerDefencePlace[k], Holder(164), next->screenOps));
    }
}

TEST(PlayerDefendPlacement, SeventhCoverGoesBackIntoTheHand) {
    TestTable t;
    ComputerLed(t, 160, 6);
    const int attacks[] = {0, 12, 9, 8, 7, 11, 10};
    const int covers[] = {0, 13, 14, 156, 157, 158, 159};
    for (int k = 1; k <= 6; ++k) {
        t.g.tableComputerAttack[k] = static_cast<Field>(attacks[k]);
        t.g.tablePlayerDefence[k] = static_cast<Field>(covers[k]);
    }
    t.g.playerDefencePair = 7;
    t.g.computerAttackPair = 7;
    t.g.playerHand[4] = 161;  // J♥ covers the 6♠ as a trump
    t.g.playerHand[5] = 113;
    t.g.selectedSlot = 4;
    const GameState before = t.g;
    StepLog log(t);

    PlayerDefend(t.g);

    ExpectRefused(t, before, log);
    EXPECT_EQ(t.g.tableComputerAttack.v, before.tableComputerAttack.v);
    EXPECT_EQ(t.screen.PictureOf(44), Holder(161)) << "the card is shown in its slot again";
}

// --- A cover left from earlier ----------------------------------------------------------------

// Between two computers the cover 8♦ of an earlier move is still in playerDefenceCard
// when the computer's 8♠ waits: it counts as found, so there is no second draw and no
// trump test, and it is not put on the table again. Pair 2: it is the cover of pair 1.
// Pair 1: the round was reset around it, and the card is gone with the beaten ones.
TEST(PlayerDefendStaleCover, CoverOfAnEarlierMoveIsNotPlacedAgain) {
    for (int pair : {2, 1}) {
        SCOPED_TRACE(pair);
        TestTable t;
        ComputerLedToAutomaticPlayer(t, 160, 8);
        if (pair == 2) {
            t.g.tableComputerAttack[1] = 106;
            t.g.tablePlayerDefence[1] = 108;
            t.g.tableComputerAttack[2] = 8;
            t.g.computerAttackPair = 3;
        }
        t.g.playerDefencePair = static_cast<Field>(pair);
        t.g.playerDefenceCard = 108;
        t.g.playerHand[3] = 156;  // a trump, but it does not cover by suit
        t.g.playerHand[7] = 113;
        t.random.PushInt(3, 12);
        t.random.PushInt(7, 12);  // there must be no second draw
        const GameState before = t.g;
        StepLog log(t);

        PlayerDefend(t.g);

        EXPECT_EQ(t.random.values.size(), 1u);
        EXPECT_EQ(t.g.playerHand.v, before.playerHand.v);
        EXPECT_EQ(t.g.tablePlayerDefence.v, before.tablePlayerDefence.v);
        EXPECT_EQ(t.g.playerDefencePair, pair);
        EXPECT_EQ(t.g.defenceCard, 108);
        EXPECT_EQ(t.g.computerAttackCard, 8);
        EXPECT_EQ(t.g.autoDefendTries, 0);
        EXPECT_TRUE(t.screen.log.empty());
        EXPECT_EQ(log.seen.size(), 1u);
    }
}

// --- The automatic player's draws -------------------------------------------------------------

TEST(PlayerDefendAutomatic, DrawsUntilTheTriesRunOutAndTriesTrumpsOnlyOnTheLast) {
    struct Case {
        int tries, draws;
    };
    // Trumps hearts, the computer led Q♠: K♠ in slot 12 would cover, 6♥ in slot 5
    // would cover as a trump, 7♠ in slot 3 covers nothing.
    for (Case c : {Case{0, 14}, Case{10, 4}, Case{12, 2}, Case{13, 1}, Case{20, 1}}) {
        SCOPED_TRACE(c.tries);
        TestTable t;
        ComputerLedToAutomaticPlayer(t, 160, 12);
        t.g.playerHand[3] = 7;
        t.g.playerHand[5] = 156;
        t.g.playerHand[12] = 13;
        t.g.autoDefendTries = static_cast<Field>(c.tries);
        const double pattern[] = {0.01, 5.5 / 12, 0.999};  // no slot, the trump, slot 11
        for (int i = 1; i < c.draws; ++i) t.random.Push(pattern[i % 3]);
        t.random.PushInt(3, 12);  // the last draw: 7♠
        const GameState before = t.g;
        StepLog log(t);

        PlayerDefend(t.g);

        EXPECT_EQ(t.random.reseeds, c.draws);
        EXPECT_TRUE(t.random.values.empty());
        EXPECT_EQ(t.g.selectedSlot, 3);
        EXPECT_EQ(t.g.autoDefendTries, std::max(c.tries, 13));
        EXPECT_EQ(t.g.playerHand.v, before.playerHand.v);
        EXPECT_EQ(t.g.playerDefenceCard, 0);
        EXPECT_EQ(t.g.defenceCard, 0);
        EXPECT_EQ(log.seen.size(), 1u) << "the draws are one move, not new ones";
    }
}

// A draw that covers ends the draws: by suit at once, by trump only on the last draw.
TEST(PlayerDefendAutomatic, CoveringDrawIsPlacedForTheComputersNextMove) {
    struct Case {
        int tries, slot, card;
    };
    for (Case c : {Case{0, 1, 13}, Case{12, 5, 156}}) {
        SCOPED_TRACE(c.tries);
        TestTable t;
        ComputerLedToAutomaticPlayer(t, 160, 12);
        t.g.playerHand[1] = 13;
        t.g.playerHand[3] = 7;
        t.g.playerHand[5] = 156;
        t.g.autoDefendTries = static_cast<Field>(c.tries);
        if (c.tries > 0) t.random.PushInt(3, 12);
        t.random.PushInt(c.slot, 12);
        StepLog log(t);

        fakes::PlayStep(t.g, PlayerDefend);

        const auto* next = log.First("ComputerAttack");
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->reseeds, c.tries > 0 ? 2 : 1);
        EXPECT_EQ(next->state.tablePlayerDefence[1], c.card);
        EXPECT_EQ(next->state.defenceCard, c.card);
        EXPECT_EQ(next->state.playerHand[c.slot], 0);
        EXPECT_EQ(next->state.playerHand[3], 7);
        EXPECT_EQ(next->state.autoDefendTries, c.tries > 0 ? 13 : 0);
        EXPECT_EQ(next->state.attackPhase, 2);
    }
}

// --- Entering without a card to cover ---------------------------------------------------------

TEST(PlayerDefendEntry, NothingWaitingHandsStraightToTheComputer) {
    // After the player's cover of pair 1 the computer is to add: nothing is tested.
    TestTable t;
    ComputerLed(t, 160, 0);
    t.g.tableComputerAttack[1] = 12;
    t.g.tablePlayerDefence[1] = 13;
    t.g.playerDefencePair = 2;
    t.g.defenceCard = 13;
    t.g.playerDefenceCard = 13;
    t.g.attackPhase = 2;
    t.g.attackSuitNumber = 3;
    t.g.playerHand[2] = 14;  // would cover a spade
    t.g.selectedSlot = 2;
    t.text.MoveTextPen(50, 170);
    const GameState before = t.g;
    StepLog log(t);

    fakes::PlayStep(t.g, PlayerDefend);

    ASSERT_GE(log.seen.size(), 2u);
    const auto& next = log.seen[1];
    EXPECT_EQ(next.step, "ComputerAttack");
    EXPECT_EQ(next.state.playerHand[2], 14);
    EXPECT_EQ(next.state.attackSuitNumber, 3);
    EXPECT_EQ(next.state.tablePlayerDefence.v, before.tablePlayerDefence.v);
    EXPECT_EQ(next.state.playerDefencePair, 2);
    EXPECT_EQ(next.penY, 170);
    EXPECT_EQ(next.screenOps, 0u);
}

TEST(PlayerDefendEntry, ComputerWithoutCardsHasWonAgain) {
    for (Field mode : {kPlayModeHuman, kPlayModeTwoComputers}) {
        SCOPED_TRACE(mode);
        TestTable t;
        ComputerLed(t, 160, 12);
        t.g.playMode = mode;
        t.g.computerCardCount = 0;
        t.g.attackPhase = 2;  // the win is told before anything else
        t.g.playerHand[2] = 13;
        t.g.selectedSlot = 2;
        StepLog log(t);

        EXPECT_THROW(PlayerDefend(t.g), GameOver);

        EXPECT_EQ(t.g.playerHand[2], 13);
        EXPECT_EQ(t.random.reseeds, 0);
        EXPECT_EQ(log.First("ComputerAttack"), nullptr);
        ASSERT_GE(log.seen.size(), 2u);
        const auto& next = log.seen[1];
        EXPECT_EQ(next.step, "ComputerWon");
        EXPECT_EQ(next.text, "Комп выиграл\n");
        EXPECT_EQ(next.penY, kStatusY + kLine);
        ASSERT_GE(next.screenOps, 1u);
        EXPECT_EQ(t.screen.log[0].slot, kComputerFanSlot);
        EXPECT_EQ(t.screen.log[0].value, kFanHolder1);
        EXPECT_TRUE(t.text.HasRunAt(kStatusX, kStatusY, "Комп выиграл"));
    }
}
