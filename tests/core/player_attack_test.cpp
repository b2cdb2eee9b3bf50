// The player's attack: leading, the adding rule, refused cards, the full table, the
// computer without cards, and the automatic player's blind slot draws and round close.
//
// What follows the attack runs for real. Each test is set up so that it ends quickly
// without random draws of its own (the computer covers with cards it holds, or has
// already shed its hand), and the step log shows the state the next step started from.
#include <gtest/gtest.h>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "support/fakes.h"
#include "support/step_log.h"
#include "flow/pauses.h"

using namespace durak;
using durak::fakes::StepLog;
using durak::fakes::TestTable;

namespace {

constexpr int kStatusY = 6420;
constexpr int kLine = TextLayer::kLineHeight;

int Holder(int card) { return PictureIndexOf(card); }

// The human attacks; trumps hearts.
void HumanAttacks(TestTable& t) {
    GameState& s = t.g;
    s.playMode = kPlayModeHuman;
    s.playerRole = 1;
    s.trumpCard = 160;
    s.playerAttackPair = s.computerDefencePair = s.computerAttackPair = s.playerDefencePair = 1;
}

// Between two computers; the automatic player plays its first draw.
void AutomaticAttacks(TestTable& t) {
    HumanAttacks(t);
    t.g.playMode = kPlayModeTwoComputers;
    t.g.delayFactor = 1;
    t.g.scratch = 12;
}

void SetComputerHand(TestTable& t, std::initializer_list<int> cards) {
    int slot = 1;
    for (int c : cards) t.g.computerHand[slot++] = static_cast<Field>(c);
    t.g.computerCardCount = static_cast<Field>(cards.size());
}

// The computer has put down its last card: its count still says one, its hand is
// empty, so the round end finds it out of cards and the game ends there.
void ComputerHandShed(TestTable& t) {
    t.g.computerHand.Clear();
    t.g.computerCardCount = 1;
}

// 9♣ covered by J♣ on the table; in hand 9♦, J♥ and 10♣. J♦ and Q♥ cover the first two.
void NineOfClubsCovered(TestTable& t) {
    HumanAttacks(t);
    GameState& s = t.g;
    s.tablePlayerAttack[1] = 59;
    s.tableComputerDefence[1] = s.defenceCard = 61;
    s.playerAttackPair = 2;
    s.playerHand[1] = 109;
    s.playerHand[2] = 161;
    s.playerHand[3] = 60;
    SetComputerHand(t, {111, 162, 10});
}

// Spades 6..10 covered on the table; the cursor at pair 6, or with `six` at pair 1
// after 6♦ covered by 7♦.
void PairsOnTheTable(TestTable& t, bool six) {
    HumanAttacks(t);
    const int attack[] = {6, 7, 8, 9, 10, 106}, cover[] = {12, 13, 14, 159, 161, 107};
    const int pairs = six ? 6 : 5;
    for (int k = 1; k <= pairs; ++k) {
        t.g.tablePlayerAttack[k] = static_cast<Field>(attack[k - 1]);
        t.g.tableComputerDefence[k] = static_cast<Field>(cover[k - 1]);
    }
    t.g.defenceCard = static_cast<Field>(cover[pairs - 1]);
    t.g.playerAttackPair = six ? 1 : 6;
    t.g.computerDefencePair = static_cast<Field>(pairs);
}

}  // namespace

// --- Leading and adding --------------------------------------------------------------

TEST(PlayerAttackLead, CardFromSlotThreeOpensPairOne) {
    TestTable t;
    HumanAttacks(t);
    t.g.playerHand[1] = 7;
    t.g.playerHand[3] = 59;
    t.g.computerAttackCard = 112;
    SetComputerHand(t, {60, 13});
    t.g.selectedSlot = 3;
    StepLog log(t);

    PlayerAttack(t.g);

    EXPECT_EQ(t.g.playerHand[3], 0);
    EXPECT_EQ(t.g.playerHand[1], 7);
    EXPECT_EQ(t.screen.PictureOf(43), kBlankHolder);
    EXPECT_EQ(t.screen.PictureOf(56), Holder(59));
    EXPECT_EQ(t.g.tablePlayerAttack[1], 59);
    EXPECT_EQ(t.g.playerAttackPair, 2);
    const auto* next = log.Next();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->step, "ComputerDefend");
    EXPECT_EQ(next->state.playerAttackCard, 59);
    EXPECT_EQ(next->state.computerAttackCard, 0);
    EXPECT_EQ(next->text, "Мы ходим\n");
    EXPECT_EQ(next->penY, kStatusY + kLine);
    EXPECT_TRUE(t.text.HasRunAt(50, kStatusY, "Мы ходим"));
}

TEST(PlayerAttackAdding, RankOfTheAttackCardOrOfTheCoverIsAccepted) {
    for (int slot : {1, 2}) {
        SCOPED_TRACE(slot);
        TestTable t;
        NineOfClubsCovered(t);
        const int card = t.g.playerHand[slot];
        t.g.selectedSlot = static_cast<Field>(slot);
        StepLog log(t);

        PlayerAttack(t.g);

        EXPECT_EQ(t.g.playerHand[slot], 0);
        EXPECT_EQ(t.g.playerHand[3], 60);
        EXPECT_EQ(t.screen.PictureOf(58), Holder(card));
        EXPECT_EQ(t.g.tablePlayerAttack[2], card);
        EXPECT_EQ(t.g.playerAttackPair, 3);
        ASSERT_NE(log.Next(), nullptr);
        EXPECT_EQ(log.Next()->step, "ComputerDefend");
        EXPECT_EQ(log.Next()->state.playerAttackCard, card);
    }
}

TEST(PlayerAttackAdding, RankFoundOnlyAmongTheComputersCoversIsAccepted) {
    TestTable t;
    HumanAttacks(t);
    GameState& s = t.g;
    for (int k = 1; k <= 3; ++k) {
        s.tablePlayerAttack[k] = static_cast<Field>(6 + k);
        s.tableComputerDefence[k] = static_cast<Field>(11 + k);  // A♠ covers pair 3
    }
    s.defenceCard = 14;
    s.playerAttackPair = 4;
    s.computerDefencePair = 3;
    s.playerHand[3] = 106;
    s.playerHand[4] = 114;  // A♦
    SetComputerHand(t, {156});
    s.selectedSlot = 4;

    PlayerAttack(t.g);

    EXPECT_EQ(s.playerHand[4], 0);
    EXPECT_EQ(s.playerHand[3], 106);
    EXPECT_EQ(s.tablePlayerAttack[4], 114);
    EXPECT_EQ(t.screen.PictureOf(62), Holder(114));
    EXPECT_EQ(s.playerAttackPair, 5);
}

// A refused card, by rank or because six pairs lie on the table: the text is cleared,
// "Мы ходим" printed, and nothing else happens; the computer is not asked to cover.
TEST(PlayerAttackAdding, RefusedCardChangesNothing) {
    for (bool fullTable : {false, true}) {
        SCOPED_TRACE(fullTable);
        TestTable t;
        if (fullTable) {
            PairsOnTheTable(t, true);
            t.g.playerHand[3] = 56;  // 6♣: its rank lies on the table
            SetComputerHand(t, {57});
        } else {
            NineOfClubsCovered(t);  // 10♣ in slot 3
        }
        t.g.computerAttackCard = 112;
        t.g.selectedSlot = 3;
        const GameState before = t.g;
        StepLog log(t);

        PlayerAttack(t.g);

        EXPECT_EQ(t.text.Dump(), "Мы ходим\n");
        EXPECT_EQ(t.g.playerHand.v, before.playerHand.v);
        EXPECT_EQ(t.g.tablePlayerAttack.v, before.tablePlayerAttack.v);
        EXPECT_EQ(t.g.computerHand.v, before.computerHand.v);
        EXPECT_EQ(t.g.playerAttackPair, before.playerAttackPair);
        EXPECT_EQ(t.g.playerAttackCard, before.playerAttackCard);
        EXPECT_EQ(t.g.computerAttackCard, 0);
        EXPECT_TRUE(t.screen.log.empty()) << "pair 1 keeps its card in Image56";
        EXPECT_EQ(log.seen.size(), 1u);
    }
}

TEST(PlayerAttackAdding, SixthCardTakesTheLastPlaceAndTheCursorWraps) {
    TestTable t;
    PairsOnTheTable(t, false);
    t.g.playerHand[1] = 106;
    SetComputerHand(t, {107});
    t.g.selectedSlot = 1;

    PlayerAttack(t.g);

    EXPECT_EQ(t.g.tablePlayerAttack[6], 106);
    EXPECT_EQ(t.screen.PictureOf(66), Holder(106));
    EXPECT_EQ(t.g.playerAttackPair, 1);
    EXPECT_EQ(t.g.tablePlayerAttack[1], 6);
}

// --- Clicks that put nothing down ---------------------------------------------------------

TEST(PlayerAttackEmptySlot, ComputerIsAskedAboutTheCardStillInPlayerAttackCard) {
    // 0 after the computer covered; 59 when the computer took it and it is gone.
    for (int stale : {0, 59}) {
        SCOPED_TRACE(stale);
        TestTable t;
        HumanAttacks(t);
        t.g.playerHand[1] = 113;
        t.g.playerAttackCard = static_cast<Field>(stale);
        SetComputerHand(t, {60});
        t.g.selectedSlot = 4;
        StepLog log(t);

        PlayerAttack(t.g);

        EXPECT_EQ(t.g.playerHand[1], 113);
        EXPECT_EQ(t.g.tablePlayerAttack[1], 0);
        EXPECT_FALSE(fakes::Touched(t.screen, 56, t.screen.log.size()));
        ASSERT_NE(log.Next(), nullptr);
        EXPECT_EQ(log.Next()->step, "ComputerDefend");
        EXPECT_EQ(log.Next()->state.playerAttackCard, stale);
    }
}

TEST(PlayerAttackEmptySlot, ComputerWithoutCardsShowsResultsAndKeepsTheClickedCard) {
    TestTable t;
    HumanAttacks(t);
    t.g.playerHand[3] = 59;
    t.g.computerCardCount = 0;
    t.g.selectedSlot = 3;
    StepLog log(t);

    EXPECT_THROW(PlayerAttack(t.g), GameOver);

    EXPECT_EQ(t.g.playerHand[3], 59);
    EXPECT_EQ(t.g.tablePlayerAttack[1], 0);
    EXPECT_FALSE(fakes::Touched(t.screen, 43, t.screen.log.size()));
    EXPECT_EQ(log.First("ComputerDefend"), nullptr);
    const auto* next = log.Next();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->step, "ShowResults");
    EXPECT_EQ(next->text, "") << "\"Мы ходим\" is erased before the results";
    EXPECT_EQ(next->penX, 50);
    EXPECT_EQ(next->penY, kStatusY);
}

// --- The automatic player ------------------------------------------------------------------

TEST(PlayerAttackAutomatic, NeverDrawsSlotTwelveAndDrawsAgainOnZero) {
    TestTable t;
    AutomaticAttacks(t);
    t.g.playerHand[12] = 7;  // its only card
    ComputerHandShed(t);
    t.random.Push(0.01);   // 0: no slot, drawn again
    t.random.Push(0.999);  // the highest draw names slot 11
    StepLog log(t);

    fakes::PlayStep(t.g, PlayerAttack);

    // Read at the round end, before it closes up the hand.
    const auto* next = log.Next();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->step, "EndRound");
    EXPECT_EQ(next->state.playerHand[12], 7);
    EXPECT_FALSE(fakes::Touched(t.screen, 83, next->screenOps));
    EXPECT_EQ(next->state.selectedSlot, 11);
    EXPECT_EQ(next->reseeds, 2);
    EXPECT_EQ(next->randomLeft, 0u);
}

TEST(PlayerAttackAutomatic, LowSharedCounterMakesItDrawAgainUntilTheThirteenth) {
    struct Case {
        int scratch, draws;
    };
    for (Case c : {Case{0, 13}, Case{5, 8}, Case{11, 2}, Case{12, 1}, Case{21001, 1}}) {
        SCOPED_TRACE(c.scratch);
        TestTable t;
        AutomaticAttacks(t);
        t.g.scratch = static_cast<Field>(c.scratch);
        t.g.playerHand[5] = 7;  // every draw but the last names this card...
        ComputerHandShed(t);
        for (int i = 1; i < c.draws; ++i) t.random.PushInt(5, 12);
        t.random.PushInt(7, 12);  // ...and only the last, an empty slot, is played
        StepLog log(t);

        fakes::PlayStep(t.g, PlayerAttack);

        std::size_t runs = 0;
        while (runs < log.seen.size() && log.seen[runs].step == "PlayerAttack") ++runs;
        ASSERT_EQ(runs, static_cast<std::size_t>(c.draws)) << "one run per draw";
        ASSERT_LT(runs, log.seen.size());
        const auto& end = log.seen[runs];
        EXPECT_EQ(end.step, "EndRound");
        EXPECT_EQ(end.state.playerHand[5], 7);
        EXPECT_EQ(end.reseeds, c.draws);
        EXPECT_EQ(end.randomLeft, 0u);
        EXPECT_EQ(end.text, "Мы ходим\n") << "each run clears the text first";
    }
}

TEST(PlayerAttackAutomatic, LeadFromAnEmptySlotPausesAndEndsTheRound) {
    TestTable t;
    AutomaticAttacks(t);
    t.g.delayFactor = 300;
    t.g.playerHand[1] = 113;
    t.g.playerAttackCard = 33;  // left from an earlier round
    ComputerHandShed(t);
    t.random.PushInt(7, 12);
    StepLog log(t);

    fakes::PlayStep(t.g, PlayerAttack);

    const auto* next = log.Next();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->step, "EndRound");
    EXPECT_EQ(next->state.playerAttackCard, 0);
    EXPECT_EQ(next->state.tablePlayerAttack[1], 0);
    EXPECT_EQ(next->state.scratch, 21001);
    EXPECT_EQ(next->penY, kStatusY + 2 * kLine) << "\"Мы ходим\" and one empty line";
    ASSERT_EQ(next->waits, 1u);
    const Pause& p = t.pauses.waits[0];
    EXPECT_EQ(p.kind, PauseKind::AutoLeadClosing);
    EXPECT_EQ(p.slowTurns, 16000LL * 300);
    EXPECT_EQ(p.fastTurns, 7LL * 21000);
    EXPECT_EQ(p.emptyLines, 0);
    for (std::size_t i = 0; i < next->screenOps; ++i)
        if (t.screen.log[i].slot == 56) EXPECT_EQ(t.screen.log[i].value, kBlankHolder);
}

TEST(PlayerAttackAutomatic, SeventhCardClosesTheRoundAndStaysInTheHand) {
    TestTable t;
    PairsOnTheTable(t, true);
    AutomaticAttacks(t);
    t.g.playerHand[2] = 56;
    t.g.playerHand[5] = 113;
    t.g.playerAttackCard = 106;  // the sixth card, covered
    ComputerHandShed(t);
    t.random.PushInt(2, 12);
    const GameState before = t.g;
    StepLog log(t);

    fakes::PlayStep(t.g, PlayerAttack);

    const auto* next = log.Next();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->step, "EndRound");
    EXPECT_EQ(next->state.playerHand[2], 56);
    EXPECT_EQ(next->state.tablePlayerAttack.v, before.tablePlayerAttack.v);
    EXPECT_EQ(next->state.playerAttackCard, 0);
    EXPECT_EQ(next->penY, kStatusY + kLine) << "no empty line before the pause";
    ASSERT_EQ(next->waits, 1u);
    EXPECT_EQ(t.pauses.waits[0].kind, PauseKind::AutoLeadClosing);
}

// The automatic player wins when its last card is down; a card in slot 10 still counts.
TEST(PlayerAttackAutomatic, LastCardPutDownWinsWithoutTheComputersCover) {
    for (bool cardInSlotTen : {false, true}) {
        SCOPED_TRACE(cardInSlotTen);
        TestTable t;
        AutomaticAttacks(t);
        t.g.playerHand[4] = 59;
        if (cardInSlotTen) t.g.playerHand[10] = 113;
        SetComputerHand(t, {60});  // covers with its last card, and the game ends there
        t.random.PushInt(4, 12);
        StepLog log(t);

        EXPECT_THROW(PlayerAttack(t.g), GameOver);

        EXPECT_EQ(t.g.tablePlayerAttack[1], 59);
        ASSERT_NE(log.Next(), nullptr);
        bool won = false;
        for (const auto& run : t.text.Runs()) won |= run.text == "Мы выиграли";
        if (cardInSlotTen) {
            EXPECT_FALSE(won);
            EXPECT_EQ(log.Next()->step, "ComputerDefend");
            EXPECT_EQ(log.Next()->state.playerAttackCard, 59);
        } else {
            EXPECT_TRUE(t.text.HasRunAt(50, kStatusY, "Мы выиграли"));
            EXPECT_EQ(log.Next()->step, "ShowResults");
            EXPECT_EQ(log.First("ComputerDefend"), nullptr);
            EXPECT_EQ(t.g.computerHand[1], 60);
        }
    }
}
