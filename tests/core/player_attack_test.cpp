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
#include "support/steps.h"

using namespace durak;
using namespace durak::fakes;

namespace {

constexpr int kStatusY = TextLayer::kStatusLineY;
constexpr int kLine = TextLayer::kLineHeight;

// The human attacks, hearts trumps.
Layout HumanAttacks(Cards playerHand, Cards computerHand) {
    return {.trump = "10♥", .playerHand = playerHand, .computerHand = computerHand};
}

// Between two computers; the shared counter lets the automatic player play its first
// draw. The computer has put down its last card: its count still says one, its hand is
// empty, so the round end finds it out of cards and the game ends there.
Layout AutomaticAttacks(Cards playerHand, Cards computerHand = {}) {
    Layout l = HumanAttacks(playerHand, computerHand);
    l.playMode = kPlayModeTwoComputers;
    l.delayFactor = kPaceFast;
    return l;
}
void AutomaticFirstDraw(TestTable& t) { t.g.scratch = 12; }
void ComputerHandShed(TestTable& t) { t.g.computerCardCount = 1; }

// 9♣ covered by J♣ on the table; in hand 9♦, J♥ and 10♣. J♦ and Q♥ cover the first two.
Layout NineOfClubsCovered() {
    Layout l = HumanAttacks({"9♦", "J♥", "10♣"}, {"J♦", "Q♥", "10♠"});
    l.playerAttack = {"9♣"};
    l.computerDefence = {"J♣"};
    return l;
}

// Spades 6..10 covered on the table, the cursor at pair 6; with `six` also 6♦ covered by
// 7♦, the cursor back at pair 1.
Layout PairsOnTheTable(bool six, Cards playerHand, Cards computerHand) {
    Layout l = HumanAttacks(playerHand, computerHand);
    l.playerAttack = {"6♠", "7♠", "8♠", "9♠", "10♠"};
    l.computerDefence = {"Q♠", "K♠", "A♠", "9♥", "J♥"};
    if (six) {
        l.playerAttack.push_back("6♦");
        l.computerDefence.push_back("7♦");
    }
    return l;
}

}  // namespace

// --- Leading and adding --------------------------------------------------------------

TEST(PlayerAttackLead, CardFromSlotThreeOpensPairOne) {
    TestTable t(HumanAttacks({"7♠", "", "9♣"}, {"10♣", "K♠"}));
    t.g.computerAttackCard = static_cast<Field>(Card("Q♦"));
    t.g.selectedSlot = 3;
    StepLog log(t);

    PlayerAttack(t.g);

    EXPECT_EQ(t.g.playerHand[3], kNoCard);
    EXPECT_EQ(t.g.playerHand[1], Card("7♠"));
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(3)), kBlankHolder);
    EXPECT_EQ(t.screen.PictureOf(kPlayerAttackPlace[1]), PictureIndexOf(Card("9♣")));
    EXPECT_EQ(t.g.tablePlayerAttack[1], Card("9♣"));
    EXPECT_EQ(t.g.playerAttackPair, 2);
    const auto& next = log.Next();
    EXPECT_EQ(next.step, "ComputerDefend");
    EXPECT_EQ(next.state.playerAttackCard, Card("9♣"));
    EXPECT_EQ(next.state.computerAttackCard, kNoCard);
    EXPECT_EQ(next.text, "Мы ходим\n");
    EXPECT_EQ(next.penY, kStatusY + kLine);
    EXPECT_TRUE(t.StatusShows("Мы ходим"));
}

// A card is added by the rank of an attack card or of a cover: here of the attack card
// 9♣, of its cover J♣, and of A♠, found only among the computer's covers (pair 3).
TEST(PlayerAttackAdding, RankOfAnAttackCardOrOfACoverIsAccepted) {
    for (int slot : {1, 2}) {
        SCOPED_TRACE(slot);
        TestTable t(NineOfClubsCovered());
        t.g.defenceCard = static_cast<Field>(Card("J♣"));
        const int card = t.g.playerHand[slot];
        t.g.selectedSlot = static_cast<Field>(slot);
        StepLog log(t);

        PlayerAttack(t.g);

        EXPECT_EQ(t.g.playerHand[slot], kNoCard);
        EXPECT_EQ(t.g.playerHand[3], Card("10♣"));
        EXPECT_EQ(t.screen.PictureOf(kPlayerAttackPlace[2]), PictureIndexOf(card));
        EXPECT_EQ(t.g.tablePlayerAttack[2], card);
        EXPECT_EQ(t.g.playerAttackPair, 3);
        EXPECT_EQ(log.Next().step, "ComputerDefend");
        EXPECT_EQ(log.Next().state.playerAttackCard, card);
    }

    Layout l = HumanAttacks({"", "", "6♦", "A♦"}, {"6♥"});
    l.playerAttack = {"7♠", "8♠", "9♠"};
    l.computerDefence = {"Q♠", "K♠", "A♠"};
    TestTable t(l);
    t.g.defenceCard = static_cast<Field>(Card("A♠"));
    t.g.selectedSlot = 4;

    PlayerAttack(t.g);

    EXPECT_EQ(t.g.playerHand[4], kNoCard);
    EXPECT_EQ(t.g.playerHand[3], Card("6♦"));
    EXPECT_EQ(t.g.tablePlayerAttack[4], Card("A♦"));
    EXPECT_EQ(t.screen.PictureOf(kPlayerAttackPlace[4]), PictureIndexOf(Card("A♦")));
    EXPECT_EQ(t.g.playerAttackPair, 5);
}

// A refused card, by rank or because six pairs lie on the table: the text is cleared,
// "Мы ходим" printed, and nothing else happens; the computer is not asked to cover.
TEST(PlayerAttackAdding, RefusedCardChangesNothing) {
    for (bool fullTable : {false, true}) {
        SCOPED_TRACE(fullTable);
        // 10♣ in slot 3; or 6♣, whose rank lies on the full table.
        TestTable t(fullTable ? PairsOnTheTable(true, {"", "", "6♣"}, {"7♣"}) : NineOfClubsCovered());
        t.g.computerAttackCard = static_cast<Field>(Card("Q♦"));
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
        EXPECT_EQ(t.g.computerAttackCard, kNoCard);
        EXPECT_TRUE(t.screen.log.empty()) << "pair 1 keeps its card in Image56";
        EXPECT_EQ(log.seen.size(), 1u);
    }
}

TEST(PlayerAttackAdding, SixthCardTakesTheLastPlaceAndTheCursorWraps) {
    TestTable t(PairsOnTheTable(false, {"6♦"}, {"7♦"}));
    t.g.defenceCard = static_cast<Field>(Card("J♥"));
    t.g.selectedSlot = 1;

    PlayerAttack(t.g);

    EXPECT_EQ(t.g.tablePlayerAttack[6], Card("6♦"));
    EXPECT_EQ(t.screen.PictureOf(kPlayerAttackPlace[6]), PictureIndexOf(Card("6♦")));
    EXPECT_EQ(t.g.playerAttackPair, 1);
    EXPECT_EQ(t.g.tablePlayerAttack[1], Card("6♠"));
}

// --- Clicks that put nothing down ---------------------------------------------------------

TEST(PlayerAttackEmptySlot, ComputerIsAskedAboutTheCardStillInPlayerAttackCard) {
    // None after the computer covered; 9♣ when the computer took it and it is gone.
    for (int stale : {kNoCard, Card("9♣")}) {
        SCOPED_TRACE(stale);
        TestTable t(HumanAttacks({"K♦"}, {"10♣"}));
        t.g.playerAttackCard = static_cast<Field>(stale);
        t.g.selectedSlot = 4;
        StepLog log(t);

        PlayerAttack(t.g);

        EXPECT_EQ(t.g.playerHand[1], Card("K♦"));
        EXPECT_EQ(t.g.tablePlayerAttack[1], kNoCard);
        EXPECT_FALSE(Touched(t.screen, kPlayerAttackPlace[1], t.screen.log.size()));
        EXPECT_EQ(log.Next().step, "ComputerDefend");
        EXPECT_EQ(log.Next().state.playerAttackCard, stale);
    }
}

TEST(PlayerAttackEmptySlot, ComputerWithoutCardsShowsResultsAndKeepsTheClickedCard) {
    TestTable t(HumanAttacks({"", "", "9♣"}, {}));
    t.g.selectedSlot = 3;
    StepLog log(t);

    EXPECT_THROW(PlayerAttack(t.g), GameOver);

    EXPECT_EQ(t.g.playerHand[3], Card("9♣"));
    EXPECT_EQ(t.g.tablePlayerAttack[1], kNoCard);
    EXPECT_FALSE(Touched(t.screen, HandSlotControl(3), t.screen.log.size()));
    EXPECT_EQ(log.Count("ComputerDefend"), 0);
    const auto& next = log.Next();
    EXPECT_EQ(next.step, "ShowResults");
    EXPECT_EQ(next.text, "") << "\"Мы ходим\" is erased before the results";
    EXPECT_EQ(next.penX, TextLayer::kStatusLineX);
    EXPECT_EQ(next.penY, kStatusY);
}

// --- The automatic player ------------------------------------------------------------------

TEST(PlayerAttackAutomatic, NeverDrawsSlotTwelveAndDrawsAgainOnZero) {
    TestTable t(AutomaticAttacks({{12, "7♠"}}));  // its only card
    AutomaticFirstDraw(t);
    ComputerHandShed(t);
    t.random.Push(0.01);   // 0: no slot, drawn again
    t.random.Push(0.999);  // the highest draw names slot 11
    StepLog log(t);

    PlayStep(t.g, PlayerAttack);

    // Read at the round end, before it closes up the hand.
    const auto& next = log.Next();
    EXPECT_EQ(next.step, "EndRound");
    EXPECT_EQ(next.state.playerHand[12], Card("7♠"));
    EXPECT_FALSE(Touched(t.screen, HandSlotControl(12), next.screenOps));
    EXPECT_EQ(next.state.selectedSlot, 11);
    EXPECT_EQ(next.reseeds, 2);
    EXPECT_EQ(next.randomLeft, 0u);
}

TEST(PlayerAttackAutomatic, LowSharedCounterMakesItDrawAgainUntilTheThirteenth) {
    struct Case {
        int scratch, draws;
    };
    for (Case c : {Case{0, 13}, Case{5, 8}, Case{11, 2}, Case{12, 1}, Case{21001, 1}}) {
        SCOPED_TRACE(c.scratch);
        TestTable t(AutomaticAttacks({{5, "7♠"}}));  // every draw but the last names this card...
        t.g.scratch = static_cast<Field>(c.scratch);
        ComputerHandShed(t);
        for (int i = 1; i < c.draws; ++i) t.random.PushInt(5, 12);
        t.random.PushInt(7, 12);  // ...and only the last, an empty slot, is played
        StepLog log(t);

        PlayStep(t.g, PlayerAttack);

        std::size_t runs = 0;
        while (runs < log.seen.size() && log.seen[runs].step == "PlayerAttack") ++runs;
        ASSERT_EQ(runs, static_cast<std::size_t>(c.draws)) << "one run per draw";
        ASSERT_LT(runs, log.seen.size());
        const auto& end = log.seen[runs];
        EXPECT_EQ(end.step, "EndRound");
        EXPECT_EQ(end.state.playerHand[5], Card("7♠"));
        EXPECT_EQ(end.reseeds, c.draws);
        EXPECT_EQ(end.randomLeft, 0u);
        EXPECT_EQ(end.text, "Мы ходим\n") << "each run clears the text first";
    }
}

TEST(PlayerAttackAutomatic, LeadFromAnEmptySlotPausesAndEndsTheRound) {
    Layout l = AutomaticAttacks({"K♦"});
    l.delayFactor = kPaceMedium;
    TestTable t(l);
    AutomaticFirstDraw(t);
    t.g.playerAttackCard = static_cast<Field>(Card("K♠"));  // left from an earlier round
    ComputerHandShed(t);
    t.random.PushInt(7, 12);
    StepLog log(t);

    PlayStep(t.g, PlayerAttack);

    const auto& next = log.Next();
    EXPECT_EQ(next.step, "EndRound");
    EXPECT_EQ(next.state.playerAttackCard, kNoCard);
    EXPECT_EQ(next.state.tablePlayerAttack[1], kNoCard);
    EXPECT_EQ(next.state.scratch, 21001);
    EXPECT_EQ(next.penY, kStatusY + 2 * kLine) << "\"Мы ходим\" and one empty line";
    ASSERT_EQ(next.waits, 1u);
    const Pause& p = t.pauses.waits[0];
    EXPECT_EQ(p.kind, PauseKind::AutoLeadClosing);
    EXPECT_EQ(p.slowTurns, 16000LL * kPaceMedium);
    EXPECT_EQ(p.fastTurns, 7LL * 21000);
    EXPECT_EQ(p.emptyLines, 0);
    for (std::size_t i = 0; i < next.screenOps; ++i)
        if (t.screen.log[i].slot == kPlayerAttackPlace[1]) EXPECT_EQ(t.screen.log[i].value, kBlankHolder);
}

TEST(PlayerAttackAutomatic, SeventhCardClosesTheRoundAndStaysInTheHand) {
    Layout l = PairsOnTheTable(true, {"", "6♣", "", "", "K♦"}, {});
    l.playMode = kPlayModeTwoComputers;
    l.delayFactor = kPaceFast;
    TestTable t(l);
    AutomaticFirstDraw(t);
    t.g.playerAttackCard = static_cast<Field>(Card("6♦"));  // the sixth card, covered
    ComputerHandShed(t);
    t.random.PushInt(2, 12);
    const GameState before = t.g;
    StepLog log(t);

    PlayStep(t.g, PlayerAttack);

    const auto& next = log.Next();
    EXPECT_EQ(next.step, "EndRound");
    EXPECT_EQ(next.state.playerHand[2], Card("6♣"));
    EXPECT_EQ(next.state.tablePlayerAttack.v, before.tablePlayerAttack.v);
    EXPECT_EQ(next.state.playerAttackCard, kNoCard);
    EXPECT_EQ(next.penY, kStatusY + kLine) << "no empty line before the pause";
    ASSERT_EQ(next.waits, 1u);
    EXPECT_EQ(t.pauses.waits[0].kind, PauseKind::AutoLeadClosing);
}

// The automatic player wins when its last card is down; a card in slot 10 still counts.
TEST(PlayerAttackAutomatic, LastCardPutDownWinsWithoutTheComputersCover) {
    for (bool cardInSlotTen : {false, true}) {
        SCOPED_TRACE(cardInSlotTen);
        Cards hand = {{4, "9♣"}};
        if (cardInSlotTen) hand.push_back({10, "K♦"});
        TestTable t(AutomaticAttacks(hand, {"10♣"}));  // covers with its last card, and the game ends there
        AutomaticFirstDraw(t);
        t.random.PushInt(4, 12);
        StepLog log(t);

        EXPECT_THROW(PlayerAttack(t.g), GameOver);

        EXPECT_EQ(t.g.tablePlayerAttack[1], Card("9♣"));
        if (cardInSlotTen) {
            EXPECT_FALSE(t.Printed("Мы выиграли"));
            EXPECT_EQ(log.Next().step, "ComputerDefend");
            EXPECT_EQ(log.Next().state.playerAttackCard, Card("9♣"));
        } else {
            EXPECT_TRUE(t.StatusShows("Мы выиграли"));
            EXPECT_EQ(log.Next().step, "ShowResults");
            EXPECT_EQ(log.Count("ComputerDefend"), 0);
            EXPECT_EQ(t.g.computerHand[1], Card("10♣"));
        }
    }
}
