// The computer covers the player's card: the first-match scans, the placement over the
// six pairs, the three passes working together, and what follows a cover at the
// human's table and between two computers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "support/chain_cut.h"
#include "support/fakes.h"

using namespace durak;
using durak::fakes::TestTable;

namespace {

using fakes::CutLog;
using fakes::RunToCut;

// A round of the player's attack at the human's table: the player has just put
// `attack` into pair `pair`. The stock is used up, so a round end draws nothing.
struct CoverTable : TestTable {
    explicit CoverTable(int trumpCard) {
        g.playMode = kPlayModeHuman;
        g.delayFactor = kPaceMedium;
        g.playerRole = 1;
        g.trumpCard = static_cast<Field>(trumpCard);
        g.computerDefencePair = 1;
        g.dealtCount = 35;
    }
    void Hand(const std::vector<std::pair<int, int>>& slotsAndCards) {
        for (auto [slot, card] : slotsAndCards) g.computerHand[slot] = static_cast<Field>(card);
        g.computerCardCount = static_cast<Field>(g.computerHand.CountNonZero());
    }
    // Pair k already attacked and covered earlier in the round.
    void Covered(int k, int attack, int cover) {
        g.tablePlayerAttack[k] = static_cast<Field>(attack);
        g.tableComputerDefence[k] = static_cast<Field>(cover);
        g.defenceCard = static_cast<Field>(cover);
    }
    void Attack(int pair, int card) {
        g.tablePlayerAttack[pair] = static_cast<Field>(card);
        g.playerAttackCard = static_cast<Field>(card);
        g.playerAttackPair = static_cast<Field>(pair == 6 ? 1 : pair + 1);
    }
    // Number of times a slot got a new picture.
    int PicturesSetOn(int slot) const {
        int n = 0;
        for (const auto& op : screen.log)
            n += (op.kind == fakes::RecordingScreen::Op::Picture && op.slot == slot);
        return n;
    }
};

constexpr int kClubsTrump = 64;     // A♣ turned up: clubs are trumps
constexpr int kHeartsTrump = 160;   // 10♥
constexpr int kDiamondsTrump = 111; // J♦

}  // namespace

// --- Which card covers -------------------------------------------------------------------

TEST(ComputerCoverChoice, FirstHigherCardInSlotOrderCoversNotTheLowest) {
    CoverTable t(kDiamondsTrump);
    t.Hand({{1, 110}, {2, 62}, {5, 57}});  // 10♦ (trump), Q♣, 7♣
    t.Attack(1, 56);                       // 6♣
    CutLog steps(t, {"EndRound", "PlayerAttack"});

    ComputerDefend(t.g);

    EXPECT_EQ(t.g.defenceCard, 62);
    EXPECT_EQ(t.g.computerHand[2], 0);
    EXPECT_EQ(t.g.computerHand[5], 57);
    EXPECT_EQ(t.g.computerHand[1], 110);
    EXPECT_EQ(t.g.tableComputerDefence[1], 62);
    EXPECT_EQ(t.screen.PictureOf(kComputerDefencePlace[1]), PictureIndexOf(62));
    EXPECT_EQ(t.g.computerCardCount, 2);
    EXPECT_EQ(t.screen.PictureOf(kComputerFanSlot), FanHolderForCount(2));
    // Covered at the human's table: the attack card is answered, the round goes on.
    EXPECT_EQ(t.g.playerAttackCard, 0);
}

// Without a higher card of the attack suit the first trump in slot order covers, of any
// rank: a lower trump also covers a trump.
TEST(ComputerCoverChoice, FirstTrumpInSlotOrderCoversWithoutAHigherCardOfTheSuit) {
    struct Case {
        int trumpCard, attack;
        std::vector<std::pair<int, int>> hand;
        int cover, slot;
    };
    const Case cases[] = {
        {kHeartsTrump, 163, {{1, 12}, {3, 157}}, 157, 3},            // K♥ by 7♥
        {kClubsTrump, 113, {{1, 108}, {2, 62}, {4, 57}}, 62, 2},     // K♦ by Q♣, not 7♣
    };
    for (const Case& c : cases) {
        CoverTable t(c.trumpCard);
        t.Hand(c.hand);
        t.Attack(1, c.attack);
        const auto before = t.g.computerHand;
        CutLog steps(t, {"EndRound"});

        ComputerDefend(t.g);

        EXPECT_EQ(t.g.tableComputerDefence[1], c.cover) << c.attack;
        for (int slot = 1; slot <= 16; ++slot)
            EXPECT_EQ(t.g.computerHand[slot], slot == c.slot ? 0 : before[slot]) << slot;
    }
}

// --- The passes together -------------------------------------------------------------

// The first pass still holds the cover of pair 1, so it may not reach for a trump; it
// recognises that old cover and clears it, and the second pass places the trump.
TEST(ComputerCoverPasses, SecondPairWithoutHigherCardGetsFirstTrumpFromTheSecondPass) {
    CoverTable t(kClubsTrump);
    t.Hand({{1, 7}, {2, 106}, {4, 158}, {9, 58}, {10, 60}});  // 7♠ 6♦ 8♥ | 8♣ 10♣
    t.Covered(1, 8, 13);                                       // 8♠ beaten by K♠
    t.Attack(2, 9);                                            // 9♠
    CutLog steps(t, {"EndRound"});

    ComputerDefend(t.g);

    EXPECT_EQ(t.g.tableComputerDefence[2], 58);
    EXPECT_EQ(t.screen.PictureOf(kComputerDefencePlace[2]), PictureIndexOf(58));
    EXPECT_EQ(t.PicturesSetOn(kComputerDefencePlace[2]), 1);
    EXPECT_EQ(t.PicturesSetOn(kComputerDefencePlace[1]), 0);
    EXPECT_EQ(t.g.tableComputerDefence[1], 13);
    EXPECT_EQ(t.g.computerDefencePair, 2);
    EXPECT_EQ(t.g.computerHand[9], 0);
    EXPECT_EQ(t.g.computerHand[10], 60);
    EXPECT_EQ(t.g.defenceCard, 58);
    EXPECT_EQ(t.g.computerCardCount, 4);
}

TEST(ComputerCoverPasses, CoveredPairsAreSteppedOverToTheNextFreePlace) {
    CoverTable t(kHeartsTrump);
    t.Hand({{1, 14}, {2, 114}});
    t.Covered(1, 6, 7);
    t.Covered(2, 56, 57);
    t.Covered(3, 106, 107);
    t.g.computerDefencePair = 1;
    t.Attack(4, 110);  // 10♦
    CutLog steps(t, {"EndRound"});

    ComputerDefend(t.g);

    EXPECT_EQ(t.g.tableComputerDefence[4], 114);
    EXPECT_EQ(t.screen.PictureOf(kComputerDefencePlace[4]), PictureIndexOf(114));
    EXPECT_EQ(t.g.computerDefencePair, 4);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(t.PicturesSetOn(kComputerDefencePlace[k]), 0) << k;
    EXPECT_EQ(t.g.tableComputerDefence[3], 107);
}

// Nothing covers at the human's table: the round ends at once and the computer takes.
TEST(ComputerCoverPasses, NoCoverAtTheHumansTableEndsTheRoundAtOnce) {
    CoverTable t(kClubsTrump);
    t.Hand({{1, 9}, {2, 108}, {3, 157}});  // no higher diamond, no club
    const auto handBefore = t.g.computerHand;
    t.Attack(1, 114);  // A♦
    CutLog steps(t, {"EndRound", "PlayerAttack"});

    EXPECT_EQ(RunToCut([&] { ComputerDefend(t.g); }), "EndRound");

    const GameState& s = steps.At("EndRound").state;
    EXPECT_EQ(s.defenceCard, 0);
    EXPECT_EQ(s.playerAttackCard, 114);  // the round end sees the card to take
    EXPECT_EQ(s.computerHand.v, handBefore.v);
    EXPECT_EQ(s.computerCardCount, 3);
    EXPECT_EQ(s.tableComputerDefence[1], 0);
    EXPECT_EQ(s.computerDefencePair, 2);
    EXPECT_EQ(t.PicturesSetOn(kComputerDefencePlace[1]), 0);
    EXPECT_EQ(steps.Count("ComputerDefend"), 1);
}

// A click on an empty slot brings no new card: nothing leaves the hand, and the round
// neither ends nor goes on to the automatic player.
TEST(ComputerCoverPasses, NoAttackCardTakesNothingFromTheHand) {
    struct Case {
        Field mode;
        int coverOfPairOne;  // still held in defenceCard
    };
    for (Case c : {Case{kPlayModeHuman, 0}, Case{kPlayModeTwoComputers, 0}, Case{kPlayModeHuman, 60}}) {
        CoverTable t(kClubsTrump);
        t.g.playMode = c.mode;
        t.Hand({{1, 62}, {2, 113}});
        t.Covered(1, 56, 60);
        t.g.playerAttackCard = 0;
        t.g.defenceCard = static_cast<Field>(c.coverOfPairOne);
        const GameState before = t.g;
        CutLog steps(t, {"EndRound", "PlayerAttack"});

        ASSERT_EQ(RunToCut([&] { ComputerDefend(t.g); }), "") << c.mode << " " << c.coverOfPairOne;

        EXPECT_EQ(t.g.computerHand.v, before.computerHand.v);
        EXPECT_EQ(t.g.computerCardCount, 2);
        EXPECT_EQ(t.g.tableComputerDefence.v, before.tableComputerDefence.v);
        EXPECT_EQ(t.g.computerDefencePair, 1);
        EXPECT_EQ(t.g.defenceCard, c.coverOfPairOne);
        EXPECT_EQ(t.g.autoContinueCount, 0);
        EXPECT_TRUE(t.pauses.waits.empty());
        for (int k = 1; k <= 6; ++k) EXPECT_EQ(t.PicturesSetOn(kComputerDefencePlace[k]), 0);
        EXPECT_EQ(t.text.PenX(), 0);
        EXPECT_EQ(t.text.PenY(), 500 + TextLayer::kLineHeight);
    }
}

TEST(ComputerCoverPasses, CoveringWithTheLastCardLeavesTheFanPicture) {
    CoverTable t(kHeartsTrump);
    t.Hand({{4, 62}});
    t.Attack(1, 56);
    CutLog steps(t, {"EndRound"});

    ComputerDefend(t.g);

    EXPECT_EQ(t.g.tableComputerDefence[1], 62);
    EXPECT_EQ(t.g.computerCardCount, 0);
    EXPECT_EQ(t.PicturesSetOn(kComputerFanSlot), 0);
}

// Six pairs are covered and one more card is to be covered: there is no place for it,
// and the card the computer picked stays in its hand instead of leaving the game.
TEST(ComputerCoverPasses, NoSeventhPlaceKeepsTheChosenCardInTheHand) {
    CoverTable t(kHeartsTrump);
    t.Hand({{1, 114}, {2, 157}, {3, 13}});
    const int attacks[] = {6, 7, 56, 57, 106, 107};
    const int covers[] = {8, 9, 58, 59, 108, 109};
    for (int k = 1; k <= 6; ++k) t.Covered(k, attacks[k - 1], covers[k - 1]);
    t.g.computerDefencePair = 7;
    t.g.playerAttackCard = 110;  // 10♦: A♦ would cover it
    const GameState before = t.g;
    CutLog steps(t, {"EndRound", "PlayerAttack"});

    RunToCut([&] { ComputerDefend(t.g); });

    EXPECT_EQ(t.g.computerHand.v, before.computerHand.v);
    EXPECT_EQ(t.g.computerCardCount, 3);
    EXPECT_EQ(t.g.tableComputerDefence.v, before.tableComputerDefence.v);
    EXPECT_EQ(t.g.computerDefencePair, 7);
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(t.PicturesSetOn(kComputerDefencePlace[k]), 0) << k;
    EXPECT_NE(t.g.defenceCard, 114);
}

// --- Text --------------------------------------------------------------------------------

TEST(ComputerCoverText, TheFourLandsUnderTheStatusLineAndThePenEndsAtTheComputersLine) {
    CoverTable t(kHeartsTrump);
    t.Hand({{1, 62}});
    t.Attack(1, 56);
    t.text.MoveTextPen(50, 6420);
    t.text.PrintLine({"Мы ходим"});

    ComputerDefend(t.g);

    EXPECT_TRUE(t.text.HasRunAt(0, 6420 + TextLayer::kLineHeight, " 4 ")) << t.text.Dump();
    EXPECT_EQ(t.text.PenX(), 0);
    EXPECT_EQ(t.text.PenY(), 500 + TextLayer::kLineHeight);
    const auto& pixels = t.text.Pixels();
    EXPECT_NE(std::find(pixels.begin(), pixels.end(), TextLayer::Pixel{50, 500}), pixels.end());
}

// --- Between two computers -------------------------------------------------------------

TEST(ComputerCoverTwoComputers, CoverIsShownThenTheAutomaticPlayerAddsAfterThePause) {
    CoverTable t(kHeartsTrump);
    t.g.playMode = kPlayModeTwoComputers;
    t.Hand({{1, 62}, {2, 7}});
    t.Attack(1, 56);
    t.g.autoContinueCount = 5;
    CutLog steps(t, {"EndRound", "PlayerAttack"});

    EXPECT_EQ(RunToCut([&] { ComputerDefend(t.g); }), "PlayerAttack");

    const auto& at = steps.At("PlayerAttack");
    EXPECT_EQ(at.state.autoContinueCount, 6);
    EXPECT_EQ(at.state.scratch, 21001);
    EXPECT_EQ(at.state.tableComputerDefence[1], 62);
    EXPECT_EQ(at.state.playerAttackCard, 56);  // only the human's table clears it
    EXPECT_GT(at.penY, TextLayer::kClientHeight);  // 29000 empty lines pushed the pen down
    EXPECT_EQ(t.screen.windowShown, 1);
    ASSERT_EQ(t.pauses.waits.size(), 1u);
    const Pause& p = t.pauses.waits[0];
    EXPECT_EQ(p.kind, PauseKind::DefendContinuation);
    EXPECT_EQ(p.slowTurns, 50LL * kPaceMedium);
    EXPECT_EQ(p.fastTurns, 12LL * 21000);
    EXPECT_EQ(p.emptyLines, 29000);
}

TEST(ComputerCoverTwoComputers, NoCoverStillHandsTheMoveToTheAutomaticPlayer) {
    CoverTable t(kClubsTrump);
    t.g.playMode = kPlayModeTwoComputers;
    t.Hand({{1, 9}, {2, 108}});
    t.Attack(1, 114);
    CutLog steps(t, {"EndRound", "PlayerAttack"});

    EXPECT_EQ(RunToCut([&] { ComputerDefend(t.g); }), "PlayerAttack");

    const GameState& s = steps.At("PlayerAttack").state;
    EXPECT_EQ(s.defenceCard, 0);
    EXPECT_EQ(s.tableComputerDefence[1], 0);
    EXPECT_EQ(s.computerDefencePair, 2);
    EXPECT_EQ(s.computerHand[1], 9);
    EXPECT_EQ(s.computerHand[2], 108);
}

// Between two computers the automatic player adds after cards the computer could not
// cover, and the cover cursor lags behind: a cover found later still lies beside the
// card it beats, not in the column of an uncovered one.
TEST(ComputerCoverTwoComputers, CoverLiesBesideTheCardItBeats) {
    CoverTable t(kClubsTrump);
    t.g.playMode = kPlayModeTwoComputers;
    t.Hand({{1, 14}});
    t.g.tablePlayerAttack[1] = 106;  // neither is covered
    t.g.tablePlayerAttack[2] = 6;
    t.g.computerDefencePair = 2;     // where the failed passes left it
    t.Attack(3, 13);                 // K♠: the computer holds A♠
    CutLog steps(t, {"EndRound", "PlayerAttack"});

    EXPECT_EQ(RunToCut([&] { ComputerDefend(t.g); }), "PlayerAttack");

    const GameState& s = steps.At("PlayerAttack").state;
    EXPECT_EQ(s.tableComputerDefence[3], 14);
    EXPECT_EQ(s.tableComputerDefence[2], 0);
    EXPECT_EQ(t.screen.PictureOf(kComputerDefencePlace[3]), PictureIndexOf(14));
    EXPECT_EQ(t.PicturesSetOn(kComputerDefencePlace[2]), 0);
}

// The round of an automatic 6♥ the computer cannot cover: the automatic player finds
// nothing to add and closes the round, and the computer takes the card ("Комп взял..")
// instead of letting it leave play as if beaten.
TEST(ComputerCoverTwoComputers, UncoveredLeadIsTakenWhenTheAutomaticPlayerCloses) {
    CoverTable t(kDiamondsTrump);
    t.g.playMode = kPlayModeTwoComputers;
    t.Hand({{3, 12}});                 // Q♠ covers no heart
    t.g.playerHand[3] = 60;
    t.g.playerHand[4] = 156;
    t.g.tablePlayerAttack.Clear();
    t.g.playerAttackPair = 1;
    t.g.scratch = 21001;               // one draw a move
    t.random.PushInt(4, 12);           // 6♥ leads
    t.random.PushInt(3, 12);           // 10♣ has no rank on the table: the round closes
    CutLog steps(t, {"RefillFromStock"});

    EXPECT_EQ(RunToCut([&] { PlayerAttack(t.g); }), "RefillFromStock");

    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Комп взял..")) << t.text.Dump();
    EXPECT_EQ(t.g.computerTookCount, 1);
    EXPECT_TRUE(t.g.computerHand.Contains(156));
    EXPECT_TRUE(t.g.tablePlayerAttack.AllZero());
    EXPECT_EQ(t.g.playerHand[3] + t.g.playerHand[4] + t.g.playerHand[1], 60);
}

// Counted from a reset, thirteen continuations go to the automatic player and the
// fourteenth ends the round.
TEST(ComputerCoverTwoComputers, FourteenthContinuationEndsTheRound) {
    Field count = 0;
    for (int continuation = 1; continuation <= 14; ++continuation) {
        CoverTable t(kHeartsTrump);
        t.g.playMode = kPlayModeTwoComputers;
        t.Hand({{1, 62}});
        t.Attack(1, 56);
        t.g.autoContinueCount = count;
        CutLog steps(t, {"EndRound", "PlayerAttack"});

        const std::string next = RunToCut([&] { ComputerDefend(t.g); });

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
        CoverTable t(kHeartsTrump);
        t.g.playMode = mode;
        t.Hand({{1, mode == kPlayModeHuman ? 7 : 62}});  // Q♣ covers the 6♣, 7♠ does not
        if (mode == kPlayModeTwoComputers) t.g.playerHand[5] = 113;
        t.Attack(1, 56);

        EXPECT_THROW(ComputerDefend(t.g), GameOver);

        EXPECT_TRUE(t.text.HasRunAt(50, 6420, mode == kPlayModeHuman ? "Мы выиграли" : "Комп выиграл"));
        EXPECT_TRUE(t.text.HasRunAt(50, 1050, mode == kPlayModeHuman ? "Комп взял  1 раз" : "Комп взял  0 раз"));
        EXPECT_EQ(t.text.PenY(), 1050 + TextLayer::kLineHeight);
        for (const auto& dot : t.text.Pixels()) EXPECT_FALSE(dot.x == 50 && dot.y == 500);
        ASSERT_FALSE(t.screen.log.empty());
        EXPECT_EQ(t.screen.log.back().kind, fakes::RecordingScreen::Op::Window);
    }
}
