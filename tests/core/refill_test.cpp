// Drawing from the stock: who draws first, which slots fill, when the drawing stops, the
// used-up stock, the round reset and what the refill starts next.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/input_dispatch.h"
#include "flow/procedures.h"
#include "support/steps.h"

using namespace durak;
using namespace durak::fakes;

namespace {

constexpr int kDrawsPerRefill = 306;  // 305 counted draws and the one that ends the loop

// The human's game, spades trumps (K♠), the player leading next; `stock` is still to draw.
Layout Refill(Cards playerHand, Cards computerHand, Cards stock = {}) {
    return {.trump = "K♠", .stock = stock, .playerHand = playerHand, .computerHand = computerHand};
}

// The draws of one refill: the picture numbers given (0 and the blanks are redrawn
// without counting), then the trump card (always seen) until the loop has all its draws.
void Draws(TestTable& t, std::initializer_list<int> numbers) {
    int counted = 0;
    for (int n : numbers) {
        t.random.PushInt(n, 41);
        counted += (n != 0 && !IsBlankIndex(n));
    }
    for (; counted < kDrawsPerRefill; ++counted) t.random.PushInt(PictureIndexOf(Card("K♠")), 41);
}
int Number(const char* card) { return PictureIndexOf(Card(card)); }

bool AnyHandSlotGotAPicture(const RecordingScreen& screen) {
    for (int s = 1; s <= kPlayerHandSlots; ++s)
        if (!screen.PicturesGiven(HandSlotControl(s)).empty()) return true;
    return false;
}

}  // namespace

// ---------------------------------------------------------------------------------
// The draw
// ---------------------------------------------------------------------------------

// Two cards left and two gaps on each side: the player gets both. One is the ten of
// hearts, the last picture number.
TEST(StockDraw, PlayerDrawsBeforeTheComputer) {
    TestTable t(Refill({"6♠", "7♠", "8♠", "", "10♠"}, {"6♣", "7♣", "8♣", "9♣"}, {"9♦", "10♥"}));
    Draws(t, {40, Number("9♦")});

    RefillFromStock(t.g);

    EXPECT_EQ(t.g.playerHand[4], Card("10♥"));
    EXPECT_EQ(t.g.playerHand[6], Card("9♦"));
    EXPECT_EQ(t.g.computerHand.CountNonZero(), 4);
    EXPECT_EQ(t.g.dealtCount, 35);
    EXPECT_EQ(t.g.seenCards[35], Card("10♥"));
    EXPECT_EQ(t.g.seenCards[36], Card("9♦"));
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(4)), 40);
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(6)), Number("9♦"));
    // Nothing is left to draw after the second card: the loop ends there.
    EXPECT_EQ(t.g.drawAttempts, 3);
    EXPECT_EQ(t.random.values.size(), static_cast<std::size_t>(kDrawsPerRefill - 2));
}

// Gaps fill in slot order, the player's first; seen cards and free redraws place nothing.
TEST(StockDraw, GapsFillInSlotOrderAndSeenCardsAreSkipped) {
    TestTable t(Refill({"6♠", "", "7♠", "8♠", "", "9♠"}, {"6♣", "7♣", "", "8♣", "9♣", "10♣"},
                       {"6♦", "7♦", "8♦", "9♦", "10♦"}));
    Draws(t, {0, Number("7♦"), 5, Number("6♣"), 35, Number("10♦"), Number("7♦"), Number("6♦"), 0});

    RefillFromStock(t.g);

    EXPECT_EQ(t.g.playerHand[2], Card("7♦"));
    EXPECT_EQ(t.g.playerHand[5], Card("10♦"));
    EXPECT_EQ(t.g.computerHand[3], Card("6♦"));
    EXPECT_EQ(t.g.computerHand.CountNonZero(), 6);
    EXPECT_EQ(t.g.dealtCount, 30 + 3);
    // Recorded in draw order from the first empty entry.
    EXPECT_EQ(t.g.seenCards[31], Card("10♥"));  // the last seen before
    EXPECT_EQ(t.g.seenCards[32], Card("7♦"));
    EXPECT_EQ(t.g.seenCards[33], Card("10♦"));
    EXPECT_EQ(t.g.seenCards[34], Card("6♦"));
    EXPECT_EQ(t.g.seenCards[35], kNoCard);
    // Every front slot is full after the fifth counted draw: no further draw is made.
    EXPECT_EQ(t.g.drawAttempts, 6);
    EXPECT_EQ(t.random.reseeds, 1);
    EXPECT_EQ(t.random.values.size(), static_cast<std::size_t>(1 + kDrawsPerRefill - 5));
}

// A hand that took cards into slots 7 and up still fills its gaps among 1..6. The count
// line gives the computer's count from before the draws.
TEST(StockDraw, HandWithCardsBeyondSixFillsItsFrontGaps) {
    TestTable t(Refill({"6♠", "7♠", "", "8♠", "9♠", "10♠", "J♠", "Q♠"},
                       {"6♣", "", "7♣", "8♣", "9♣", "10♣", "J♣", "Q♣", "K♣"}, {"6♦", "7♦", "8♦"}));
    Draws(t, {Number("6♦"), Number("7♦"), Number("8♦")});

    RefillFromStock(t.g);

    EXPECT_EQ(t.g.playerHand[3], Card("6♦"));
    EXPECT_EQ(t.g.computerHand[2], Card("7♦"));
    EXPECT_EQ(t.g.playerHand.CountNonZero(), 8);
    EXPECT_TRUE(t.text.HasRunAt(7500, 20, "Карт- 8 "));
    EXPECT_EQ(t.g.computerCardCount, 9);
    EXPECT_EQ(t.screen.PictureOf(kComputerFanSlot), kFanHolder9);
    // Nothing had room for the third card: it stays in the stock.
    EXPECT_FALSE(t.g.seenCards.Contains(Card("8♦")));
    EXPECT_EQ(t.g.dealtCount, 34);
}

// 305 counted draws that meet only seen cards end the loop; the unseen card waits.
TEST(StockDraw, DrawingStopsAfter305Attempts) {
    TestTable t(Refill({"6♠", "7♠", "8♠", "9♠", "", "10♠"}, {"6♣"}, {"6♦"}));
    Draws(t, {});

    RefillFromStock(t.g);  // one draw more than scripted would throw

    EXPECT_TRUE(t.random.values.empty());
    EXPECT_EQ(t.g.drawAttempts, kDrawsPerRefill);
    EXPECT_EQ(t.g.playerHand[5], kNoCard);
    EXPECT_EQ(t.g.dealtCount, 34);
    EXPECT_FALSE(AnyHandSlotGotAPicture(t.screen));  // no draw reached a hand
    EXPECT_EQ(t.screen.PictureOf(kStockSlot), kBlankHolder);  // one card left: no stock
}

// The stock is used up: no draws, no count line, the fan stays, and the trump slot shows
// the icon of the trump card's suit, whatever an earlier game left in the icon field.
TEST(StockDraw, UsedUpStockShowsTheTrumpSuitIcon) {
    TestTable t(Refill({"6♠", "7♠", "8♠"}, {"6♣", "7♣"}));
    ASSERT_EQ(t.g.dealtCount, 35);
    t.g.trumpSuitIcon = 3;  // left from a game with diamonds as trumps

    RefillFromStock(t.g);  // the scripted source is empty: any draw would throw

    EXPECT_EQ(t.screen.PictureOf(kTrumpSlot), kSuitIconHolder1);  // spades
    EXPECT_EQ(t.g.trumpSuitIcon, 1);
    EXPECT_EQ(t.screen.PictureOf(kStockSlot), kBlankHolder);
    EXPECT_FALSE(t.Printed("Карт-"));
    EXPECT_EQ(t.screen.PictureOf(kComputerFanSlot), 0);  // never set
    EXPECT_EQ(t.random.reseeds, 0);
    EXPECT_TRUE(t.text.HasRunAt(2550, 6420, " 6  7  8  0  0  0 "));
}

// ---------------------------------------------------------------------------------
// The round reset and the next round
// ---------------------------------------------------------------------------------

TEST(RefillRoundReset, ClearsTheRoundButKeepsTheComputersCard) {
    Layout l = Refill({"6♠", "7♠", "8♠", "", "10♠"}, {"6♣", "7♣"});
    l.playerAttack = {"", "9♣"};
    l.computerDefence = {"", "10♣"};
    l.computerAttack = {"8♣"};
    l.playerDefence = {"Q♣"};
    TestTable t(l);
    t.g.playerAttackPair = 3;
    t.g.computerDefencePair = 4;
    t.g.computerAttackPair = 5;
    t.g.playerDefencePair = 6;
    t.g.selectedSlot = 4;
    t.g.playerDefenceCard = static_cast<Field>(Card("J♠"));
    t.g.defenceCard = static_cast<Field>(Card("Q♠"));
    t.g.autoDefendTries = 9;
    t.g.computerAttackCard = static_cast<Field>(Card("8♣"));

    RefillFromStock(t.g);

    EXPECT_EQ(t.g.playerAttackPair, 1);
    EXPECT_EQ(t.g.computerDefencePair, 1);
    EXPECT_EQ(t.g.computerAttackPair, 1);
    EXPECT_EQ(t.g.playerDefencePair, 1);
    EXPECT_EQ(t.g.selectedSlot, 0);
    EXPECT_EQ(t.g.playerDefenceCard, kNoCard);
    EXPECT_EQ(t.g.defenceCard, kNoCard);
    EXPECT_EQ(t.g.autoDefendTries, 0);
    EXPECT_TRUE(t.g.tablePlayerAttack.AllZero());
    EXPECT_TRUE(t.g.tableComputerDefence.AllZero());
    // The computer's row and its card are not part of the reset.
    EXPECT_EQ(t.g.computerAttackCard, Card("8♣"));
    EXPECT_EQ(t.g.tableComputerAttack[1], Card("8♣"));
    EXPECT_EQ(t.g.tablePlayerDefence[1], Card("Q♣"));

    EXPECT_TRUE(t.text.HasRunAt(2550, 6420, " 6  7  8  0  10  0 "));
    EXPECT_EQ(t.text.PenX(), 50);
    EXPECT_EQ(t.text.PenY(), 170);
}

// The computer leads inside the refill; the player's click afterwards is compared with
// the card that lies on the table: a lower club is refused, a higher one covers.
TEST(RefillRoundReset, PlayerCoversTheCardTheComputerLed) {
    Layout l = Refill({"7♣", "Q♣", "6♠", "7♠"}, {"10♣", "8♦"});
    l.playerRole = kPlayerDefends;
    TestTable t(l);
    t.random.PushInt(2, 5);  // the lead starts its scan at clubs

    RefillFromStock(t.g);

    ASSERT_EQ(t.g.tableComputerAttack[1], Card("10♣"));
    EXPECT_EQ(t.g.computerAttackCard, Card("10♣"));

    Image41_Click(t.g);  // seven of clubs: lower, and no trump
    EXPECT_EQ(t.g.playerHand[1], Card("7♣"));
    EXPECT_EQ(t.g.tablePlayerDefence[1], kNoCard);
    EXPECT_EQ(t.g.playerDefendedCount, 0);

    Image42_Click(t.g);  // queen of clubs covers; the computer adds nothing
    EXPECT_EQ(t.g.playerHand[2], kNoCard);
    EXPECT_EQ(t.g.playerDefendedCount, 1);
    EXPECT_TRUE(t.StatusShows("Мы отбидись..."));
}

// Who leads the next round: the computer at once inside the refill, the automatic player
// between two computers, or nobody yet while the human leads and is left to click.
TEST(RefillNextRound, TheNextLeaderStartsOrIsLeftToClick) {
    {
        SCOPED_TRACE("the computer leads");
        Layout l = Refill({"6♠", "7♠", "8♠"}, {"6♣"});
        l.playerRole = kPlayerDefends;
        l.attackPhase = kComputerCardDown;
        TestTable t(l);
        t.g.playerDefencePair = 4;
        t.g.playerDefenceCard = static_cast<Field>(Card("J♠"));
        StepLog steps(t, {"PlayerDefend"});

        EXPECT_EQ(RunToCut(t.g, RefillFromStock), "PlayerDefend");

        const GameState& s = steps.At("PlayerDefend").state;
        EXPECT_EQ(s.attackPhase, kNothingToCover);
        EXPECT_EQ(s.playerDefencePair, 1);
        EXPECT_EQ(s.selectedSlot, 0);
        EXPECT_EQ(s.playerDefenceCard, Card("J♠"));  // the round variables go after the lead
    }
    {
        SCOPED_TRACE("the automatic player leads");
        TestTable t({.playMode = kPlayModeTwoComputers, .trump = "K♠", .playerHand = {"6♠", "7♠", "8♠"},
                     .computerHand = {"6♣"}, .playerAttack = {"9♣"}});
        t.g.playerDefenceCard = static_cast<Field>(Card("J♠"));
        StepLog steps(t, {"PlayerAttack"});

        EXPECT_EQ(RunToCut(t.g, RefillFromStock), "PlayerAttack");

        EXPECT_EQ(steps.At("PlayerAttack").state.playerDefenceCard, kNoCard);
        EXPECT_TRUE(steps.At("PlayerAttack").state.tablePlayerAttack.AllZero());
    }
    {
        SCOPED_TRACE("the human leads");
        TestTable t(Refill({"6♠", "7♠", "8♠"}, {"6♣"}));
        StepLog steps(t);

        RefillFromStock(t.g);

        EXPECT_EQ(steps.Count("PlayerAttack"), 0);
        EXPECT_EQ(t.screen.windowShown, 0);  // three cards: no score shown
    }
}

// ---------------------------------------------------------------------------------
// The end checks of the refill
// ---------------------------------------------------------------------------------

// Cards in slots 11 and 12 only: no win. Two cards are fewer than three, so the score so
// far is shown, and the round goes on.
TEST(RefillGameEnd, CardsOnlyInLastSlotsAreNoWinButShowTheScore) {
    TestTable t(Refill({{11, "6♠"}, "7♠"}, {"6♣", "7♣", "8♣", "9♣", "10♣"}));
    t.g.computerDefendedCount = 2;

    RefillFromStock(t.g);

    EXPECT_FALSE(t.Printed("Мы выиграли"));
    EXPECT_EQ(t.g.playerCardCount, 2);
    EXPECT_EQ(t.screen.windowShown, 2);
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  5 "));
    EXPECT_TRUE(t.text.HasRunAt(50, 450, "Комп отбился  2 раз"));
    EXPECT_TRUE(t.text.HasRunAt(2550, 6420, " 0  0  0  0  0  0 "));  // still there
    EXPECT_EQ(t.text.PenY(), 170);                                 // the round went on
}

TEST(RefillGameEnd, EmptyHandWinsAndNothingMoreHappens) {
    Layout l = Refill({}, {"6♣", "7♣"});
    l.playerRole = kPlayerDefends;
    TestTable t(l);
    t.g.playerDefenceCard = static_cast<Field>(Card("J♠"));
    StepLog steps(t);

    RefillFromStock(t.g);

    EXPECT_EQ(steps.Count("PlayerDefend"), 0);
    ASSERT_EQ(t.text.Runs().size(), 1u);
    EXPECT_TRUE(t.StatusShows("Мы выиграли"));
    EXPECT_EQ(t.screen.windowShown, 0);
    EXPECT_EQ(t.g.playerDefenceCard, Card("J♠"));
}

// The computer holds no card once the next round has begun: it has won.
TEST(RefillGameEnd, ComputerWithoutCardsAfterTheNextRoundWins) {
    TestTable t(Refill({"6♠", "7♠", "8♠"}, {}));

    EXPECT_THROW(RefillFromStock(t.g), GameOver);

    EXPECT_TRUE(t.StatusShows("Комп выиграл"));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  0 "));
    EXPECT_EQ(t.screen.PicturesGiven(kComputerFanSlot), (std::vector<int>{kFanHolder1, kBlankHolder}));
    EXPECT_EQ(t.screen.windowShown, 2);
}
