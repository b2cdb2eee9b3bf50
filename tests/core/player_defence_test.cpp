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
#include "support/steps.h"

using namespace durak;
using namespace durak::fakes;

namespace {

constexpr int kLine = TextLayer::kLineHeight;

// The computer attacks at the human's table and has just put down the last card of
// `attacks` with its last card; the player's covers of the pairs before lie in `covers`.
Layout ComputerLed(const char* trump, Cards playerHand, Cards attacks, Cards covers = {}) {
    return {.playerRole = kPlayerDefends, .attackPhase = kComputerCardDown, .trump = trump,
            .playerHand = playerHand, .computerAttack = attacks, .playerDefence = covers};
}
Layout ComputerLedToAutomaticPlayer(const char* trump, Cards playerHand, Cards attacks, Cards covers = {}) {
    Layout l = ComputerLed(trump, playerHand, attacks, covers);
    l.playMode = kPlayModeTwoComputers;
    l.delayFactor = kPaceFast;
    return l;
}
// The computer's card waiting is the last it put down; its hand is empty, its count one.
void CardWaits(TestTable& t) {
    for (int k = 1; k <= kPairs; ++k)
        if (t.g.tableComputerAttack[k] != kNoCard) t.g.computerAttackCard = t.g.tableComputerAttack[k];
    t.g.trumpSuitIcon = static_cast<Field>(SuitNumberOf(t.g.trumpCard));
    t.g.computerCardCount = 1;
}

// Nothing at all happened: hand, table and the cover fields as before, nothing printed.
void ExpectRefused(const TestTable& t, const GameState& before, const StepLog& log) {
    EXPECT_EQ(t.g.playerHand.v, before.playerHand.v);
    EXPECT_EQ(t.g.tablePlayerDefence.v, before.tablePlayerDefence.v);
    EXPECT_EQ(t.g.playerDefencePair, before.playerDefencePair);
    EXPECT_EQ(t.g.playerDefenceCard, before.playerDefenceCard);
    EXPECT_EQ(t.g.attackPhase, before.attackPhase);
    EXPECT_EQ(t.g.computerAttackCard, before.computerAttackCard);
    EXPECT_EQ(t.g.defenceCard, kNoCard);
    EXPECT_EQ(log.seen.size(), 1u) << "the computer must not move";
}

}  // namespace

// --- The covering rules -------------------------------------------------------------------

TEST(PlayerDefendCovering, HigherCardOfTheSuitOrAnyTrumpCovers) {
    struct Case {
        const char* card;
        bool covers;
    };
    // Trumps hearts, the computer led Q♠.
    for (Case c : {Case{"K♠", true}, Case{"7♠", false}, Case{"6♥", true}, Case{"A♣", false},
                   Case{"", false}, Case{"Q♥", true}, Case{"Q♦", false}}) {
        SCOPED_TRACE(c.card);
        TestTable t(ComputerLed("10♥", {"", c.card, "", "", "K♦"}, {"Q♠"}));
        CardWaits(t);
        t.g.selectedSlot = 2;
        t.g.defenceCard = static_cast<Field>(Card("J♦"));  // whatever was there before
        t.text.MoveTextPen(50, 170);
        const GameState before = t.g;
        StepLog log(t);

        PlayStep(t.g, PlayerDefend);

        EXPECT_EQ(t.g.attackSuitNumber, 1);
        if (!c.covers) {
            ExpectRefused(t, before, log);
            EXPECT_EQ(t.text.Dump(), "");
            EXPECT_EQ(t.text.PenY(), 170);
            EXPECT_TRUE(t.screen.log.empty());
            continue;
        }
        EXPECT_EQ(log.Next().step, "ComputerAttack");
        const auto& next = log.Next();
        const GameState& s = next.state;
        EXPECT_EQ(s.playerHand[2], kNoCard);
        EXPECT_EQ(s.playerHand[5], Card("K♦"));
        EXPECT_EQ(s.playerDefenceCard, Card(c.card));
        EXPECT_EQ(s.defenceCard, Card(c.card));
        EXPECT_EQ(s.tablePlayerDefence[1], Card(c.card));
        EXPECT_EQ(s.playerDefencePair, 2);
        EXPECT_EQ(s.computerAttackCard, kNoCard);
        EXPECT_EQ(s.attackPhase, kNothingToCover);
        EXPECT_TRUE(Shown(t.screen, HandSlotControl(2), kBlankHolder, next.screenOps));
        EXPECT_TRUE(Shown(t.screen, kPlayerDefencePlace[1], PictureIndexOf(Card(c.card)), next.screenOps));
        EXPECT_EQ(next.penX, 0);
        EXPECT_EQ(next.penY, 170 + kLine) << "one empty line before the computer moves";
    }
}

TEST(PlayerDefendCovering, SuitTestAndTrumpTestEachTakeTheCardOutOfTheHand) {
    // Trumps clubs, the computer led 10♣: J♣ covers by suit, 6♣ only as a trump.
    TestTable t(ComputerLed("K♣", {"J♣", "", "", "6♣", "", "10♦"}, {"10♣"}));  // 10♦: higher, but no club
    CardWaits(t);
    t.g.attackSuitNumber = 2;

    t.g.selectedSlot = 6;
    EXPECT_FALSE(CoverSuitTest(t.g));
    EXPECT_FALSE(CoverTrumpTest(t.g));
    EXPECT_EQ(t.g.playerHand[6], Card("10♦"));

    t.g.selectedSlot = 4;
    EXPECT_FALSE(CoverSuitTest(t.g));
    EXPECT_EQ(t.g.playerHand[4], Card("6♣"));
    EXPECT_EQ(t.g.playerDefenceCard, kNoCard);
    EXPECT_TRUE(CoverTrumpTest(t.g));
    EXPECT_EQ(t.g.playerDefenceCard, Card("6♣"));
    EXPECT_EQ(t.g.playerHand[4], kNoCard);
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(4)), kBlankHolder);

    t.g.selectedSlot = 1;
    EXPECT_TRUE(CoverSuitTest(t.g));
    EXPECT_EQ(t.g.playerDefenceCard, Card("J♣"));
    EXPECT_EQ(t.g.playerHand[1], kNoCard);
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(1)), kBlankHolder);

    // The computer's card, taken into the hand, does not cover itself.
    t.g.computerAttackCard = static_cast<Field>(Card("K♣"));
    t.g.playerHand[2] = static_cast<Field>(Card("K♣"));
    t.g.selectedSlot = 2;
    EXPECT_FALSE(CoverTrumpTest(t.g));
    EXPECT_EQ(t.g.playerHand[2], Card("K♣"));

    // A slot number outside the hand names no card, also for the computer's re-check.
    t.g.playerDefenceCard = kNoCard;
    t.g.playerHand[12] = static_cast<Field>(Card("A♣"));
    const std::size_t ops = t.screen.log.size();
    for (int slot : {0, -1, kPlayerHandSlots + 1, 200}) {
        t.g.selectedSlot = static_cast<Field>(slot);
        EXPECT_FALSE(CoverSuitTest(t.g) || CoverTrumpTest(t.g)) << slot;
    }
    EXPECT_EQ(t.g.playerDefenceCard, kNoCard);
    EXPECT_EQ(t.screen.log.size(), ops);
}

TEST(PlayerDefendCovering, LastCardOfTheHandLeavesTheComputersCardWaiting) {
    TestTable t(ComputerLed("10♥", {"", "", "K♠"}, {"Q♠"}));
    CardWaits(t);
    t.g.selectedSlot = 3;
    StepLog log(t);

    PlayStep(t.g, PlayerDefend);

    const GameState& s = log.At("ComputerAttack").state;
    EXPECT_TRUE(s.playerHand.AllZero());
    EXPECT_EQ(s.attackPhase, kComputerCardDown);
    EXPECT_EQ(s.computerAttackCard, kNoCard);
    EXPECT_EQ(s.tablePlayerDefence[1], Card("K♠"));
}

// --- Placement ------------------------------------------------------------------------------

TEST(PlayerDefendPlacement, CoverGoesToItsPairAndClearsTheNextEntry) {
    const Cards attacks = {"Q♠", "9♠", "8♠", "7♠", "6♠", "10♠"};
    const Cards covers = {"K♠", "A♠", "6♥", "7♥", "8♥", "9♥"};
    for (int k = 1; k <= kPairs; ++k) {
        SCOPED_TRACE(k);
        TestTable t(ComputerLed("10♥", {"A♥", "K♦"}, Cards(attacks.begin(), attacks.begin() + k),
                                Cards(covers.begin(), covers.begin() + k - 1)));
        CardWaits(t);
        if (k < kPairs) t.g.tablePlayerDefence[k + 1] = static_cast<Field>(Card("K♣"));  // left over from an earlier round
        t.g.selectedSlot = 1;  // A♥, a trump
        StepLog log(t);

        PlayStep(t.g, PlayerDefend);

        const auto& next = log.At("ComputerAttack");
        const GameState& s = next.state;
        EXPECT_EQ(s.tablePlayerDefence[k], Card("A♥"));
        if (k < kPairs) EXPECT_EQ(s.tablePlayerDefence[k + 1], kNoCard);
        for (int j = 1; j < k; ++j) EXPECT_EQ(s.tablePlayerDefence[j], covers[j - 1].card);
        EXPECT_EQ(s.playerDefencePair, k + 1);
        EXPECT_TRUE(Shown(t.screen, kPlayerDefencePlace[k], PictureIndexOf(Card("A♥")), next.screenOps));
    }
}

TEST(PlayerDefendPlacement, SeventhCoverGoesBackIntoTheHand) {
    TestTable t(ComputerLed("10♥", {{4, "J♥"}, "K♦"}, {"Q♠", "9♠", "8♠", "7♠", "J♠", "10♠"},
                            {"K♠", "A♠", "6♥", "7♥", "8♥", "9♥"}));
    CardWaits(t);
    t.g.computerAttackCard = static_cast<Field>(Card("6♠"));  // J♥ covers it as a trump
    t.g.selectedSlot = 4;
    const GameState before = t.g;
    StepLog log(t);

    PlayerDefend(t.g);

    ExpectRefused(t, before, log);
    EXPECT_EQ(t.g.tableComputerAttack.v, before.tableComputerAttack.v);
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(4)), PictureIndexOf(Card("J♥")))
        << "the card is shown in its slot again";
}

// --- A cover left from earlier ----------------------------------------------------------------

// Between two computers the cover 8♦ of an earlier move is still in playerDefenceCard
// when the computer's 8♠ waits: it counts as found, so there is no second draw and no
// trump test, and it is not put on the table again. Pair 2: it is the cover of pair 1.
// Pair 1: the round was reset around it, and the card is gone with the beaten ones.
TEST(PlayerDefendStaleCover, CoverOfAnEarlierMoveIsNotPlacedAgain) {
    for (int pair : {2, 1}) {
        SCOPED_TRACE(pair);
        const Cards hand = {"", "", "6♥", "", "", "", "K♦"};  // 6♥: a trump, but it does not cover by suit
        TestTable t(pair == 2 ? ComputerLedToAutomaticPlayer("10♥", hand, {"6♦", "8♠"}, {"8♦"})
                              : ComputerLedToAutomaticPlayer("10♥", hand, {"8♠"}));
        CardWaits(t);
        t.g.playerDefenceCard = static_cast<Field>(Card("8♦"));
        t.random.PushInt(3, 12);
        t.random.PushInt(7, 12);  // there must be no second draw
        const GameState before = t.g;
        StepLog log(t);

        PlayerDefend(t.g);

        EXPECT_EQ(t.random.values.size(), 1u);
        EXPECT_EQ(t.g.playerHand.v, before.playerHand.v);
        EXPECT_EQ(t.g.tablePlayerDefence.v, before.tablePlayerDefence.v);
        EXPECT_EQ(t.g.playerDefencePair, pair);
        EXPECT_EQ(t.g.defenceCard, Card("8♦"));
        EXPECT_EQ(t.g.computerAttackCard, Card("8♠"));
        EXPECT_EQ(t.g.autoDefendTries, 0);
        EXPECT_TRUE(t.screen.log.empty());
        EXPECT_EQ(log.seen.size(), 1u);
    }
}

// --- The automatic player's draws -------------------------------------------------------------

// Trumps hearts, the computer led Q♠: 7♠ in slot 3 covers nothing, 6♥ in slot 5 covers as
// a trump, K♠ in slot 12 would cover but is never drawn. The draws go on while the tries
// allow; a draw that covers ends them, by suit at once, by trump only on the last draw.
TEST(PlayerDefendAutomatic, DrawsUntilTheTriesRunOutAndTriesTrumpsOnlyOnTheLast) {
    struct Case {
        int tries, draws;
    };
    for (Case c : {Case{0, 14}, Case{10, 4}, Case{12, 2}, Case{13, 1}, Case{20, 1}}) {
        SCOPED_TRACE(c.tries);
        TestTable t(ComputerLedToAutomaticPlayer("10♥", {"", "", "7♠", "", "6♥", {12, "K♠"}}, {"Q♠"}));
        CardWaits(t);
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
        EXPECT_EQ(t.g.playerDefenceCard, kNoCard);
        EXPECT_EQ(t.g.defenceCard, kNoCard);
        EXPECT_EQ(log.seen.size(), 1u) << "the draws are one move, not new ones";
    }
    for (Case c : {Case{0, 1}, Case{12, 2}}) {
        SCOPED_TRACE(c.tries);
        TestTable t(ComputerLedToAutomaticPlayer("10♥", {"K♠", "", "7♠", "", "6♥"}, {"Q♠"}));
        CardWaits(t);
        t.g.autoDefendTries = static_cast<Field>(c.tries);
        const int slot = c.draws == 1 ? 1 : 5;
        if (c.draws == 2) t.random.PushInt(3, 12);
        t.random.PushInt(slot, 12);
        StepLog log(t);

        PlayStep(t.g, PlayerDefend);

        const auto& next = log.At("ComputerAttack");
        const int card = Card(slot == 1 ? "K♠" : "6♥");
        EXPECT_EQ(next.reseeds, c.draws);
        EXPECT_EQ(next.state.tablePlayerDefence[1], card);
        EXPECT_EQ(next.state.defenceCard, card);
        EXPECT_EQ(next.state.playerHand[slot], kNoCard);
        EXPECT_EQ(next.state.playerHand[3], Card("7♠"));
        EXPECT_EQ(next.state.autoDefendTries, c.tries > 0 ? 13 : 0);
        EXPECT_EQ(next.state.attackPhase, kNothingToCover);
    }
}

// --- Entering without a card to cover ---------------------------------------------------------

TEST(PlayerDefendEntry, NothingWaitingHandsStraightToTheComputer) {
    // After the player's cover of pair 1 the computer is to add: nothing is tested.
    Layout l = ComputerLed("10♥", {"", "A♠"}, {"Q♠"}, {"K♠"});  // A♠ would cover a spade
    l.attackPhase = kNothingToCover;
    TestTable t(l);
    CardWaits(t);
    t.g.computerAttackCard = kNoCard;
    t.g.defenceCard = t.g.playerDefenceCard = static_cast<Field>(Card("K♠"));
    t.g.attackSuitNumber = 3;
    t.g.selectedSlot = 2;
    t.text.MoveTextPen(50, 170);
    const GameState before = t.g;
    StepLog log(t);

    PlayStep(t.g, PlayerDefend);

    const auto& next = log.Next();
    EXPECT_EQ(next.step, "ComputerAttack");
    EXPECT_EQ(next.state.playerHand[2], Card("A♠"));
    EXPECT_EQ(next.state.attackSuitNumber, 3);
    EXPECT_EQ(next.state.tablePlayerDefence.v, before.tablePlayerDefence.v);
    EXPECT_EQ(next.state.playerDefencePair, 2);
    EXPECT_EQ(next.penY, 170);
    EXPECT_EQ(next.screenOps, 0u);
}

TEST(PlayerDefendEntry, ComputerWithoutCardsHasWonAgain) {
    for (Field mode : {kPlayModeHuman, kPlayModeTwoComputers}) {
        SCOPED_TRACE(mode);
        Layout l = ComputerLed("10♥", {"", "K♠"}, {"Q♠"});
        l.playMode = mode;
        l.attackPhase = kNothingToCover;  // the win is told before anything else
        TestTable t(l);
        CardWaits(t);
        t.g.computerCardCount = 0;
        t.g.selectedSlot = 2;
        StepLog log(t);

        EXPECT_THROW(PlayerDefend(t.g), GameOver);

        EXPECT_EQ(t.g.playerHand[2], Card("K♠"));
        EXPECT_EQ(t.random.reseeds, 0);
        EXPECT_EQ(log.Count("ComputerAttack"), 0);
        const auto& next = log.Next();
        EXPECT_EQ(next.step, "ComputerWon");
        EXPECT_EQ(next.text, "Комп выиграл\n");
        EXPECT_EQ(next.penY, TextLayer::kStatusLineY + kLine);
        ASSERT_GE(next.screenOps, 1u);
        EXPECT_EQ(t.screen.log[0].slot, kComputerFanSlot);
        EXPECT_EQ(t.screen.log[0].value, kFanHolder1);
        EXPECT_TRUE(t.StatusShows("Комп выиграл"));
    }
}
