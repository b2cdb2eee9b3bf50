// The end of a round: the outcome and its message, the waits, the take steps of both
// seats slot by slot, the turn, the close-up of the player's hand and the end tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/picture_catalogue.h"
#include "flow/input_dispatch.h"
#include "flow/procedures.h"
#include "support/steps.h"

using namespace durak;
using namespace durak::fakes;

namespace {

// A game late in play at the human's table, hearts trumps, the stock used up (so the
// refill draws nothing), the statistics at 0.
Layout LateInPlay(Field role, Cards playerHand, Cards computerHand) {
    return {.playerRole = role, .trump = "10♥", .playerHand = playerHand, .computerHand = computerHand};
}

int CardsHeld(const GameState& s) {
    return s.playerHand.CountNonZero() + s.computerHand.CountNonZero() +
           s.tablePlayerAttack.CountNonZero() + s.tableComputerDefence.CountNonZero() +
           s.tableComputerAttack.CountNonZero() + s.tablePlayerDefence.CountNonZero();
}

}  // namespace

// ---------------------------------------------------------------------------------
// The computer takes
// ---------------------------------------------------------------------------------

// The computer holds slots 1, 3, 4, 6 and takes A1, A2, A3 with the covers D1, D2. The
// message and the full table stay in view during the wait that follows "Комп взял..".
TEST(ComputerTakes, CardsLandInTheListedSlotsAfterTheWait) {
    Layout l = LateInPlay(kPlayerAttacks, {"6♠", "7♠", "6♣", "7♣"}, {"8♠", "", "8♣", "8♦", "", "8♥"});
    l.playerAttack = {"9♠", "9♣", "9♦"};  // A1 and A2 covered by D1 and D2, A3 not
    l.computerDefence = {"J♠", "J♣"};
    TestTable t(l);
    t.g.playerAttackCard = static_cast<Field>(Card("9♦"));
    t.text.ClearAndPrintStatus("Мы ходим");

    EndRound(t.g);

    const auto& c = t.g.computerHand;
    const int expected[kComputerHandSlots + 1] = {
        0, Card("8♠"), Card("9♣"), Card("8♣"), Card("8♦"), Card("9♦"), Card("8♥"),
        Card("9♠"), Card("J♣"), 0, 0, 0, 0, Card("J♠"), 0, 0, 0};
    for (int s = 1; s <= kComputerHandSlots; ++s) EXPECT_EQ(c[s], expected[s]) << "slot " << s;
    EXPECT_TRUE(t.g.tablePlayerAttack.AllZero());
    EXPECT_TRUE(t.g.tableComputerDefence.AllZero());
    EXPECT_EQ(t.g.computerCardCount, 9);
    EXPECT_EQ(t.screen.PictureOf(kComputerFanSlot), kFanHolder9);

    EXPECT_TRUE(t.StatusShows("Комп взял.."));
    EXPECT_EQ(t.g.computerTookCount, 1);
    EXPECT_EQ(t.g.playerRole, kPlayerAttacks);
    for (int k = 1; k <= kPairs; ++k)
        for (const int* row : {kPlayerAttackPlace, kComputerDefencePlace, kComputerAttackPlace, kPlayerDefencePlace})
            EXPECT_EQ(t.screen.PictureOf(row[k]), kBlankHolder) << "place " << row[k];

    ASSERT_EQ(t.pauses.waits.size(), 1u);
    EXPECT_EQ(t.pauses.waits[0].kind, PauseKind::ComputerTook);
    EXPECT_EQ(t.pauses.waits[0].text, "Комп взял..\n");  // the earlier text is gone
    EXPECT_EQ(t.pauses.waits[0].screenOps, 0u);          // the table not yet blanked
    EXPECT_EQ(t.g.scratch, 29001);
}

// Between two computers the round end opens with its own short wait, before the take's.
TEST(ComputerTakes, TwoComputersWaitFirstThenTheTakeWait) {
    Layout l = LateInPlay(kPlayerAttacks, {"6♠", "7♠", "6♣"}, {"8♠"});
    l.playMode = kPlayModeTwoComputers;
    l.playerAttack = {"9♦"};
    TestTable t(l);
    t.g.playerAttackCard = static_cast<Field>(Card("9♦"));
    StepLog steps(t, {"RefillFromStock"});

    EXPECT_EQ(RunToCut(t.g, EndRound), "RefillFromStock");

    ASSERT_EQ(t.pauses.waits.size(), 2u);
    EXPECT_EQ(t.pauses.waits[0].kind, PauseKind::TwoComputerRoundEnd);
    EXPECT_EQ(t.pauses.waits[0].text, "");
    EXPECT_EQ(t.pauses.waits[1].kind, PauseKind::ComputerTook);
    EXPECT_EQ(steps.At("RefillFromStock").state.scratch, 29001);
    EXPECT_EQ(steps.At("RefillFromStock").state.computerHand[3], Card("9♦"));
}

// A second press of the button, before any new attack card, counts no second take.
TEST(ComputerTakes, SecondButtonPressCountsNothing) {
    Layout l = LateInPlay(kPlayerAttacks, {"6♠", "7♠", "6♣"}, {"8♠"});
    l.playerAttack = {"9♦"};
    TestTable t(l);
    t.g.playerAttackCard = static_cast<Field>(Card("9♦"));

    Image70_Click(t.g);
    ASSERT_EQ(t.g.computerTookCount, 1);
    EXPECT_EQ(t.g.playerAttackCard, kNoCard);

    Image70_Click(t.g);
    EXPECT_EQ(t.g.computerTookCount, 1);
    EXPECT_FALSE(t.Printed("Комп взял.."));
    EXPECT_EQ(t.pauses.waits.size(), 1u);
    EXPECT_EQ(t.g.computerHand.CountNonZero(), 2);
}

// The listed steps leave D2 behind although the hand has room: it goes into the first
// empty slot instead of leaving the game.
TEST(ComputerTakes, CardTheListsMissGoesToFirstEmptySlot) {
    Layout l = LateInPlay(kPlayerAttacks, {"6♠", "7♠", "6♣"}, {{11, "8♠"}, {14, "8♣"}});
    l.playerAttack = {"9♠", "9♣", "9♦"};
    l.computerDefence = {"J♠", "J♣"};
    TestTable t(l);
    t.g.playerAttackCard = static_cast<Field>(Card("9♦"));
    const int before = CardsHeld(t.g);

    EndRound(t.g);

    const auto& c = t.g.computerHand;
    EXPECT_EQ(c[1], Card("9♠"));
    EXPECT_EQ(c[2], Card("9♣"));
    EXPECT_EQ(c[3], Card("J♣"));  // D2, missed by the lists
    EXPECT_EQ(c[5], Card("9♦"));
    EXPECT_EQ(c[7], Card("J♠"));
    EXPECT_EQ(c[8], Card("8♣"));  // closed up from slot 14
    EXPECT_EQ(c[11], Card("8♠"));
    EXPECT_EQ(t.g.computerCardCount, 7);
    EXPECT_EQ(CardsHeld(t.g), before);
}

// ---------------------------------------------------------------------------------
// The player takes, and the close-up of the player's hand
// ---------------------------------------------------------------------------------

// The player holds slots 1 and 2 and takes K1 with its cover E1 and the uncovered K2.
TEST(PlayerTakes, CardsLandInTheListedSlotsAndShow) {
    Layout l = LateInPlay(kPlayerDefends, {"6♠", "7♠"}, {"8♠", "9♠"});
    l.computerAttack = {"6♣", "6♦"};  // K1 covered by E1, K2 not
    l.playerDefence = {"7♣"};
    TestTable t(l);
    t.g.computerAttackCard = static_cast<Field>(Card("6♦"));
    for (int s = kFrontSlots + 1; s <= kPlayerHandSlots; ++s)
        t.screen.SetPicture(HandSlotControl(s), PictureIndexOf(Card("K♠")));  // stale faces
    StepLog steps(t, {"RefillFromStock"});

    EXPECT_EQ(RunToCut(t.g, EndRound), "RefillFromStock");

    const auto& p = t.g.playerHand;
    const int expected[kPlayerHandSlots + 1] = {
        0, Card("6♠"), Card("7♠"), Card("7♣"), 0, Card("6♦"), Card("6♣"), 0, 0, 0, 0, 0, 0};
    for (int s = 1; s <= kPlayerHandSlots; ++s) EXPECT_EQ(p[s], expected[s]) << "slot " << s;
    for (int s = kFrontSlots + 1; s <= kPlayerHandSlots; ++s)
        EXPECT_EQ(t.screen.PictureOf(HandSlotControl(s)), kBlankHolder);
    // The cards moved into slots 1..6 show at once, whether or not the stock can refill.
    for (int s : {3, 5, 6}) EXPECT_EQ(t.screen.PictureOf(HandSlotControl(s)), PictureIndexOf(p[s]));

    EXPECT_TRUE(t.StatusShows("Мы взяли..."));
    EXPECT_EQ(t.g.playerTookCount, 1);
    EXPECT_EQ(t.g.playerRole, kPlayerDefends);
    EXPECT_EQ(t.g.attackPhase, kNothingToCover);
    EXPECT_TRUE(t.g.tableComputerAttack.AllZero());
    EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
}

// Four pairs, the last uncovered: the lists leave E3 on the table while slots 9..12 are
// free after the close-up. It goes into slot 9. With all twelve slots taken there is
// nowhere to put a card: no card of the hand is overwritten, and the card leaves play
// with the cleared table instead of lingering in the row, where the next round's first
// card would overwrite it unseen.
TEST(PlayerTakes, CardTheListsMissGoesToFirstEmptySlotOrWithAFullHandOffTheTable) {
    Layout l = LateInPlay(kPlayerDefends, {"6♠", "7♠"}, {"8♠"});
    l.computerAttack = {"6♣", "7♣", "8♣", "9♣"};
    l.playerDefence = {"10♣", "J♣", "Q♣"};
    TestTable t(l);
    t.g.computerAttackCard = static_cast<Field>(Card("9♣"));
    StepLog steps(t, {"RefillFromStock"});
    const int before = CardsHeld(t.g);

    EXPECT_EQ(RunToCut(t.g, EndRound), "RefillFromStock");

    const auto& p = t.g.playerHand;
    const int expected[kPlayerHandSlots + 1] = {0, Card("6♠"), Card("7♠"), Card("8♣"), Card("9♣"),
                                                Card("10♣"), Card("J♣"), Card("6♣"), Card("7♣"),
                                                Card("Q♣"), 0, 0, 0};
    for (int s = 1; s <= kPlayerHandSlots; ++s) EXPECT_EQ(p[s], expected[s]) << "slot " << s;
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(9)), PictureIndexOf(Card("Q♣")));
    EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
    EXPECT_EQ(CardsHeld(t.g), before);

    l.playerHand = {"6♠", "7♠", "8♠", "10♠", "J♠", "Q♠", "K♠", "A♠", "6♣", "7♣", "8♣", "9♣"};
    l.computerAttack = {"9♠"};
    l.playerDefence = {};
    TestTable full(l);
    full.g.computerAttackCard = static_cast<Field>(Card("9♠"));
    const auto handBefore = full.g.playerHand;
    StepLog fullSteps(full, {"RefillFromStock"});

    EXPECT_EQ(RunToCut(full.g, EndRound), "RefillFromStock");

    EXPECT_EQ(full.g.playerHand.v, handBefore.v);
    EXPECT_EQ(full.g.tableComputerAttack[1], kNoCard);
}

// ---------------------------------------------------------------------------------
// The other outcomes and the turn
// ---------------------------------------------------------------------------------

TEST(RoundOutcome, ComputerCoveredEverything) {
    Layout l = LateInPlay(kPlayerAttacks, {"6♠", "7♠", "6♣"}, {"8♠"});
    l.playerAttack = {"9♦"};
    l.computerDefence = {"J♦"};
    TestTable t(l);
    t.g.defenceCard = static_cast<Field>(Card("J♦"));  // playerAttackCard cleared by the cover
    StepLog steps(t, {"RefillFromStock"});

    EXPECT_EQ(RunToCut(t.g, EndRound), "RefillFromStock");

    EXPECT_TRUE(t.StatusShows("Комп ходит..."));
    EXPECT_EQ(t.g.computerDefendedCount, 1);
    EXPECT_EQ(t.g.playerRole, kPlayerDefends);
    EXPECT_TRUE(t.g.tablePlayerAttack.AllZero());
    EXPECT_TRUE(t.g.tableComputerDefence.AllZero());
    EXPECT_EQ(t.g.computerHand.CountNonZero(), 1);  // the beaten cards left play
    EXPECT_TRUE(t.pauses.waits.empty());
}

// The computer's attack: the last computer card and the player's last cover decide.
TEST(RoundOutcome, PlayerOutcomesByLatestCards) {
    struct Case {
        const char *computerCard, *cover, *message;
        int took, defended;
        Field roleAfter;
    };
    const Case cases[] = {
        {"6♦", "", "Мы взяли...", 1, 0, kPlayerDefends},
        {"", "7♦", "Мы отбидись...", 0, 1, kPlayerAttacks},
        {"6♦", "7♦", "Мы отбились...", 0, 1, kPlayerAttacks},
        {"", "", "Наше...", 1, 0, kPlayerDefends},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Layout l = LateInPlay(kPlayerDefends, {"6♠", "7♠", "6♣"}, {"8♠"});
        l.attackPhase = kComputerCardDown;
        l.computerAttack = {"6♦"};
        l.playerDefence = {"7♦"};
        TestTable t(l);
        t.g.computerAttackCard = static_cast<Field>(*c.computerCard ? Card(c.computerCard) : kNoCard);
        t.g.playerDefenceCard = static_cast<Field>(*c.cover ? Card(c.cover) : kNoCard);
        StepLog steps(t, {"RefillFromStock"});

        EXPECT_EQ(RunToCut(t.g, EndRound), "RefillFromStock");

        EXPECT_TRUE(t.StatusShows(c.message)) << t.text.Dump();
        EXPECT_EQ(t.text.Runs().size(), 1u);
        EXPECT_EQ(t.g.playerTookCount, c.took);
        EXPECT_EQ(t.g.playerDefendedCount, c.defended);
        EXPECT_EQ(t.g.playerRole, c.roleAfter);
        EXPECT_EQ(t.g.computerTookCount + t.g.computerDefendedCount, 0);
        const bool took = c.took == 1;
        // Taken: both cards are in the hand. Covered: they left play.
        EXPECT_EQ(t.g.playerHand.Contains(Card("6♦")), took);
        EXPECT_EQ(t.g.playerHand.Contains(Card("7♦")), took);
        EXPECT_TRUE(t.g.tableComputerAttack.AllZero());
        EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
        EXPECT_EQ(t.g.attackPhase, took ? kNothingToCover : kComputerCardDown);
    }
}

// An attack card still lying uncovered is never beaten, whatever the latest cards say:
// the defender takes the table. Between two computers the latest card of the player may
// be covered while an earlier one is not; the computer's latest card may be covered
// while an earlier one is not.
TEST(RoundOutcome, AnUncoveredCardMakesTheDefenderTake) {
    {
        SCOPED_TRACE("the player's attack: A2 uncovered, the latest card covered");
        Layout l = LateInPlay(kPlayerAttacks, {"6♠"}, {"8♠"});
        l.playMode = kPlayModeTwoComputers;
        l.playerAttack = {"9♠", "9♣", "9♦"};
        l.computerDefence = {"J♠", "", "Q♦"};
        TestTable t(l);
        t.g.defenceCard = static_cast<Field>(Card("Q♦"));  // playerAttackCard 0, as the automatic player leaves it
        StepLog steps(t, {"RefillFromStock"});

        EXPECT_EQ(RunToCut(t.g, EndRound), "RefillFromStock");

        EXPECT_TRUE(t.StatusShows("Комп взял..")) << t.text.Dump();
        EXPECT_EQ(t.g.computerTookCount, 1);
        EXPECT_EQ(t.g.computerDefendedCount, 0);
        EXPECT_EQ(t.g.playerRole, kPlayerAttacks);
        for (const char* c : {"9♠", "J♠", "9♣", "9♦", "Q♦"}) EXPECT_TRUE(t.g.computerHand.Contains(Card(c))) << c;
    }
    {
        SCOPED_TRACE("the computer's attack: K1 uncovered, the latest card covered");
        Layout l = LateInPlay(kPlayerDefends, {"6♠"}, {"8♠"});
        l.attackPhase = kComputerCardDown;
        l.computerAttack = {"6♦", "6♣"};
        l.playerDefence = {"", "7♣"};
        TestTable t(l);
        t.g.computerAttackCard = static_cast<Field>(Card("6♣"));
        t.g.playerDefenceCard = static_cast<Field>(Card("7♣"));  // would read "Мы отбились..."
        StepLog steps(t, {"RefillFromStock"});

        EXPECT_EQ(RunToCut(t.g, EndRound), "RefillFromStock");

        EXPECT_TRUE(t.StatusShows("Мы взяли...")) << t.text.Dump();
        EXPECT_EQ(t.g.playerTookCount, 1);
        EXPECT_EQ(t.g.playerDefendedCount, 0);
        EXPECT_EQ(t.g.playerRole, kPlayerDefends);
        for (const char* c : {"6♦", "6♣", "7♣"}) EXPECT_TRUE(t.g.playerHand.Contains(Card(c))) << c;
    }
}

// The human covered and the computer added nothing: the text goes, the table stays in
// view through the wait, then the covered round is announced and the player leads.
TEST(RoundOutcome, PlayerCoveredAfterWaitWithTableInView) {
    Layout l = LateInPlay(kPlayerDefends, {"6♠", "7♠", "6♣"}, {"8♠", "9♠"});
    l.computerAttack = {"6♦"};
    l.playerDefence = {"7♦"};
    TestTable t(l);
    t.g.playerDefenceCard = static_cast<Field>(Card("7♦"));
    t.text.MoveTextPen(50, 500);
    t.text.PrintLine({"Комп не пошел"});

    EndRound(t.g);

    ASSERT_EQ(t.pauses.waits.size(), 1u);
    EXPECT_EQ(t.pauses.waits[0].kind, PauseKind::PlayerCovered);
    EXPECT_EQ(t.pauses.waits[0].text, "");
    EXPECT_EQ(t.pauses.waits[0].screenOps, 0u);  // the table is untouched until then
    EXPECT_TRUE(t.StatusShows("Мы отбидись..."));
    EXPECT_FALSE(t.Printed("Комп не пошел"));
    EXPECT_EQ(t.g.playerDefendedCount, 1);
    EXPECT_EQ(t.g.playerRole, kPlayerAttacks);
    EXPECT_TRUE(t.g.tableComputerAttack.AllZero());
    EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
    EXPECT_FALSE(t.g.playerHand.Contains(Card("6♦")));
    EXPECT_EQ(t.screen.PictureOf(kComputerAttackPlace[1]), kBlankHolder);
    EXPECT_EQ(t.screen.PictureOf(kPlayerDefencePlace[1]), kBlankHolder);
    // The refill follows on the same status line.
    EXPECT_TRUE(t.text.HasRunAt(2550, 6420, " 6  7  56  0  0  0 "));
}

// The player attacks and neither a take nor a cover applies: nothing is said or counted,
// the player keeps the lead, and the round end still closes up, refills and tests.
TEST(RoundOutcome, NothingToCountKeepsThePlayerLeading) {
    TestTable t(LateInPlay(kPlayerAttacks, {"6♠", "", "6♣", "7♣", "", "", "8♣"}, {"8♠"}));

    EndRound(t.g);

    EXPECT_EQ(t.g.playerRole, kPlayerAttacks);
    EXPECT_EQ(t.g.playerTookCount + t.g.playerDefendedCount + t.g.computerTookCount +
                  t.g.computerDefendedCount,
              0);
    EXPECT_EQ(t.g.playerHand[6], Card("8♣"));  // closed up: P6 ← P7 comes before any P2 ← P7
    EXPECT_EQ(t.g.playerHand[7], kNoCard);
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(6)), PictureIndexOf(Card("8♣")));
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(7)), kBlankHolder);
    ASSERT_EQ(t.text.Runs().size(), 1u);
    EXPECT_TRUE(t.text.HasRunAt(2550, 6420, " 6  0  56  57  0  58 "));
    EXPECT_TRUE(t.pauses.waits.empty());
}

// ---------------------------------------------------------------------------------
// The end of the game
// ---------------------------------------------------------------------------------

// One card in slot 10 is still a hand: no win, only the mid-game score.
TEST(GameEnd, SingleCardInSlotTenIsNoWin) {
    TestTable t(LateInPlay(kPlayerAttacks, {{10, "6♣"}}, {"8♠", "9♠"}));

    EndRound(t.g);

    EXPECT_FALSE(t.Printed("Мы выиграли"));
    EXPECT_FALSE(t.Printed("Ничья"));
    EXPECT_EQ(t.g.playerHand.CountNonZero(), 1);
    EXPECT_EQ(t.g.playerHand[4], Card("6♣"));
}

TEST(GameEnd, PlayerOutOfCardsWins) {
    TestTable t(LateInPlay(kPlayerAttacks, {}, {"8♠", "9♠"}));

    EXPECT_THROW(EndRound(t.g), GameOver);

    EXPECT_TRUE(t.StatusShows("Мы выиграли"));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  2 "));
    EXPECT_FALSE(t.screen.IsVisible(kComputerFanSlot));
}

// Both hands empty: the computer's win is announced first, and the draw replaces it.
TEST(GameEnd, BothHandsEmptyEndsInADraw) {
    TestTable t(LateInPlay(kPlayerAttacks, {}, {}));
    t.g.computerCardCount = 3;  // recounted to 0 by the round end

    EXPECT_THROW(EndRound(t.g), GameOver);

    EXPECT_TRUE(t.StatusShows("Ничья"));
    EXPECT_FALSE(t.Printed("Комп выиграл"));
    EXPECT_EQ(t.g.computerCardCount, 0);
    // The computer's win showed its results, then the draw showed them again.
    EXPECT_EQ(t.screen.windowShown, 4);
    EXPECT_TRUE(t.text.HasRunAt(50, 250, "Мы отбились  0 раз"));
    // No refill ran: the player's numbers were never printed.
    EXPECT_FALSE(t.text.HasRunAt(2550, 6420, " 0  0  0  0  0  0 "));
}

TEST(GameEnd, ComputerOutOfCardsWins) {
    TestTable t(LateInPlay(kPlayerAttacks, {"6♠", "7♠", "6♣"}, {}));
    t.g.computerCardCount = 1;

    EXPECT_THROW(EndRound(t.g), GameOver);

    EXPECT_TRUE(t.StatusShows("Комп выиграл"));
    EXPECT_EQ(t.screen.PictureOf(kComputerFanSlot), kBlankHolder);
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  0 "));
    EXPECT_EQ(t.screen.windowShown, 2);
}

// A result is final: the button and the hand slots, pressed again after "Мы выиграли",
// "Комп выиграл" or "Ничья", neither move a card nor count an outcome; the result stays.
// (Each press would otherwise count the player's take "Наше...".) Before the first game
// there is no round to end either: the button does nothing at all.
TEST(GameEnd, PressesAfterTheResultOrBeforeTheFirstGameChangeNothing) {
    struct Case {
        const char* result;
        bool computerHolds, playerHolds;
    };
    for (Case c : {Case{"Мы выиграли", true, false}, Case{"Комп выиграл", false, true},
                   Case{"Ничья", false, false}}) {
        SCOPED_TRACE(c.result);
        // The computer's attack, nothing on the table.
        Layout l = LateInPlay(kPlayerDefends, {}, {});
        l.attackPhase = kComputerCardDown;
        if (c.computerHolds) l.computerHand = {"8♠", "9♠"};
        if (c.playerHolds) l.playerHand = {"6♠", "7♠"};
        TestTable t(l);
        t.g.computerCardCount = c.computerHolds ? 2 : 1;

        Image70_Click(t.g);
        ASSERT_TRUE(t.StatusShows(c.result)) << t.text.Dump();
        EXPECT_EQ(t.g.playerTookCount, 1);  // "Наше..." of the deciding round end
        const GameState atResult = t.g;
        const std::size_t waits = t.pauses.waits.size();

        Image70_Click(t.g);
        Image41_Click(t.g);
        Image70_Click(t.g);

        EXPECT_TRUE(t.StatusShows(c.result));
        EXPECT_EQ(t.g.playerTookCount, 1);
        EXPECT_EQ(t.g.computerTookCount + t.g.playerDefendedCount + t.g.computerDefendedCount, 0);
        EXPECT_EQ(t.g.playerHand, atResult.playerHand);
        EXPECT_EQ(t.g.computerHand, atResult.computerHand);
        EXPECT_EQ(t.pauses.waits.size(), waits);
    }

    TestTable t;
    t.text.MoveTextPen(50, 1500);
    t.text.PrintLine({"метка"});

    Image70_Click(t.g);

    EXPECT_TRUE(t.text.HasRunAt(50, 1500, "метка"));
    EXPECT_EQ(t.text.Runs().size(), 1u);
    EXPECT_TRUE(t.screen.log.empty());
    EXPECT_TRUE(t.pauses.waits.empty());
    EXPECT_EQ(t.g.playerTookCount + t.g.computerTookCount + t.g.playerDefendedCount +
                  t.g.computerDefendedCount,
              0);
}
