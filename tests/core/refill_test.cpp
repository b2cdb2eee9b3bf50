// Drawing from the stock: who draws first, which slots fill, when the drawing stops, the
// used-up stock, the round reset and what the refill starts next.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/input_dispatch.h"
#include "flow/procedures.h"
#include "support/fakes.h"
#include "support/stop_at_step.h"

using namespace durak;
using durak::fakes::StopAtStep;
using durak::fakes::TestTable;

namespace {

constexpr int kTrump = 13;  // king of spades: spades are trumps
constexpr int kDrawsPerRefill = 306;  // 305 counted draws and the one that ends the loop

struct Refill : TestTable {
    // A human game with the player leading next. Every card is seen except `unseen`;
    // dealtCount agrees with the number of cards drawn so far.
    explicit Refill(std::set<int> unseen = {}) {
        g.playMode = kPlayModeHuman;
        g.playerRole = 1;
        g.trumpCard = kTrump;
        g.seenCards[13] = kTrump;
        int entry = 1;
        for (int n = 1; n <= 40; ++n) {
            const int c = CardOfPictureIndex(n);
            if (c == 0 || c == kTrump || unseen.count(c)) continue;
            if (entry == 13) ++entry;
            g.seenCards[entry++] = static_cast<Field>(c);
        }
        g.dealtCount = static_cast<Field>(35 - unseen.size());
    }
    void Player(std::initializer_list<std::pair<int, int>> slots) {
        for (auto [slot, card] : slots) g.playerHand[slot] = static_cast<Field>(card);
    }
    void Computer(std::initializer_list<std::pair<int, int>> slots) {
        for (auto [slot, card] : slots) g.computerHand[slot] = static_cast<Field>(card);
        g.computerCardCount = static_cast<Field>(g.computerHand.CountNonZero());
    }
    // The draws of one refill: the picture numbers given (0 and blanks are free redraws),
    // then the trump card (always seen) until the loop has its 306 draws.
    void Draws(std::initializer_list<int> numbers) {
        int counted = 0;
        for (int n : numbers) {
            random.PushInt(n, 41);
            counted += (n != 0 && !IsBlankIndex(n));
        }
        for (; counted < kDrawsPerRefill; ++counted) random.PushInt(PictureIndexOf(kTrump), 41);
    }
    bool Printed(std::string_view prefix) const {
        for (const auto& run : text.Runs())
            if (std::string_view(run.text).substr(0, prefix.size()) == prefix) return true;
        return false;
    }
    bool HandSlotPictureSet() const {
        for (const auto& op : screen.log)
            if (op.kind == fakes::RecordingScreen::Op::Picture && HandSlotOfControl(op.slot) != 0)
                return true;
        return false;
    }
};

int Index(int card) { return PictureIndexOf(card); }

}  // namespace

// ---------------------------------------------------------------------------------
// The draw
// ---------------------------------------------------------------------------------

// Two cards left and two gaps on each side: the player gets both. One is the ten of
// hearts, the last picture number.
TEST(StockDraw, PlayerDrawsBeforeTheComputer) {
    Refill t({109, 160});
    t.Player({{1, 6}, {2, 7}, {3, 8}, {5, 10}});
    t.Computer({{1, 56}, {2, 57}, {3, 58}, {4, 59}});
    t.Draws({40, Index(109)});

    RefillFromStock(t.g);

    EXPECT_EQ(t.g.playerHand[4], 160);
    EXPECT_EQ(t.g.playerHand[6], 109);
    EXPECT_EQ(t.g.computerHand.CountNonZero(), 4);
    EXPECT_EQ(t.g.dealtCount, 35);
    EXPECT_EQ(t.g.seenCards[35], 160);
    EXPECT_EQ(t.g.seenCards[36], 109);
    EXPECT_EQ(t.screen.PictureOf(44), 40);
    EXPECT_EQ(t.screen.PictureOf(46), Index(109));
    // Nothing is left to draw after the second card: the loop ends there.
    EXPECT_EQ(t.g.drawAttempts, 3);
    EXPECT_EQ(t.random.values.size(), static_cast<std::size_t>(kDrawsPerRefill - 2));
}

// Gaps fill in slot order, the player's first; seen cards and free redraws place nothing.
TEST(StockDraw, GapsFillInSlotOrderAndSeenCardsAreSkipped) {
    Refill t({106, 107, 108, 109, 110});
    t.Player({{1, 6}, {3, 7}, {4, 8}, {6, 9}});
    t.Computer({{1, 56}, {2, 57}, {4, 58}, {5, 59}, {6, 60}});
    t.Draws({0, Index(107), 5, Index(56), 35, Index(110), Index(107), Index(106), 0});

    RefillFromStock(t.g);

    EXPECT_EQ(t.g.playerHand[2], 107);
    EXPECT_EQ(t.g.playerHand[5], 110);
    EXPECT_EQ(t.g.computerHand[3], 106);
    EXPECT_EQ(t.g.computerHand.CountNonZero(), 6);
    EXPECT_EQ(t.g.dealtCount, 30 + 3);
    // Recorded in draw order from the first empty entry.
    EXPECT_EQ(t.g.seenCards[31], CardOfPictureIndex(40));  // the last seen before
    EXPECT_EQ(t.g.seenCards[32], 107);
    EXPECT_EQ(t.g.seenCards[33], 110);
    EXPECT_EQ(t.g.seenCards[34], 106);
    EXPECT_EQ(t.g.seenCards[35], 0);
    // Every front slot is full after the fifth counted draw: no further draw is made.
    EXPECT_EQ(t.g.drawAttempts, 6);
    EXPECT_EQ(t.random.reseeds, 1);
    EXPECT_EQ(t.random.values.size(), static_cast<std::size_t>(1 + kDrawsPerRefill - 5));
}

// A hand that took cards into slots 7 and up still fills its gaps among 1..6. The count
// line gives the computer's count from before the draws.
TEST(StockDraw, HandWithCardsBeyondSixFillsItsFrontGaps) {
    Refill t({106, 107, 108});
    t.Player({{1, 6}, {2, 7}, {4, 8}, {5, 9}, {6, 10}, {7, 11}, {8, 12}});
    t.Computer({{1, 56}, {3, 57}, {4, 58}, {5, 59}, {6, 60}, {7, 61}, {8, 62}, {9, 63}});
    t.Draws({Index(106), Index(107), Index(108)});

    RefillFromStock(t.g);

    EXPECT_EQ(t.g.playerHand[3], 106);
    EXPECT_EQ(t.g.computerHand[2], 107);
    EXPECT_EQ(t.g.playerHand.CountNonZero(), 8);
    EXPECT_TRUE(t.text.HasRunAt(7500, 20, "Карт- 8 "));
    EXPECT_EQ(t.g.computerCardCount, 9);
    EXPECT_EQ(t.screen.PictureOf(kComputerFanSlot), kFanHolder9);
    // Nothing had room for the third card: it stays in the stock.
    EXPECT_FALSE(t.g.seenCards.Contains(108));
    EXPECT_EQ(t.g.dealtCount, 34);
}

// 305 counted draws that meet only seen cards end the loop; the unseen card waits.
TEST(StockDraw, DrawingStopsAfter305Attempts) {
    Refill t({106});
    t.Player({{1, 6}, {2, 7}, {3, 8}, {4, 9}, {6, 10}});
    t.Computer({{1, 56}});
    t.Draws({});

    RefillFromStock(t.g);  // one draw more than scripted would throw

    EXPECT_TRUE(t.random.values.empty());
    EXPECT_EQ(t.g.drawAttempts, 306);
    EXPECT_EQ(t.g.playerHand[5], 0);
    EXPECT_EQ(t.g.dealtCount, 34);
    EXPECT_FALSE(t.HandSlotPictureSet());  // no draw reached a hand
    EXPECT_EQ(t.screen.PictureOf(kStockSlot), kBlankHolder);  // one card left: no stock
}

// The stock is used up: no draws, no count line, the fan stays, and the trump slot shows
// the icon of the trump card's suit, whatever an earlier game left in the icon field.
TEST(StockDraw, UsedUpStockShowsTheTrumpSuitIcon) {
    Refill t;
    ASSERT_EQ(t.g.dealtCount, 35);
    t.g.trumpSuitIcon = 3;  // left from a game with diamonds as trumps
    t.Player({{1, 6}, {2, 7}, {3, 8}});
    t.Computer({{1, 56}, {2, 57}});
    t.g.computerCardCount = 2;

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
    Refill t;
    t.Player({{1, 6}, {2, 7}, {3, 8}, {5, 10}});
    t.Computer({{1, 56}, {2, 57}});
    t.g.playerAttackPair = 3;
    t.g.computerDefencePair = 4;
    t.g.computerAttackPair = 5;
    t.g.playerDefencePair = 6;
    t.g.selectedSlot = 4;
    t.g.playerDefenceCard = 11;
    t.g.defenceCard = 12;
    t.g.autoDefendTries = 9;
    t.g.computerAttackCard = 58;
    t.g.tablePlayerAttack[2] = 59;
    t.g.tableComputerDefence[2] = 60;
    t.g.tableComputerAttack[1] = 58;
    t.g.tablePlayerDefence[1] = 62;

    RefillFromStock(t.g);

    EXPECT_EQ(t.g.playerAttackPair, 1);
    EXPECT_EQ(t.g.computerDefencePair, 1);
    EXPECT_EQ(t.g.computerAttackPair, 1);
    EXPECT_EQ(t.g.playerDefencePair, 1);
    EXPECT_EQ(t.g.selectedSlot, 0);
    EXPECT_EQ(t.g.playerDefenceCard, 0);
    EXPECT_EQ(t.g.defenceCard, 0);
    EXPECT_EQ(t.g.autoDefendTries, 0);
    EXPECT_TRUE(t.g.tablePlayerAttack.AllZero());
    EXPECT_TRUE(t.g.tableComputerDefence.AllZero());
    // The computer's row and its card are not part of the reset.
    EXPECT_EQ(t.g.computerAttackCard, 58);
    EXPECT_EQ(t.g.tableComputerAttack[1], 58);
    EXPECT_EQ(t.g.tablePlayerDefence[1], 62);

    EXPECT_TRUE(t.text.HasRunAt(2550, 6420, " 6  7  8  0  10  0 "));
    EXPECT_EQ(t.text.PenX(), 50);
    EXPECT_EQ(t.text.PenY(), 170);
}

// The computer leads inside the refill; the player's click afterwards is compared with
// the card that lies on the table: a lower spade is refused, a higher one covers.
TEST(RefillRoundReset, PlayerCoversTheCardTheComputerLed) {
    Refill t;
    t.g.playerRole = 2;
    t.Player({{1, 57}, {2, 62}, {3, 6}, {4, 7}});
    t.Computer({{1, 60}, {2, 108}});
    t.random.PushInt(2, 5);  // the lead starts its scan at clubs

    RefillFromStock(t.g);

    ASSERT_EQ(t.g.tableComputerAttack[1], 60);
    EXPECT_EQ(t.g.computerAttackCard, 60);

    Image41_Click(t.g);  // seven of clubs: lower, and no trump
    EXPECT_EQ(t.g.playerHand[1], 57);
    EXPECT_EQ(t.g.tablePlayerDefence[1], 0);
    EXPECT_EQ(t.g.playerDefendedCount, 0);

    Image42_Click(t.g);  // queen of clubs covers; the computer adds nothing
    EXPECT_EQ(t.g.playerHand[2], 0);
    EXPECT_EQ(t.g.playerDefendedCount, 1);
    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы отбидись..."));
}

TEST(RefillNextRound, ComputerLeadsWhenThePlayerDefends) {
    Refill t;
    t.g.playerRole = 2;
    t.g.attackPhase = 4;
    t.g.playerDefencePair = 4;
    t.g.playerDefenceCard = 11;
    t.Player({{1, 6}, {2, 7}, {3, 8}});
    t.Computer({{1, 56}});
    StopAtStep stop("PlayerDefend");
    t.g.watcher = &stop;

    EXPECT_THROW(RefillFromStock(t.g), ChainStopped);

    EXPECT_EQ(stop.seen.attackPhase, 2);
    EXPECT_EQ(stop.seen.playerDefencePair, 1);
    EXPECT_EQ(stop.seen.selectedSlot, 0);
    EXPECT_EQ(stop.seen.playerDefenceCard, 11);  // the round variables go after the lead
}

TEST(RefillNextRound, AutomaticPlayerLeadsBetweenTwoComputers) {
    Refill t;
    t.g.playMode = kPlayModeTwoComputers;
    t.g.playerDefenceCard = 11;
    t.g.tablePlayerAttack[1] = 59;
    t.Player({{1, 6}, {2, 7}, {3, 8}});
    t.Computer({{1, 56}});
    StopAtStep stop("PlayerAttack");
    t.g.watcher = &stop;

    EXPECT_THROW(RefillFromStock(t.g), ChainStopped);

    EXPECT_EQ(stop.seen.playerDefenceCard, 0);
    EXPECT_TRUE(stop.seen.tablePlayerAttack.AllZero());
}

TEST(RefillNextRound, HumanLeaderIsLeftToClick) {
    Refill t;
    t.Player({{1, 6}, {2, 7}, {3, 8}});
    t.Computer({{1, 56}});
    StopAtStep stopAttack("PlayerAttack");
    t.g.watcher = &stopAttack;

    RefillFromStock(t.g);

    EXPECT_FALSE(stopAttack.reached);
    EXPECT_EQ(t.screen.windowShown, 0);  // three cards: no score shown
}

// ---------------------------------------------------------------------------------
// The end checks of the refill
// ---------------------------------------------------------------------------------

// Cards in slots 11 and 12 only: no win. Two cards are fewer than three, so the score so
// far is shown, and the round goes on.
TEST(RefillGameEnd, CardsOnlyInLastSlotsAreNoWinButShowTheScore) {
    Refill t;
    t.Player({{11, 6}, {12, 7}});
    t.Computer({{1, 56}, {2, 57}, {3, 58}, {4, 59}, {5, 60}});
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
    Refill t;
    t.g.playerRole = 2;
    t.g.playerDefenceCard = 11;
    t.Computer({{1, 56}, {2, 57}});
    StopAtStep stop("PlayerDefend");
    t.g.watcher = &stop;

    RefillFromStock(t.g);

    EXPECT_FALSE(stop.reached);
    ASSERT_EQ(t.text.Runs().size(), 1u);
    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы выиграли"));
    EXPECT_EQ(t.screen.windowShown, 0);
    EXPECT_EQ(t.g.playerDefenceCard, 11);
}

// The computer holds no card once the next round has begun: it has won.
TEST(RefillGameEnd, ComputerWithoutCardsAfterTheNextRoundWins) {
    Refill t;
    t.Player({{1, 6}, {2, 7}, {3, 8}});
    t.g.computerCardCount = 0;

    EXPECT_THROW(RefillFromStock(t.g), GameOver);

    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Комп выиграл"));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  0 "));
    std::vector<int> fan;
    for (const auto& op : t.screen.log)
        if (op.kind == fakes::RecordingScreen::Op::Picture && op.slot == kComputerFanSlot)
            fan.push_back(op.value);
    EXPECT_EQ(fan, (std::vector<int>{kFanHolder1, kBlankHolder}));
    EXPECT_EQ(t.screen.windowShown, 2);
}
