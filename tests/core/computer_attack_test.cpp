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
#include "support/chain_cut.h"
#include "support/fakes.h"

using namespace durak;
using durak::fakes::TestTable;

namespace {

using fakes::CutLog;
using fakes::RunToCut;

constexpr int kClubsTrump = 64;    // A♣ turned up: clubs are trumps
constexpr int kHeartsTrump = 160;  // 10♥

// A round of the computer's attack at the human's table, nothing on the table yet and
// no card of the player selected. The stock is used up, so a round end draws nothing.
struct AttackTable : TestTable {
    explicit AttackTable(int trumpCard) {
        g.playMode = kPlayModeHuman;
        g.delayFactor = kPaceMedium;
        g.playerRole = 2;
        g.attackPhase = 2;
        g.trumpCard = static_cast<Field>(trumpCard);
        g.computerAttackPair = 1;
        g.playerDefencePair = 1;
        g.dealtCount = 35;
        g.computerCardCount = 6;  // as counted before the attack; not updated by it
        const int hand[] = {6, 7, 56, 107, 108, 156};
        for (int s = 1; s <= 6; ++s) g.playerHand[s] = static_cast<Field>(hand[s - 1]);
    }
    void Hand(const std::vector<std::pair<int, int>>& slotsAndCards) {
        for (auto [slot, card] : slotsAndCards) g.computerHand[slot] = static_cast<Field>(card);
    }
    // The computer's card of pair k and the player's cover over it.
    void Pair(int k, int attack, int cover) {
        g.tableComputerAttack[k] = static_cast<Field>(attack);
        g.tablePlayerDefence[k] = static_cast<Field>(cover);
    }
    // The player has just covered the computer's latest card with `cover`.
    void JustCovered(int cover) {
        g.playerDefenceCard = g.defenceCard = static_cast<Field>(cover);
        g.computerAttackCard = 0;
        g.attackPhase = 2;
    }
    int PicturesSetOn(int slot) const {
        int n = 0;
        for (const auto& op : screen.log)
            n += (op.kind == fakes::RecordingScreen::Op::Picture && op.slot == slot);
        return n;
    }
};

// The example hand of a lead, clubs as trumps: 7♣, K♦, 9♠, 6♦ in slots 1 to 4.
void ExampleLeadHand(AttackTable& t) { t.Hand({{1, 57}, {2, 113}, {3, 9}, {4, 106}}); }

}  // namespace

// --- The lead ------------------------------------------------------------------------------

// The start suit decides: suits below it are not scanned, a trump is never led, and
// within a suit the first card in slot order wins, not the lowest.
TEST(ComputerLead, FirstCardOfTheStartSuitOrALaterOneIsLed) {
    struct Case {
        int startSuit, card, slot;
    };
    for (Case c : {Case{1, 9, 3}, Case{2, 113, 2}, Case{3, 113, 2}}) {
        AttackTable t(kClubsTrump);
        ExampleLeadHand(t);
        t.text.MoveTextPen(50, 170);
        t.random.PushInt(c.startSuit, 5);
        CutLog steps(t, {"EndRound", "PlayerDefend"});

        // The player answers the card.
        EXPECT_EQ(RunToCut([&] { ComputerAttack(t.g); }), "PlayerDefend");

        EXPECT_EQ(t.g.computerAttackCard, c.card) << c.startSuit;
        EXPECT_EQ(t.g.computerHand[c.slot], 0) << c.startSuit;
        EXPECT_EQ(t.g.computerHand.CountNonZero(), 3) << c.startSuit;
        EXPECT_EQ(t.g.tableComputerAttack[1], c.card);
        EXPECT_EQ(t.screen.PictureOf(kComputerAttackPlace[1]), PictureIndexOf(c.card));
        EXPECT_EQ(t.g.computerAttackPair, 2);
        EXPECT_EQ(t.g.attackPhase, 4);
        EXPECT_EQ(t.g.playerDefenceCard, 0);
        EXPECT_EQ(t.g.trumpSuitIcon, 2);
        EXPECT_EQ(t.g.leadStartSuit, c.startSuit);
        EXPECT_TRUE(t.random.values.empty());
        // The lead is also printed as a number where the pen stood.
        EXPECT_TRUE(t.text.HasRunAt(50, 170, TextLayer::FormatNumber(c.card))) << t.text.Dump();
        // The fan keeps its count until the round ends.
        EXPECT_EQ(t.g.computerCardCount, 6);
        EXPECT_EQ(t.PicturesSetOn(kComputerFanSlot), 0);
    }
}

TEST(ComputerLead, StartSuitWithNothingLeftIsDrawnOnceMore) {
    AttackTable t(kClubsTrump);
    ExampleLeadHand(t);
    t.random.PushInt(0, 5);  // names no suit: drawn again at once
    t.random.PushInt(4, 5);  // hearts: none held
    t.random.PushInt(1, 5);
    CutLog steps(t, {"EndRound", "PlayerDefend"});

    EXPECT_EQ(RunToCut([&] { ComputerAttack(t.g); }), "PlayerDefend");

    EXPECT_EQ(t.g.computerAttackCard, 9);
    EXPECT_EQ(t.g.tableComputerAttack[1], 9);
    EXPECT_EQ(t.g.attackRetried, 1);
    EXPECT_EQ(t.random.reseeds, 3);
    EXPECT_TRUE(t.random.values.empty());
}

// The card the computer led last round now lies in the player's hand: a lead that finds
// nothing must not put it on the table again.
TEST(ComputerLead, LeadStartsFromNoCard) {
    AttackTable t(kClubsTrump);
    t.Hand({{1, 9}});
    t.g.playerHand[7] = 112;
    t.g.computerAttackCard = 112;  // taken by the player with "Мы взяли..."
    t.random.PushInt(4, 5);
    t.random.PushInt(3, 5);
    CutLog steps(t, {"EndRound"});

    EXPECT_EQ(RunToCut([&] { ComputerAttack(t.g); }), "EndRound");

    const GameState& s = steps.At("EndRound").state;
    EXPECT_EQ(s.computerAttackCard, 0);
    EXPECT_EQ(s.tableComputerAttack[1], 0);
    EXPECT_EQ(s.computerHand[1], 9);
    EXPECT_EQ(s.attackPhase, 2);
    EXPECT_EQ(t.PicturesSetOn(kComputerAttackPlace[1]), 0);
}

// With nothing but trumps the lead takes the first trump in slot order; no start suit
// is needed for it.
TEST(ComputerLead, HandOfOnlyTrumpsLeadsItsFirstTrump) {
    AttackTable t(kHeartsTrump);
    t.Hand({{2, 162}, {5, 157}});
    CutLog steps(t, {"EndRound", "PlayerDefend"});

    EXPECT_EQ(RunToCut([&] { ComputerAttack(t.g); }), "PlayerDefend");

    EXPECT_EQ(t.g.computerAttackCard, 162);
    EXPECT_EQ(t.g.computerHand[2], 0);
    EXPECT_EQ(t.g.computerHand[5], 157);
    EXPECT_EQ(t.g.tableComputerAttack[1], 162);
    EXPECT_EQ(t.g.trumpSuitIcon, 4);
    EXPECT_EQ(t.random.reseeds, 0);

    AttackTable one(kHeartsTrump);
    one.Hand({{1, 157}});
    CutLog oneSteps(one, {"EndRound", "PlayerDefend"});
    EXPECT_EQ(RunToCut([&] { ComputerAttack(one.g); }), "PlayerDefend");
    EXPECT_EQ(one.g.tableComputerAttack[1], 157);
    EXPECT_EQ(one.g.computerHand[1], 0);
}

// One card outside the trump suit is enough for the ordinary lead: its start suits may
// then find nothing, and a trump is still not led.
TEST(ComputerLead, TrumpIsNotLedWhileAnotherCardIsHeld) {
    AttackTable t(kHeartsTrump);
    t.Hand({{1, 157}, {3, 108}});
    t.random.PushInt(4, 5);
    t.random.PushInt(4, 5);
    CutLog steps(t, {"EndRound"});

    EXPECT_EQ(RunToCut([&] { ComputerAttack(t.g); }), "EndRound");

    const GameState& s = steps.At("EndRound").state;
    EXPECT_EQ(s.computerAttackCard, 0);
    EXPECT_EQ(s.computerHand[1], 157);
    EXPECT_EQ(s.computerHand[3], 108);
    EXPECT_EQ(s.tableComputerAttack[1], 0);
}

// --- Adding --------------------------------------------------------------------------------

TEST(ComputerAdding, FirstCardOfTheCoversRankIsAddedTrumpsIncluded) {
    struct Case {
        std::vector<std::pair<int, int>> hand;
        int added, slot;
    };
    const Case cases[] = {
        {{{3, 61}, {6, 8}, {11, 158}}, 8, 6},  // J♣, 8♠, 8♥: the first eight in slot order
        {{{3, 61}, {11, 158}}, 158, 11},       // only the trump eight
    };
    for (const Case& c : cases) {
        AttackTable t(kHeartsTrump);
        t.Hand(c.hand);
        t.Pair(1, 106, 108);  // 6♦ covered with 8♦
        t.g.computerAttackPair = 2;
        t.g.playerDefencePair = 2;
        t.JustCovered(108);
        CutLog steps(t, {"EndRound", "PlayerDefend"});

        EXPECT_EQ(RunToCut([&] { ComputerAttack(t.g); }), "PlayerDefend");

        EXPECT_EQ(t.g.computerAttackCard, c.added);
        EXPECT_EQ(t.g.computerHand[c.slot], 0);
        EXPECT_EQ(t.g.computerHand[3], 61);
        EXPECT_EQ(t.g.tableComputerAttack[2], c.added);
        EXPECT_EQ(t.screen.PictureOf(kComputerAttackPlace[2]), PictureIndexOf(c.added));
        EXPECT_EQ(t.g.tableComputerAttack[1], 106);
        EXPECT_EQ(t.g.computerAttackPair, 3);
        EXPECT_EQ(t.g.attackPhase, 4);
        EXPECT_EQ(t.g.playerDefenceCard, 0);
        // Only the first card of a round is printed as a number.
        EXPECT_TRUE(t.text.Runs().empty()) << t.text.Dump();
    }
}

// Nothing of the rank: the round ends, and the attack itself prints nothing.
TEST(ComputerAdding, NothingOfTheRankEndsTheRoundWithoutMessage) {
    AttackTable t(kHeartsTrump);
    t.Hand({{1, 61}, {2, 14}});
    t.Pair(1, 106, 108);
    t.g.computerAttackPair = 2;
    t.g.playerDefencePair = 2;
    t.JustCovered(108);
    CutLog steps(t, {"EndRound"});

    EXPECT_EQ(RunToCut([&] { ComputerAttack(t.g); }), "EndRound");

    const auto& at = steps.At("EndRound");
    EXPECT_EQ(at.state.computerAttackCard, 0);
    EXPECT_EQ(at.state.attackPhase, 2);
    EXPECT_EQ(at.state.computerHand[1], 61);
    EXPECT_EQ(at.state.computerHand[2], 14);
    EXPECT_EQ(at.state.tableComputerAttack[2], 0);
    EXPECT_EQ(at.text, "");
}

// Codes of no card at the ends of the 16-bit range are of no rank: a cover 50 below the
// top of the range has no code 50 above it, which must not wrap round onto a slot's
// value at the bottom.
TEST(ComputerAdding, CodesAtTheEndsOfTheRangeHaveNoRank) {
    AttackTable t(kHeartsTrump);
    t.Hand({{1, -32739}, {2, 32767 - 50 - 100}});
    t.Pair(1, 106, 108);
    t.g.computerAttackPair = 2;
    t.g.playerDefencePair = 2;
    t.JustCovered(32747);
    CutLog steps(t, {"EndRound"});

    EXPECT_EQ(RunToCut([&] { ComputerAttack(t.g); }), "EndRound");
    EXPECT_EQ(steps.At("EndRound").state.computerHand[1], -32739);
    EXPECT_EQ(steps.At("EndRound").state.computerAttackCard, 0);
}

// Six attack cards make a full round: the computer adds nothing more, and neither the
// card of pair 1 nor a card of the hand is touched.
TEST(ComputerAdding, SeventhCardIsRefused) {
    for (bool followUp : {false, true}) {
        AttackTable t(kHeartsTrump);
        t.Hand({{1, 12}, {2, 62}});  // two queens
        const int attacks[] = {6, 7, 56, 57, 106, 107};
        const int covers[] = {8, 9, 58, 59, 109, 112};
        for (int k = 1; k <= 6; ++k) t.Pair(k, attacks[k - 1], covers[k - 1]);
        t.g.computerAttackPair = followUp ? 1 : 7;
        t.g.playerDefencePair = 7;
        t.JustCovered(112);  // Q♦
        CutLog steps(t, {"EndRound"});

        EXPECT_EQ(RunToCut([&] { followUp ? ComputerFollowUp(t.g) : ComputerAttack(t.g); }),
                  "EndRound")
            << followUp;

        const auto& at = steps.At("EndRound");
        EXPECT_EQ(at.state.computerAttackCard, 0) << followUp;
        EXPECT_EQ(at.state.computerHand[1], 12) << followUp;
        EXPECT_EQ(at.state.computerHand[2], 62) << followUp;
        for (int k = 1; k <= 6; ++k) {
            EXPECT_EQ(at.state.tableComputerAttack[k], attacks[k - 1]) << k;
            EXPECT_EQ(t.PicturesSetOn(kComputerAttackPlace[k]), 0) << k;
        }
        // The follow-up says that the computer does not go on.
        EXPECT_EQ(at.text == "Комп не пошел\n", followUp) << at.text;
    }
}

TEST(ComputerAdding, SixthCardMovesTheCursorOnByTheCaller) {
    for (bool followUp : {false, true}) {
        AttackTable t(kHeartsTrump);
        t.Hand({{4, 62}});
        const int attacks[] = {6, 7, 56, 57, 106};
        const int covers[] = {8, 9, 58, 59, 112};
        for (int k = 1; k <= 5; ++k) t.Pair(k, attacks[k - 1], covers[k - 1]);
        t.g.computerAttackPair = 6;
        t.g.playerDefencePair = 6;
        t.JustCovered(112);
        CutLog steps(t, {"EndRound", "PlayerDefend"});

        EXPECT_EQ(RunToCut([&] { followUp ? ComputerFollowUp(t.g) : ComputerAttack(t.g); }),
                  "PlayerDefend");

        EXPECT_EQ(t.g.tableComputerAttack[6], 62);
        EXPECT_EQ(t.screen.PictureOf(kComputerAttackPlace[6]), PictureIndexOf(62));
        EXPECT_EQ(t.g.computerAttackPair, followUp ? 1 : 7);
    }
}

// --- The follow-up ---------------------------------------------------------------------------

TEST(ComputerFollowUpMove, ComputerThatPlaysNothingSaysSoAndEndsTheRound) {
    AttackTable t(kHeartsTrump);
    t.Hand({{1, 61}});
    t.Pair(1, 106, 108);
    t.g.computerAttackPair = 2;
    t.g.playerDefencePair = 2;
    t.JustCovered(108);
    t.text.MoveTextPen(2000, 3000);
    CutLog steps(t, {"EndRound"});

    EXPECT_EQ(RunToCut([&] { ComputerFollowUp(t.g); }), "EndRound");

    EXPECT_TRUE(t.text.HasRunAt(50, 500, "Комп не пошел")) << t.text.Dump();
    EXPECT_EQ(steps.At("EndRound").state.computerAttackCard, 0);
    EXPECT_EQ(t.g.computerHand[1], 61);
}

TEST(ComputerFollowUpMove, EmptiedHandSlotsAreBlanked) {
    AttackTable t(kHeartsTrump);
    t.Hand({{1, 62}});
    t.g.playerHand[2] = 0;
    t.g.playerHand[5] = 0;
    t.g.playerHand[9] = 59;
    t.random.PushInt(1, 5);
    CutLog steps(t, {"EndRound", "PlayerDefend"});

    EXPECT_EQ(RunToCut([&] { ComputerFollowUp(t.g); }), "PlayerDefend");

    for (int s = 1; s <= 12; ++s) {
        const bool empty = s == 2 || s == 5 || (s >= 7 && s != 9);
        EXPECT_EQ(t.screen.PictureOf(HandSlotControl(s)), empty ? kBlankHolder : 0) << s;
    }
}

// The selected hand card is tried once more against the computer's card; after such a
// cover the computer adds a card of its rank.
TEST(ComputerFollowUpMove, SelectedCardCoversAndTheComputerAdds) {
    AttackTable t(kHeartsTrump);
    t.Hand({{2, 8}, {4, 62}});
    t.g.tableComputerAttack[1] = 9;  // 9♠ led
    t.g.computerAttackCard = 9;
    t.g.computerAttackPair = 2;
    t.g.attackPhase = 4;
    t.g.playerHand[3] = 12;  // Q♠
    t.g.selectedSlot = 3;
    CutLog steps(t, {"EndRound", "PlayerDefend"});

    EXPECT_EQ(RunToCut([&] { ComputerFollowUp(t.g); }), "PlayerDefend");

    EXPECT_EQ(t.g.tablePlayerDefence[1], 12);
    EXPECT_EQ(t.screen.PictureOf(kPlayerDefencePlace[1]), PictureIndexOf(12));
    EXPECT_EQ(t.g.playerHand[3], 0);
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(3)), kBlankHolder);
    EXPECT_EQ(t.g.playerDefencePair, 2);
    EXPECT_EQ(t.g.tableComputerAttack[2], 62);
    EXPECT_EQ(t.g.computerHand[4], 0);
    EXPECT_EQ(t.g.computerHand[2], 8);
    EXPECT_EQ(t.g.computerAttackCard, 62);
    EXPECT_EQ(t.g.computerAttackPair, 3);
    EXPECT_EQ(t.g.attackPhase, 4);
    EXPECT_EQ(t.g.playerDefenceCard, 0);
}

TEST(ComputerFollowUpMove, TrumpTestIsMadeForTheUpperHandSlotsToo) {
    AttackTable t(kHeartsTrump);
    t.Hand({{1, 14}});
    t.g.tableComputerAttack[1] = 9;
    t.g.computerAttackCard = 9;
    t.g.computerAttackPair = 2;
    t.g.attackPhase = 4;
    t.g.playerHand[9] = 157;  // 7♥, a trump, in Image80
    t.g.selectedSlot = 9;
    CutLog steps(t, {"EndRound", "PlayerDefend"});

    EXPECT_EQ(RunToCut([&] { ComputerFollowUp(t.g); }), "PlayerDefend");

    EXPECT_EQ(t.g.tablePlayerDefence[1], 157);
    EXPECT_EQ(t.g.playerHand[9], 0);
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(9)), kBlankHolder);
    EXPECT_EQ(t.screen.PictureOf(kPlayerDefencePlace[1]), PictureIndexOf(157));
}

// With six covers on the table the selected card has no place left: it stays in the
// hand instead of leaving the game.
TEST(ComputerFollowUpMove, CoverWithNoPlaceLeftStaysInTheHand) {
    AttackTable t(kHeartsTrump);
    const int attacks[] = {6, 7, 56, 57, 106, 107};
    const int covers[] = {8, 9, 58, 59, 108, 109};
    for (int k = 1; k <= 6; ++k) t.Pair(k, attacks[k - 1], covers[k - 1]);
    t.g.computerAttackCard = 107;
    t.g.computerAttackPair = 7;
    t.g.playerDefencePair = 7;
    t.g.attackPhase = 4;
    t.g.playerHand[4] = 113;  // K♦ would cover 7♦
    t.g.selectedSlot = 4;
    const GameState before = t.g;
    CutLog steps(t, {"EndRound", "PlayerDefend"});

    EXPECT_EQ(RunToCut([&] { ComputerFollowUp(t.g); }), "PlayerDefend");

    EXPECT_EQ(t.g.playerHand.v, before.playerHand.v);
    EXPECT_EQ(t.g.tablePlayerDefence.v, before.tablePlayerDefence.v);
    EXPECT_EQ(t.screen.PictureOf(HandSlotControl(4)), PictureIndexOf(113));
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(t.PicturesSetOn(kPlayerDefencePlace[k]), 0) << k;
}

// When the round has ended inside this move (the turn has passed to the player), the
// follow-up has nothing to do: no message, no second round end, no reply.
TEST(ComputerFollowUpMove, RoundAlreadyEndedStopsTheFollowUp) {
    for (Field phase : {Field{2}, Field{4}}) {
        AttackTable t(kHeartsTrump);
        t.Hand({{1, 61}});
        t.g.playerRole = 1;
        t.g.attackPhase = phase;
        t.g.computerAttackCard = 0;
        t.g.playerDefenceCard = 12;  // the cover of the finished round
        t.g.playerDefencePair = 1;
        t.g.playerHand[3] = 164;     // a trump in the selected slot
        t.g.selectedSlot = 3;
        t.g.autoDefendTries = 3;
        const GameState before = t.g;
        CutLog steps(t, {"EndRound", "PlayerDefend", "PlayerAttack"});

        ASSERT_EQ(RunToCut([&] { ComputerFollowUp(t.g); }), "") << phase;

        EXPECT_EQ(steps.Names(), std::vector<std::string>{"ComputerFollowUp"}) << phase;
        EXPECT_TRUE(t.text.Runs().empty()) << t.text.Dump();
        EXPECT_EQ(t.g.autoDefendTries, 3);
        EXPECT_EQ(t.g.computerHand[1], 61);
        EXPECT_EQ(t.g.playerHand.v, before.playerHand.v);
        EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
        EXPECT_EQ(t.g.playerDefencePair, 1);
        EXPECT_EQ(t.screen.windowShown, 0);
    }
}

// The player covers with the last card of the hand and the computer has nothing of the
// rank: the attack ends the round as covered, and the follow-up must not end it again.
TEST(ComputerFollowUpMove, RoundEndedByTheAttackIsEndedOnlyOnce) {
    AttackTable t(kHeartsTrump);
    t.Hand({{1, 61}, {2, 14}, {3, 107}});
    t.g.playerHand.Clear();
    t.Pair(1, 9, 12);  // 9♠ covered with the last card, Q♠
    t.g.computerAttackPair = 2;
    t.g.playerDefencePair = 2;
    t.JustCovered(12);
    t.g.attackPhase = 4;  // kept: the player holds no card any more
    t.g.selectedSlot = 3;
    CutLog steps(t, {});

    fakes::PlayStep(t.g, ComputerAttack);

    EXPECT_EQ(steps.Count("EndRound"), 1);
    EXPECT_EQ(steps.Count("PlayerDefend"), 0);
    EXPECT_EQ(t.g.playerDefendedCount, 1);
    EXPECT_EQ(t.g.computerDefendedCount, 0);
    EXPECT_EQ(t.g.playerRole, 1);
    // The beaten cover is not laid onto the table a second time.
    EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
    EXPECT_EQ(t.screen.PictureOf(kPlayerDefencePlace[1]), kBlankHolder);
}

TEST(ComputerAttackMove, NothingHappensWhileThePlayerAttacks) {
    AttackTable t(kHeartsTrump);
    t.Hand({{1, 62}});
    t.g.playerRole = 1;
    t.g.playerAttackCard = 56;
    CutLog steps(t, {"EndRound", "PlayerDefend"});

    ComputerAttack(t.g);

    EXPECT_EQ(t.g.playerAttackCard, 0);
    EXPECT_EQ(steps.Names(), std::vector<std::string>{"ComputerAttack"});
    EXPECT_EQ(t.g.computerHand[1], 62);
    EXPECT_EQ(t.g.computerAttackCard, 0);
    EXPECT_EQ(t.g.attackPhase, 2);
}

// --- The player's reply and the two-computer counters ---------------------------------------

TEST(ComputerFollowUpReply, ReplyRunsWhileTheTriesAllowAndTheWindowIsShown) {
    for (Field tries : {Field{25}, Field{26}}) {
        AttackTable t(kClubsTrump);
        t.Hand({{1, 9}});
        t.random.PushInt(1, 5);
        t.g.autoDefendTries = tries;
        CutLog steps(t, {"EndRound", "PlayerDefend"});

        const std::string cut = RunToCut([&] { ComputerAttack(t.g); });

        EXPECT_EQ(cut, tries == 25 ? "PlayerDefend" : "") << tries;
        EXPECT_EQ(t.g.autoDefendTries, tries + 1);
        if (tries == 25) {
            const GameState& s = steps.At("PlayerDefend").state;
            EXPECT_EQ(s.computerAttackCard, 9);
            EXPECT_EQ(s.attackPhase, 4);
        } else {
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
    AttackTable t(kClubsTrump);
    t.g.playMode = kPlayModeTwoComputers;
    t.Hand({{1, 9}});
    t.random.PushInt(1, 5);
    t.g.computerCardCount = 0;  // a renewed reply then ends at once
    t.g.autoDefendTries = 26;   // no reply before the wait
    t.g.autoReplyCount = 3;
    CutLog steps(t, {"EndRound"});

    ASSERT_EQ(RunToCut([&] { ComputerAttack(t.g); }), "");

    ASSERT_EQ(steps.Count("PlayerDefend"), 1);
    const GameState& s = steps.At("PlayerDefend").state;
    EXPECT_EQ(s.autoReplyCount, 4);
    EXPECT_EQ(s.autoDefendTries, 0);
    EXPECT_EQ(s.scratch, 21001);
    EXPECT_EQ(t.g.autoReplyCount, 4);
    EXPECT_GE(t.screen.windowShown, 1);
    // The wait's lines start at (50, 50): the reply finds the pen one line below.
    EXPECT_EQ(steps.At("PlayerDefend").penX, 0);
    EXPECT_EQ(steps.At("PlayerDefend").penY, 50 + TextLayer::kLineHeight);
    ASSERT_FALSE(t.pauses.waits.empty());
    const Pause& p = t.pauses.waits[0];
    EXPECT_EQ(p.kind, PauseKind::FollowUpWait);
    EXPECT_EQ(p.slowTurns, 21000LL * kPaceMedium);
    EXPECT_EQ(p.fastTurns, 12LL * 21000);
}

TEST(ComputerFollowUpReply, EighthRenewedReplyIsFollowedByTheRoundEnd) {
    AttackTable t(kClubsTrump);
    t.g.playMode = kPlayModeTwoComputers;
    t.Hand({{1, 9}});
    t.random.PushInt(1, 5);
    t.g.computerCardCount = 1;
    t.g.autoDefendTries = 26;
    t.g.autoReplyCount = 7;
    // The renewed reply draws an empty slot fourteen times: nothing covers.
    for (int draw = 0; draw < 14; ++draw) t.random.PushInt(9, 12);
    CutLog steps(t, {"EndRound"});

    EXPECT_EQ(RunToCut([&] { ComputerAttack(t.g); }), "EndRound");

    const auto names = steps.Names();
    const auto reply = std::find(names.begin(), names.end(), "PlayerDefend");
    const auto end = std::find(names.begin(), names.end(), "EndRound");
    ASSERT_NE(reply, names.end());
    EXPECT_LT(reply - names.begin(), end - names.begin());
    EXPECT_EQ(steps.At("PlayerDefend").state.autoReplyCount, 8);
    EXPECT_EQ(steps.At("EndRound").state.autoReplyCount, 0);
    EXPECT_EQ(steps.At("EndRound").state.computerAttackCard, 9);
}
