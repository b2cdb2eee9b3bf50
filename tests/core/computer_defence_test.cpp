// The computer covers the player's card: the first-match scans, the placement over the
// six pairs, the three passes working together, and what follows a cover at the
// human's table and between two computers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "support/steps.h"

using namespace durak;
using namespace durak::fakes;

namespace {

// A round of the player's attack at the human's table, the stock used up. The last card
// of `attacks` has just been put down; `covers` lie beside the cards before it.
Layout PlayerAttacks(const char* trump, Cards computerHand, Cards attacks, Cards covers = {}) {
    return {.delayFactor = kPaceMedium, .trump = trump, .computerHand = computerHand,
            .playerAttack = attacks, .computerDefence = covers};
}

// The card just put down is the one to cover; the cover of the pair before it is still
// held in defenceCard, as the passes of that pair left it.
void JustPutDown(TestTable& t) {
    for (int k = 1; k <= kPairs; ++k) {
        if (t.g.tablePlayerAttack[k] != kNoCard) t.g.playerAttackCard = t.g.tablePlayerAttack[k];
        if (t.g.tableComputerDefence[k] != kNoCard) t.g.defenceCard = t.g.tableComputerDefence[k];
    }
}

}  // namespace

// --- Which card covers -------------------------------------------------------------------

TEST(ComputerCoverChoice, FirstHigherCardInSlotOrderCoversNotTheLowest) {
    TestTable t(PlayerAttacks("J♦", {"10♦", "Q♣", "", "", "7♣"}, {"6♣"}));
    JustPutDown(t);
    StepLog steps(t, {"EndRound", "PlayerAttack"});

    ComputerDefend(t.g);

    EXPECT_EQ(t.g.defenceCard, Card("Q♣"));
    EXPECT_EQ(t.g.computerHand[2], kNoCard);
    EXPECT_EQ(t.g.computerHand[5], Card("7♣"));
    EXPECT_EQ(t.g.computerHand[1], Card("10♦"));
    EXPECT_EQ(t.g.tableComputerDefence[1], Card("Q♣"));
    EXPECT_EQ(t.screen.PictureOf(kComputerDefencePlace[1]), PictureIndexOf(Card("Q♣")));
    EXPECT_EQ(t.g.computerCardCount, 2);
    EXPECT_EQ(t.screen.PictureOf(kComputerFanSlot), kFanHolder2);
    // Covered at the human's table: the attack card is answered, the round goes on.
    EXPECT_EQ(t.g.playerAttackCard, kNoCard);
}

// Without a higher card of the attack suit the first trump in slot order covers, of any
// rank: a lower trump also covers a trump.
TEST(ComputerCoverChoice, FirstTrumpInSlotOrderCoversWithoutAHigherCardOfTheSuit) {
    struct Case {
        const char *trump, *attack;
        Cards hand;
        const char* cover;
        int slot;
    };
    const Case cases[] = {
        {"10♥", "K♥", {"Q♠", "", "7♥"}, "7♥", 3},
        {"A♣", "K♦", {"8♦", "Q♣", "", "7♣"}, "Q♣", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attack);
        TestTable t(PlayerAttacks(c.trump, c.hand, {c.attack}));
        JustPutDown(t);
        const auto before = t.g.computerHand;
        StepLog steps(t, {"EndRound"});

        ComputerDefend(t.g);

        EXPECT_EQ(t.g.tableComputerDefence[1], Card(c.cover));
        for (int slot = 1; slot <= kComputerHandSlots; ++slot)
            EXPECT_EQ(t.g.computerHand[slot], slot == c.slot ? kNoCard : before[slot]) << slot;
    }
}

// --- The passes together -------------------------------------------------------------

// The first pass still holds the cover of pair 1, so it may not reach for a trump; it
// recognises that old cover and clears it, and the second pass places the trump.
TEST(ComputerCoverPasses, SecondPairWithoutHigherCardGetsFirstTrumpFromTheSecondPass) {
    TestTable t(PlayerAttacks("A♣", {"7♠", "6♦", "", "8♥", {9, "8♣"}, "10♣"}, {"8♠", "9♠"}, {"K♠"}));
    JustPutDown(t);
    StepLog steps(t, {"EndRound"});

    ComputerDefend(t.g);

    EXPECT_EQ(t.g.tableComputerDefence[2], Card("8♣"));
    EXPECT_EQ(t.screen.PicturesGiven(kComputerDefencePlace[2]),
              std::vector<int>{PictureIndexOf(Card("8♣"))});
    EXPECT_TRUE(t.screen.PicturesGiven(kComputerDefencePlace[1]).empty());
    EXPECT_EQ(t.g.tableComputerDefence[1], Card("K♠"));
    EXPECT_EQ(t.g.computerDefencePair, 2);
    EXPECT_EQ(t.g.computerHand[9], kNoCard);
    EXPECT_EQ(t.g.computerHand[10], Card("10♣"));
    EXPECT_EQ(t.g.defenceCard, Card("8♣"));
    EXPECT_EQ(t.g.computerCardCount, 4);
}

TEST(ComputerCoverPasses, CoveredPairsAreSteppedOverToTheNextFreePlace) {
    TestTable t(PlayerAttacks("10♥", {"A♠", "A♦"}, {"6♠", "6♣", "6♦", "10♦"}, {"7♠", "7♣", "7♦"}));
    JustPutDown(t);
    t.g.computerDefencePair = 1;
    StepLog steps(t, {"EndRound"});

    ComputerDefend(t.g);

    EXPECT_EQ(t.g.tableComputerDefence[4], Card("A♦"));
    EXPECT_EQ(t.screen.PictureOf(kComputerDefencePlace[4]), PictureIndexOf(Card("A♦")));
    EXPECT_EQ(t.g.computerDefencePair, 4);
    for (int k = 1; k <= 3; ++k) EXPECT_TRUE(t.screen.PicturesGiven(kComputerDefencePlace[k]).empty()) << k;
    EXPECT_EQ(t.g.tableComputerDefence[3], Card("7♦"));
}

// Nothing covers at the human's table: the round ends at once and the computer takes.
TEST(ComputerCoverPasses, NoCoverAtTheHumansTableEndsTheRoundAtOnce) {
    TestTable t(PlayerAttacks("A♣", {"9♠", "8♦", "7♥"}, {"A♦"}));  // no higher diamond, no club
    JustPutDown(t);
    const auto handBefore = t.g.computerHand;
    StepLog steps(t, {"EndRound", "PlayerAttack"});

    EXPECT_EQ(RunToCut(t.g, ComputerDefend), "EndRound");

    const GameState& s = steps.At("EndRound").state;
    EXPECT_EQ(s.defenceCard, kNoCard);
    EXPECT_EQ(s.playerAttackCard, Card("A♦"));  // the round end sees the card to take
    EXPECT_EQ(s.computerHand.v, handBefore.v);
    EXPECT_EQ(s.computerCardCount, 3);
    EXPECT_EQ(s.tableComputerDefence[1], kNoCard);
    EXPECT_EQ(s.computerDefencePair, 2);
    EXPECT_TRUE(t.screen.PicturesGiven(kComputerDefencePlace[1]).empty());
    EXPECT_EQ(steps.Count("ComputerDefend"), 1);
}

// A click on an empty slot brings no new card: nothing leaves the hand, and the round
// neither ends nor goes on to the automatic player.
TEST(ComputerCoverPasses, NoAttackCardTakesNothingFromTheHand) {
    struct Case {
        Field mode;
        int coverOfPairOne;  // still held in defenceCard
    };
    for (Case c : {Case{kPlayModeHuman, kNoCard}, Case{kPlayModeTwoComputers, kNoCard},
                   Case{kPlayModeHuman, Card("10♣")}}) {
        SCOPED_TRACE(c.mode);
        SCOPED_TRACE(c.coverOfPairOne);
        Layout l = PlayerAttacks("A♣", {"Q♣", "K♦"}, {"6♣"}, {"10♣"});
        l.playMode = c.mode;
        TestTable t(l);
        t.g.defenceCard = static_cast<Field>(c.coverOfPairOne);
        const GameState before = t.g;
        StepLog steps(t, {"EndRound", "PlayerAttack"});

        ASSERT_EQ(RunToCut(t.g, ComputerDefend), "");

        EXPECT_EQ(t.g.computerHand.v, before.computerHand.v);
        EXPECT_EQ(t.g.computerCardCount, 2);
        EXPECT_EQ(t.g.tableComputerDefence.v, before.tableComputerDefence.v);
        EXPECT_EQ(t.g.computerDefencePair, before.computerDefencePair);
        EXPECT_EQ(t.g.defenceCard, c.coverOfPairOne);
        EXPECT_EQ(t.g.autoContinueCount, 0);
        EXPECT_TRUE(t.pauses.waits.empty());
        for (int k = 1; k <= kPairs; ++k) EXPECT_TRUE(t.screen.PicturesGiven(kComputerDefencePlace[k]).empty());
        EXPECT_EQ(t.text.PenX(), 0);
        EXPECT_EQ(t.text.PenY(), 500 + TextLayer::kLineHeight);
    }
}

TEST(ComputerCoverPasses, CoveringWithTheLastCardLeavesTheFanPicture) {
    TestTable t(PlayerAttacks("10♥", {{4, "Q♣"}}, {"6♣"}));
    JustPutDown(t);
    StepLog steps(t, {"EndRound"});

    ComputerDefend(t.g);

    EXPECT_EQ(t.g.tableComputerDefence[1], Card("Q♣"));
    EXPECT_EQ(t.g.computerCardCount, 0);
    EXPECT_TRUE(t.screen.PicturesGiven(kComputerFanSlot).empty());
}

// Six pairs are covered and one more card is to be covered: there is no place for it,
// and the card the computer picked stays in its hand instead of leaving the game.
TEST(ComputerCoverPasses, NoSeventhPlaceKeepsTheChosenCardInTheHand) {
    TestTable t(PlayerAttacks("10♥", {"A♦", "7♥", "K♠"}, {"6♠", "7♠", "6♣", "7♣", "6♦", "7♦"},
                              {"8♠", "9♠", "8♣", "9♣", "8♦", "9♦"}));
    JustPutDown(t);
    t.g.playerAttackCard = static_cast<Field>(Card("10♦"));  // A♦ would cover it
    const GameState before = t.g;
    StepLog steps(t, {"EndRound", "PlayerAttack"});

    RunToCut(t.g, ComputerDefend);

    EXPECT_EQ(t.g.computerHand.v, before.computerHand.v);
    EXPECT_EQ(t.g.computerCardCount, 3);
    EXPECT_EQ(t.g.tableComputerDefence.v, before.tableComputerDefence.v);
    EXPECT_EQ(t.g.computerDefencePair, 7);
    for (int k = 1; k <= kPairs; ++k) EXPECT_TRUE(t.screen.PicturesGiven(kComputerDefencePlace[k]).empty()) << k;
    EXPECT_NE(t.g.defenceCard, Card("A♦"));
}

// --- Text --------------------------------------------------------------------------------

TEST(ComputerCoverText, TheFourLandsUnderTheStatusLineAndThePenEndsAtTheComputersLine) {
    TestTable t(PlayerAttacks("10♥", {"Q♣"}, {"6♣"}));
    JustPutDown(t);
    t.text.ClearAndPrintStatus("Мы ходим");

    ComputerDefend(t.g);

    EXPECT_TRUE(t.text.HasRunAt(0, TextLayer::kStatusLineY + TextLayer::kLineHeight, " 4 ")) << t.text.Dump();
    EXPECT_EQ(t.text.PenX(), 0);
    EXPECT_EQ(t.text.PenY(), 500 + TextLayer::kLineHeight);
    const auto& pixels = t.text.Pixels();
    EXPECT_NE(std::find(pixels.begin(), pixels.end(), TextLayer::Pixel{50, 500}), pixels.end());
}

// --- Between two computers -------------------------------------------------------------

TEST(ComputerCoverTwoComputers, CoverIsShownThenTheAutomaticPlayerAddsAfterThePause) {
    Layout l = PlayerAttacks("10♥", {"Q♣", "7♠"}, {"6♣"});
    l.playMode = kPlayModeTwoComputers;
    TestTable t(l);
    JustPutDown(t);
    t.g.autoContinueCount = 5;
    StepLog steps(t, {"EndRound", "PlayerAttack"});

    EXPECT_EQ(RunToCut(t.g, ComputerDefend), "PlayerAttack");

    const auto& at = steps.At("PlayerAttack");
    EXPECT_EQ(at.state.autoContinueCount, 6);
    EXPECT_EQ(at.state.scratch, 21001);
    EXPECT_EQ(at.state.tableComputerDefence[1], Card("Q♣"));
    EXPECT_EQ(at.state.playerAttackCard, Card("6♣"));  // only the human's table clears it
    EXPECT_GT(at.penY, TextLayer::kClientHeight);  // 29000 empty lines pushed the pen down
    EXPECT_EQ(t.screen.windowShown, 1);
    ASSERT_EQ(t.pauses.waits.size(), 1u);
    const Pause& p = t.pauses.waits[0];
    EXPECT_EQ(p.kind, PauseKind::DefendContinuation);
    EXPECT_EQ(p.slowTurns, 50LL * kPaceMedium);
    EXPECT_EQ(p.fastTurns, 12LL * 21000);
    EXPECT_EQ(p.emptyLines, 29000);
}

// Between two computers the automatic player adds after cards the computer could not
// cover, and the cover cursor lags behind: no cover goes on the table for A♦, and a cover
// found later still lies beside the card it beats, not in the column of an uncovered one.
TEST(ComputerCoverTwoComputers, NoCoverStillHandsTheMoveOnAndALaterCoverLiesBesideItsCard) {
    Layout l = PlayerAttacks("A♣", {"9♠", "8♦"}, {"A♦"});
    l.playMode = kPlayModeTwoComputers;
    TestTable t(l);
    JustPutDown(t);
    StepLog steps(t, {"EndRound", "PlayerAttack"});

    EXPECT_EQ(RunToCut(t.g, ComputerDefend), "PlayerAttack");

    const GameState& s = steps.At("PlayerAttack").state;
    EXPECT_EQ(s.defenceCard, kNoCard);
    EXPECT_EQ(s.tableComputerDefence[1], kNoCard);
    EXPECT_EQ(s.computerDefencePair, 2);
    EXPECT_EQ(s.computerHand[1], Card("9♠"));
    EXPECT_EQ(s.computerHand[2], Card("8♦"));

    l = PlayerAttacks("A♣", {"A♠"}, {"6♦", "6♠", "K♠"});  // K♠: the computer holds A♠
    l.playMode = kPlayModeTwoComputers;
    TestTable later(l);
    JustPutDown(later);
    later.g.computerDefencePair = 2;  // where the failed passes left it
    StepLog laterSteps(later, {"EndRound", "PlayerAttack"});

    EXPECT_EQ(RunToCut(later.g, ComputerDefend), "PlayerAttack");

    const GameState& after = laterSteps.At("PlayerAttack").state;
    EXPECT_EQ(after.tableComputerDefence[3], Card("A♠"));
    EXPECT_EQ(after.tableComputerDefence[2], kNoCard);
    EXPECT_EQ(later.screen.PictureOf(kComputerDefencePlace[3]), PictureIndexOf(Card("A♠")));
    EXPECT_TRUE(later.screen.PicturesGiven(kComputerDefencePlace[2]).empty());
}

// The round of an automatic 6♥ the computer cannot cover: the automatic player finds
// nothing to add and closes the round, and the computer takes the card ("Комп взял..")
// instead of letting it leave play as if beaten.
TEST(ComputerCoverTwoComputers, UncoveredLeadIsTakenWhenTheAutomaticPlayerCloses) {
    Layout l = PlayerAttacks("J♦", {{3, "Q♠"}}, {});  // Q♠ covers no heart
    l.playMode = kPlayModeTwoComputers;
    l.playerHand = {"", "", "10♣", "6♥"};
    TestTable t(l);
    t.g.scratch = 21001;              // one draw a move
    t.random.PushInt(4, 12);  // 6♥ leads
    t.random.PushInt(3, 12);  // 10♣ has no rank on the table: the round closes
    StepLog steps(t, {"RefillFromStock"});

    EXPECT_EQ(RunToCut(t.g, PlayerAttack), "RefillFromStock");

    EXPECT_TRUE(t.StatusShows("Комп взял..")) << t.text.Dump();
    EXPECT_EQ(t.g.computerTookCount, 1);
    EXPECT_TRUE(t.g.computerHand.Contains(Card("6♥")));
    EXPECT_TRUE(t.g.tablePlayerAttack.AllZero());
    EXPECT_EQ(t.g.playerHand.CountNonZero(), 1);
    EXPECT_TRUE(t.g.playerHand.Contains(Card("10♣")));
}

// Counted from a reset, thirteen continuations go to the automatic player and the
// fourteenth ends the round.
TEST(ComputerCoverTwoComputers, FourteenthContinuationEndsTheRound) {
    Field count = 0;
    for (int continuation = 1; continuation <= 14; ++continuation) {
        Layout l = PlayerAttacks("10♥", {"Q♣"}, {"6♣"});
        l.playMode = kPlayModeTwoComputers;
        TestTable t(l);
        JustPutDown(t);
        t.g.autoContinueCount = count;
        StepLog steps(t, {"EndRound", "PlayerAttack"});

        const std::string next = RunToCut(t.g, ComputerDefend);

        EXPECT_EQ(next, continuation == 14 ? "EndRound" : "PlayerAttack") << continuation;
        count = steps.seen.back().state.autoContinueCount;
    }
    EXPECT_EQ(count, 0);
}

// The passes decide the game: between two computers the cover with its last card (the
// automatic player then finds the computer without cards), at the human's table a card
// that cannot be covered and a player without cards. Once the result and its statistics
// stand, nothing on the window changes: the pen stays below the statistics, no dot
// appears at the computer's line (50, 500), no picture changes after the last showing.
TEST(ComputerCoverTwoComputers, NothingChangesAfterTheResultThePassesBrought) {
    for (Field mode : {kPlayModeTwoComputers, kPlayModeHuman}) {
        SCOPED_TRACE(mode);
        const bool human = mode == kPlayModeHuman;
        Layout l = PlayerAttacks("10♥", {human ? "7♠" : "Q♣"}, {"6♣"});  // Q♣ covers, 7♠ does not
        l.playMode = mode;
        if (!human) l.playerHand = {{5, "K♦"}};
        TestTable t(l);
        JustPutDown(t);

        EXPECT_THROW(ComputerDefend(t.g), GameOver);

        EXPECT_TRUE(t.StatusShows(human ? "Мы выиграли" : "Комп выиграл"));
        EXPECT_TRUE(t.text.HasRunAt(50, 1050, human ? "Комп взял  1 раз" : "Комп взял  0 раз"));
        EXPECT_EQ(t.text.PenY(), 1050 + TextLayer::kLineHeight);
        for (const auto& dot : t.text.Pixels()) EXPECT_FALSE(dot.x == 50 && dot.y == 500);
        ASSERT_FALSE(t.screen.log.empty());
        EXPECT_EQ(t.screen.log.back().kind, RecordingScreen::Op::Window);
    }
}
