// The computer attacks: the lead from a random start suit, the addition by the rank of
// the player's cover, the six places of a round, and the follow-up after each card with
// its covering check, the player's reply and the two-computer counters.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "seats/computer_choice.h"
#include "support/steps.h"

using namespace durak;
using namespace durak::fakes;

namespace {

// A round of the computer's attack at the human's table, the stock used up: the player
// holds 6♠ 7♠ 6♣ 7♦ 8♦ 6♥ and has selected no card, the computer holds `computerHand`.
Layout ComputerAttacks(const char* trump, Cards computerHand) {
    return {.delayFactor = kPaceMedium, .playerRole = kPlayerDefends,
            .attackPhase = kNothingToCover, .trump = trump,
            .playerHand = {"6♠", "7♠", "6♣", "7♦", "8♦", "6♥"}, .computerHand = computerHand};
}

// The player has just covered the computer's 6♦ of pair 1 with 8♦: the computer adds.
Layout JustCovered(Cards computerHand) {
    Layout l = ComputerAttacks("10♥", computerHand);
    l.computerAttack = {"6♦"};
    l.playerDefence = {"8♦"};
    return l;
}
void CoveredWith(TestTable& t, const char* cover) {
    t.g.playerDefenceCard = t.g.defenceCard = static_cast<Field>(Card(cover));
}

// Six pairs on the table, the last cover Q♦.
Layout SixPairs(Cards computerHand) {
    Layout l = ComputerAttacks("10♥", computerHand);
    l.computerAttack = {"6♠", "7♠", "6♣", "7♣", "6♦", "7♦"};
    l.playerDefence = {"8♠", "9♠", "8♣", "9♣", "9♦", "Q♦"};
    return l;
}

// The example hand of a lead, clubs as trumps: 7♣, K♦, 9♠, 6♦ in slots 1 to 4.
Layout ExampleLead() { return ComputerAttacks("A♣", {"7♣", "K♦", "9♠", "6♦"}); }

}  // namespace

// --- The lead ------------------------------------------------------------------------------

// The start suit decides: suits below it are not scanned, a trump is never led, and
// within a suit the first card in slot order wins, not the lowest.
TEST(ComputerLead, FirstCardOfTheStartSuitOrALaterOneIsLed) {
    struct Case {
        int startSuit, card, slot;
    };
    for (Case c : {Case{1, Card("9♠"), 3}, Case{2, Card("K♦"), 2}, Case{3, Card("K♦"), 2}}) {
        SCOPED_TRACE(c.startSuit);
        TestTable t(ExampleLead());
        t.text.MoveTextPen(50, 170);
        t.random.PushInt(c.startSuit, 5);
        StepLog steps(t, {"EndRound", "PlayerDefend"});

        // The player answers the card.
        EXPECT_EQ(RunToCut(t.g, ComputerAttack), "PlayerDefend");

        EXPECT_EQ(t.g.computerAttackCard, c.card);
        EXPECT_EQ(t.g.computerHand[c.slot], kNoCard);
        EXPECT_EQ(t.g.computerHand.CountNonZero(), 3);
        EXPECT_EQ(t.g.tableComputerAttack[1], c.card);
        EXPECT_EQ(t.screen.PictureOf(kComputerAttackPlace[1]), PictureIndexOf(c.card));
        EXPECT_EQ(t.g.computerAttackPair, 2);
        EXPECT_EQ(t.g.attackPhase, kComputerCardDown);
        EXPECT_EQ(t.g.playerDefenceCard, kNoCard);
        EXPECT_EQ(t.g.trumpSuitIcon, 2);
        EXPECT_EQ(t.g.leadStartSuit, c.startSuit);
        EXPECT_TRUE(t.random.values.empty());
        // The lead is also printed as a number where the pen stood.
        EXPECT_TRUE(t.text.HasRunAt(50, 170, TextLayer::FormatNumber(c.card))) << t.text.Dump();
        // The fan keeps its count until the round ends.
        EXPECT_EQ(t.g.computerCardCount, 4);
        EXPECT_TRUE(t.screen.PicturesGiven(kComputerFanSlot).empty());
    }
}

TEST(ComputerLead, StartSuitWithNothingLeftIsDrawnOnceMore) {
    TestTable t(ExampleLead());
    t.random.PushInt(0, 5);  // names no suit: drawn again at once
    t.random.PushInt(4, 5);  // hearts: none held
    t.random.PushInt(1, 5);
    StepLog steps(t, {"EndRound", "PlayerDefend"});

    EXPECT_EQ(RunToCut(t.g, ComputerAttack), "PlayerDefend");

    EXPECT_EQ(t.g.computerAttackCard, Card("9♠"));
    EXPECT_EQ(t.g.tableComputerAttack[1], Card("9♠"));
    EXPECT_EQ(t.g.attackRetried, 1);
    EXPECT_EQ(t.random.reseeds, 3);
    EXPECT_TRUE(t.random.values.empty());
}

// A lead that finds nothing plays nothing: not the card the computer led last round, now
// in the player's hand, and not a trump while the computer holds another card.
TEST(ComputerLead, LeadThatFindsNothingPlaysNothing) {
    struct Case {
        const char* what;
        const char* trump;
        Cards hand;
        int firstSuit, secondSuit;
    };
    const Case cases[] = {
        {"the taken card is not led again", "A♣", {"9♠"}, 4, 3},
        {"a trump is not led", "10♥", {"7♥", "", "8♦"}, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestTable t(ComputerAttacks(c.trump, c.hand));
        t.g.playerHand[7] = static_cast<Field>(Card("Q♦"));
        t.g.computerAttackCard = static_cast<Field>(Card("Q♦"));  // taken with "Мы взяли..."
        const auto handBefore = t.g.computerHand;
        t.random.PushInt(c.firstSuit, 5);
        t.random.PushInt(c.secondSuit, 5);
        StepLog steps(t, {"EndRound"});

        EXPECT_EQ(RunToCut(t.g, ComputerAttack), "EndRound");

        const GameState& s = steps.At("EndRound").state;
        EXPECT_EQ(s.computerAttackCard, kNoCard);
        EXPECT_EQ(s.tableComputerAttack[1], kNoCard);
        EXPECT_EQ(s.computerHand.v, handBefore.v);
        EXPECT_EQ(s.attackPhase, kNothingToCover);
        EXPECT_TRUE(t.screen.PicturesGiven(kComputerAttackPlace[1]).empty());
        EXPECT_TRUE(t.random.values.empty());
    }
}

// With nothing but trumps the lead takes the first trump in slot order, and no start suit
// is drawn for it.
TEST(ComputerLead, HandOfOnlyTrumpsLeadsItsFirstTrump) {
    TestTable t(ComputerAttacks("10♥", {"", "Q♥", "", "", "7♥"}));
    StepLog steps(t, {"EndRound", "PlayerDefend"});

    EXPECT_EQ(RunToCut(t.g, ComputerAttack), "PlayerDefend");

    EXPECT_EQ(t.g.tableComputerAttack[1], Card("Q♥"));
    EXPECT_EQ(t.g.computerHand[2], kNoCard);
    EXPECT_EQ(t.g.computerHand[5], Card("7♥"));
    EXPECT_EQ(t.g.trumpSuitIcon, 4);
    EXPECT_EQ(t.random.reseeds, 0);
}

// --- Adding --------------------------------------------------------------------------------

TEST(ComputerAdding, FirstCardOfTheCoversRankIsAddedTrumpsIncluded) {
    struct Case {
        Cards hand;
        const char* added;
        int slot;
    };
    const Case cases[] = {
        {{{3, "J♣"}, {6, "8♠"}, {11, "8♥"}}, "8♠", 6},  // the first eight in slot order
        {{{3, "J♣"}, {11, "8♥"}}, "8♥", 11},            // only the trump eight
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.added);
        TestTable t(JustCovered(c.hand));
        CoveredWith(t, "8♦");
        StepLog steps(t, {"EndRound", "PlayerDefend"});

        EXPECT_EQ(RunToCut(t.g, ComputerAttack), "PlayerDefend");

        EXPECT_EQ(t.g.computerAttackCard, Card(c.added));
        EXPECT_EQ(t.g.computerHand[c.slot], kNoCard);
        EXPECT_EQ(t.g.computerHand[3], Card("J♣"));
        EXPECT_EQ(t.g.tableComputerAttack[2], Card(c.added));
        EXPECT_EQ(t.screen.PictureOf(kComputerAttackPlace[2]), PictureIndexOf(Card(c.added)));
        EXPECT_EQ(t.g.tableComputerAttack[1], Card("6♦"));
        EXPECT_EQ(t.g.computerAttackPair, 3);
        EXPECT_EQ(t.g.attackPhase, kComputerCardDown);
        EXPECT_EQ(t.g.playerDefenceCard, kNoCard);
        // Only the first card of a round is printed as a number.
        EXPECT_TRUE(t.text.Runs().empty()) << t.text.Dump();
    }
}

// The addition reads the state alone: the rank of defenceCard first, then of
// playerDefenceCard; with no cover the first empty slot ends the scan with no card; a
// player without cards is given nothing.
TEST(ComputerAdding, RankOfTheLatestCoverChoosesTheSlot) {
    GameState s;
    SetTable(s, {.playerHand = {"6♠"}, .computerHand = {"J♣", "A♠", "", "9♥"}});
    s.defenceCard = static_cast<Field>(Card("9♠"));
    EXPECT_EQ(AdditionSlot(s), 4);
    s.defenceCard = static_cast<Field>(Card("8♦"));
    s.playerDefenceCard = static_cast<Field>(Card("A♦"));
    EXPECT_EQ(AdditionSlot(s), 2);
    s.playerDefenceCard = static_cast<Field>(Card("K♦"));
    EXPECT_EQ(AdditionSlot(s), 0);
    s.defenceCard = kNoCard;
    EXPECT_EQ(AdditionSlot(s), 3);  // the empty slot: no card
    s.defenceCard = static_cast<Field>(Card("9♠"));
    s.playerHand.Clear();
    EXPECT_EQ(AdditionSlot(s), 0);
}

// Nothing of the rank: the round ends, and the attack itself prints nothing. Codes of no
// card at the ends of the 16-bit range are of no rank: a cover 50 below the top of the
// range has no code 50 above it, which must not wrap round onto a slot's value.
TEST(ComputerAdding, NothingOfTheRankEndsTheRoundWithoutMessage) {
    for (const bool wideCodes : {false, true}) {
        SCOPED_TRACE(wideCodes);
        TestTable t(JustCovered({"J♣", "A♠"}));
        CoveredWith(t, "8♦");
        if (wideCodes) {
            t.g.computerHand[1] = -32739;
            t.g.computerHand[2] = 32767 - 50 - 100;
            t.g.playerDefenceCard = t.g.defenceCard = 32747;
        }
        const auto handBefore = t.g.computerHand;
        StepLog steps(t, {"EndRound"});

        EXPECT_EQ(RunToCut(t.g, ComputerAttack), "EndRound");

        const auto& at = steps.At("EndRound");
        EXPECT_EQ(at.state.computerAttackCard, kNoCard);
        EXPECT_EQ(at.state.attackPhase, kNothingToCover);
        EXPECT_EQ(at.state.computerHand.v, handBefore.v);
        EXPECT_EQ(at.state.tableComputerAttack[2], kNoCard);
        EXPECT_EQ(at.text, "");
    }
}

// Six attack cards make a full round: the computer adds nothing more, and neither the
// card of pair 1 nor a card of the hand is touched.
TEST(ComputerAdding, SeventhCardIsRefused) {
    for (bool followUp : {false, true}) {
        SCOPED_TRACE(followUp);
        TestTable t(SixPairs({"Q♠", "Q♣"}));
        t.g.computerAttackPair = followUp ? 1 : 7;
        CoveredWith(t, "Q♦");
        const GameState before = t.g;
        StepLog steps(t, {"EndRound"});

        EXPECT_EQ(RunToCut(t.g, followUp ? ComputerFollowUp : ComputerAttack), "EndRound");

        const auto& at = steps.At("EndRound");
        EXPECT_EQ(at.state.computerAttackCard, kNoCard);
        EXPECT_EQ(at.state.computerHand.v, before.computerHand.v);
        EXPECT_EQ(at.state.tableComputerAttack.v, before.tableComputerAttack.v);
        for (int k = 1; k <= kPairs; ++k)
            EXPECT_TRUE(t.screen.PicturesGiven(kComputerAttackPlace[k]).empty()) << k;
        // The follow-up says that the computer does not go on.
        EXPECT_EQ(at.text == "Комп не пошел\n", followUp) << at.text;
    }
}

TEST(ComputerAdding, SixthCardMovesTheCursorOnByTheCaller) {
    for (bool followUp : {false, true}) {
        SCOPED_TRACE(followUp);
        Layout l = SixPairs({{4, "Q♣"}});
        l.computerAttack.pop_back();
        l.playerDefence = {"8♠", "9♠", "8♣", "9♣", "Q♦"};
        TestTable t(l);
        CoveredWith(t, "Q♦");
        StepLog steps(t, {"EndRound", "PlayerDefend"});

        EXPECT_EQ(RunToCut(t.g, followUp ? ComputerFollowUp : ComputerAttack), "PlayerDefend");

        EXPECT_EQ(t.g.tableComputerAttack[6], Card("Q♣"));
        EXPECT_EQ(t.screen.PictureOf(kComputerAttackPlace[6]), PictureIndexOf(Card("Q♣")));
        EXPECT_EQ(t.g.computerAttackPair, followUp ? 1 : 7);
    }
}

// --- The follow-up ---------------------------------------------------------------------------

TEST(ComputerFollowUpMove, ComputerThatPlaysNothingSaysSoAndEndsTheRound) {
    TestTable t(JustCovered({"J♣"}));
    CoveredWith(t, "8♦");
    t.text.MoveTextPen(2000, 3000);
    StepLog steps(t, {"EndRound"});

    EXPECT_EQ(RunToCut(t.g, ComputerFollowUp), "EndRound");

    EXPECT_TRUE(t.text.HasRunAt(50, 500, "Комп не пошел")) << t.text.Dump();
    EXPECT_EQ(steps.At("EndRound").state.computerAttackCard, kNoCard);
    EXPECT_EQ(t.g.computerHand[1], Card("J♣"));
}

TEST(ComputerFollowUpMove, EmptiedHandSlotsAreBlanked) {
    Layout l = ComputerAttacks("10♥", {"Q♣"});
    l.playerHand = {"6♠", "", "6♣", "7♦", "", "6♥", "", "", "9♣"};
    TestTable t(l);
    t.random.PushInt(1, 5);
    StepLog steps(t, {"EndRound", "PlayerDefend"});

    EXPECT_EQ(RunToCut(t.g, ComputerFollowUp), "PlayerDefend");

    for (int s = 1; s <= kPlayerHandSlots; ++s) {
        const bool empty = s == 2 || s == 5 || (s >= 7 && s != 9);
        EXPECT_EQ(t.screen.PictureOf(HandSlotControl(s)), empty ? kBlankHolder : 0) << s;
    }
}

// The selected hand card is tried once more against the computer's 9♠: the suit test for
// a higher spade, the trump test for every slot, also the upper ones (Image80). After such
// a cover the computer adds a card of the cover's rank.
TEST(ComputerFollowUpMove, SelectedCardCoversAndTheComputerAdds) {
    struct Case {
        int slot;
        const char* cover;
    };
    for (Case c : {Case{3, "Q♠"}, Case{9, "7♥"}}) {
        SCOPED_TRACE(c.cover);
        Layout l = ComputerAttacks("10♥", {"", "8♠", "", "Q♣", "7♣"});
        l.attackPhase = kComputerCardDown;
        l.computerAttack = {"9♠"};
        l.playerHand.push_back({c.slot, c.cover});
        TestTable t(l);
        t.g.computerAttackCard = static_cast<Field>(Card("9♠"));
        t.g.selectedSlot = static_cast<Field>(c.slot);
        StepLog steps(t, {"EndRound", "PlayerDefend"});

        EXPECT_EQ(RunToCut(t.g, ComputerFollowUp), "PlayerDefend");

        EXPECT_EQ(t.g.tablePlayerDefence[1], Card(c.cover));
        EXPECT_EQ(t.screen.PictureOf(kPlayerDefencePlace[1]), PictureIndexOf(Card(c.cover)));
        EXPECT_EQ(t.g.playerHand[c.slot], kNoCard);
        EXPECT_EQ(t.screen.PictureOf(HandSlotControl(c.slot)), kBlankHolder);
        EXPECT_EQ(t.g.playerDefencePair, 2);
        const int added = Card(c.slot == 3 ? "Q♣" : "7♣");
        EXPECT_EQ(t.g.tableComputerAttack[2], added);
        EXPECT_FALSE(t.g.computerHand.Contains(added));
        EXPECT_EQ(t.g.computerHand[2], Card("8♠"));
        EXPECT_EQ(t.g.computerAttackCard, added);
        EXPECT_EQ(t.g.computerAttackPair, 3);
        EXPECT_EQ(t.g.attackPhase, kComputerCardDown);
        EXPECT_EQ(t.g.playerDefenceCard, kNoCard);
    }
}

// The follow-up covers, and the computer holds nothing of the cover's rank: its latest
// card still counts as its card. It is not laid a second time, the computer does not
// say that it plays nothing, and the player answers that card again.
TEST(ComputerFollowUpMove, AdditionThatFindsNothingLeavesTheLatestCardStanding) {
    Layout l = ComputerAttacks("10♥", {"8♠", "J♣"});
    l.attackPhase = kComputerCardDown;
    l.computerAttack = {"9♠"};
    l.playerHand.push_back({9, "Q♠"});
    TestTable t(l);
    t.g.computerAttackCard = static_cast<Field>(Card("9♠"));
    t.g.selectedSlot = 9;
    StepLog steps(t, {"EndRound", "PlayerDefend"});

    EXPECT_EQ(RunToCut(t.g, ComputerFollowUp), "PlayerDefend");

    const GameState& s = steps.At("PlayerDefend").state;
    EXPECT_EQ(s.tablePlayerDefence[1], Card("Q♠"));
    EXPECT_EQ(s.computerAttackCard, Card("9♠"));
    EXPECT_EQ(s.tableComputerAttack.CountNonZero(), 1);
    EXPECT_EQ(s.computerAttackPair, 2);
    EXPECT_EQ(s.computerHand.CountNonZero(), 2);
    EXPECT_EQ(s.attackPhase, kComputerCardDown);
    EXPECT_EQ(s.playerDefenceCard, kNoCard);
    EXPECT_FALSE(t.Printed("Комп не пошел"));
    EXPECT_EQ(t.screen.PicturesGiven(kComputerAttackPlace[2]).size(), 0u);
}

// With six covers on the table the selected card has no place left: it stays in the
// hand instead of leaving the game. A sixth cover laid by this check leaves no place
// either, so the next cover does not push the cover of pair 1 off the table.
TEST(ComputerFollowUpMove, CoverWithNoPlaceLeftStaysInTheHand) {
    Layout l = ComputerAttacks("10♥", {"A♣"});
    l.attackPhase = kComputerCardDown;
    l.computerAttack = {"6♠", "7♠", "6♣", "7♣", "6♦", "7♦"};
    l.playerDefence = {"8♠", "9♠", "8♣", "9♣", "8♦", "9♦"};
    l.playerHand = {"6♥", "", "", "K♦"};
    TestTable t(l);
    t.g.computerAttackCard = static_cast<Field>(Card("7♦"));
    t.g.selectedSlot = 4;
    const GameState before = t.g;
    StepLog steps(t, {"EndRound", "PlayerDefend"});

    EXPECT_EQ(RunToCut(t.g, ComputerFollowUp), "PlayerDefend");

    EXPECT_EQ(t.g.playerHand.v, before.playerHand.v);
    EXPECT_EQ(t.g.tablePlayerDefence.v, before.tablePlayerDefence.v);
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(4)), PictureIndexOf(Card("K♦")));
    for (int k = 1; k <= kPairs; ++k)
        EXPECT_TRUE(t.screen.PicturesGiven(kPlayerDefencePlace[k]).empty()) << k;

    // Five covers, and the check covers the computer's fifth card once more in pair 6.
    l.computerAttack.resize(5);
    l.playerDefence.resize(5);
    l.playerHand = {"6♥", "", "", "K♦"};
    TestTable sixth(l);
    sixth.g.computerAttackCard = static_cast<Field>(Card("6♦"));
    sixth.g.selectedSlot = 4;
    StepLog sixthSteps(sixth, {"EndRound", "PlayerDefend"});
    EXPECT_EQ(RunToCut(sixth.g, ComputerFollowUp), "PlayerDefend");
    EXPECT_EQ(sixth.g.tablePlayerDefence[6], Card("K♦"));
    EXPECT_EQ(sixth.g.playerDefencePair, 7);
}

// When the round has ended inside this move (the turn has passed to the player), the
// follow-up has nothing to do: no message, no second round end, no reply.
TEST(ComputerFollowUpMove, RoundAlreadyEndedStopsTheFollowUp) {
    for (Field phase : {kNothingToCover, kComputerCardDown}) {
        SCOPED_TRACE(phase);
        Layout l = ComputerAttacks("10♥", {"J♣"});
        l.playerRole = kPlayerAttacks;
        l.attackPhase = phase;
        l.playerHand = {"6♠", "7♠", "A♥"};  // a trump in the selected slot
        TestTable t(l);
        t.g.playerDefenceCard = static_cast<Field>(Card("Q♠"));  // the cover of the finished round
        t.g.selectedSlot = 3;
        t.g.autoDefendTries = 3;
        const GameState before = t.g;
        StepLog steps(t, {"EndRound", "PlayerDefend", "PlayerAttack"});

        ASSERT_EQ(RunToCut(t.g, ComputerFollowUp), "");

        EXPECT_EQ(steps.Names(), std::vector<std::string>{"ComputerFollowUp"});
        EXPECT_TRUE(t.text.Runs().empty()) << t.text.Dump();
        EXPECT_EQ(t.g.autoDefendTries, 3);
        EXPECT_EQ(t.g.computerHand.v, before.computerHand.v);
        EXPECT_EQ(t.g.playerHand.v, before.playerHand.v);
        EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
        EXPECT_EQ(t.g.playerDefencePair, 1);
        EXPECT_EQ(t.screen.windowShown, 0);
    }
}

TEST(ComputerAttackMove, NothingHappensWhileThePlayerAttacks) {
    Layout l = ComputerAttacks("10♥", {"Q♣"});
    l.playerRole = kPlayerAttacks;
    TestTable t(l);
    t.g.playerAttackCard = static_cast<Field>(Card("6♣"));
    StepLog steps(t, {"EndRound", "PlayerDefend"});

    ComputerAttack(t.g);

    EXPECT_EQ(t.g.playerAttackCard, kNoCard);
    EXPECT_EQ(steps.Names(), std::vector<std::string>{"ComputerAttack"});
    EXPECT_EQ(t.g.computerHand[1], Card("Q♣"));
    EXPECT_EQ(t.g.computerAttackCard, kNoCard);
    EXPECT_EQ(t.g.attackPhase, kNothingToCover);
}

// --- The player's reply and the two-computer counters ---------------------------------------

TEST(ComputerFollowUpReply, ReplyRunsWhileTheTriesAllowAndTheWindowIsShown) {
    for (Field tries : {Field{25}, Field{26}}) {
        SCOPED_TRACE(tries);
        TestTable t(ComputerAttacks("A♣", {"9♠"}));
        t.random.PushInt(1, 5);
        t.g.autoDefendTries = tries;
        StepLog steps(t, {"EndRound", "PlayerDefend"});

        const std::string cut = RunToCut(t.g, ComputerAttack);

        EXPECT_EQ(t.g.autoDefendTries, tries + 1);
        if (tries < 26) {
            EXPECT_EQ(cut, "PlayerDefend");
            const GameState& s = steps.At("PlayerDefend").state;
            EXPECT_EQ(s.computerAttackCard, Card("9♠"));
            EXPECT_EQ(s.attackPhase, kComputerCardDown);
        } else {
            EXPECT_EQ(cut, "");
            EXPECT_EQ(t.screen.windowShown, 1);
            EXPECT_TRUE(t.pauses.waits.empty());
            EXPECT_EQ(t.text.PenX(), 50);
            EXPECT_EQ(t.text.PenY(), 170);
        }
    }
}

// Between two computers: after the reply the window is shown, the wait runs, the tries
// start again and the automatic player gets a renewed reply.
TEST(ComputerFollowUpReply, TwoComputersWaitThenRenewTheReply) {
    Layout l = ComputerAttacks("A♣", {"9♠"});
    l.playMode = kPlayModeTwoComputers;
    TestTable t(l);
    t.random.PushInt(1, 5);
    t.g.computerCardCount = 0;                  // a renewed reply then ends at once
    t.g.autoDefendTries = 26;    // no reply before the wait
    t.g.autoReplyCount = 3;
    StepLog steps(t, {"EndRound"});

    ASSERT_EQ(RunToCut(t.g, ComputerAttack), "");

    ASSERT_EQ(steps.Count("PlayerDefend"), 1);
    const auto& reply = steps.At("PlayerDefend");
    EXPECT_EQ(reply.state.autoReplyCount, 4);
    EXPECT_EQ(reply.state.autoDefendTries, 0);
    EXPECT_EQ(reply.state.scratch, 21001);
    EXPECT_EQ(t.g.autoReplyCount, 4);
    EXPECT_GE(t.screen.windowShown, 1);
    // The wait's lines start at (50, 50): the reply finds the pen one line below.
    EXPECT_EQ(reply.penX, 0);
    EXPECT_EQ(reply.penY, 50 + TextLayer::kLineHeight);
    ASSERT_FALSE(t.pauses.waits.empty());
    const Pause& p = t.pauses.waits[0];
    EXPECT_EQ(p.kind, PauseKind::FollowUpWait);
    EXPECT_EQ(p.slowTurns, 21000LL * kPaceMedium);
    EXPECT_EQ(p.fastTurns, 12LL * 21000);
}

TEST(ComputerFollowUpReply, EighthRenewedReplyIsFollowedByTheRoundEnd) {
    Layout l = ComputerAttacks("A♣", {"9♠"});
    l.playMode = kPlayModeTwoComputers;
    TestTable t(l);
    t.random.PushInt(1, 5);
    t.g.autoDefendTries = 26;
    t.g.autoReplyCount = 7;
    // The renewed reply draws an empty slot fourteen times: nothing covers.
    for (int draw = 0; draw < 14; ++draw) t.random.PushInt(9, 12);
    StepLog steps(t, {"EndRound"});

    EXPECT_EQ(RunToCut(t.g, ComputerAttack), "EndRound");

    const auto names = steps.Names();
    const auto reply = std::find(names.begin(), names.end(), "PlayerDefend");
    const auto end = std::find(names.begin(), names.end(), "EndRound");
    ASSERT_NE(reply, names.end());
    EXPECT_LT(reply - names.begin(), end - names.begin());
    EXPECT_EQ(steps.At("PlayerDefend").state.autoReplyCount, 8);
    EXPECT_EQ(steps.At("EndRound").state.autoReplyCount, 0);
    EXPECT_EQ(steps.At("EndRound").state.computerAttackCard, Card("9♠"));
}
