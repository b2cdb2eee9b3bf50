// The player's attack: leading, the adding rule, refused cards, the full table, the
// computer without cards, and the automatic player's blind slot draws and round close.
//
// The computer's reply and the round end run for real. Each test is set up so that
// what follows the attack ends quickly without random draws of its own (the computer
// either covers with cards it holds or has already shed its hand), and a watcher
// records the state every later step starts from, so the tests read what the attack
// handed over before anything else touched it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "support/fakes.h"
#include "ui/pauses.h"

using namespace durak;
using durak::fakes::TestTable;

namespace {

constexpr int kStatusX = 50, kStatusY = 6420;
constexpr int kLine = TextLayer::kLineHeight;

// Every step of a chain with the state and the display it started from.
class StepLog : public PlayWatcher {
public:
    struct Seen {
        std::string step;
        GameState state;
        std::string text;
        std::int64_t penX, penY;
        std::size_t waits, screenOps;
        int reseeds;
        std::size_t randomLeft;
    };

    explicit StepLog(TestTable& t) : t_(t) { t.g.watcher = this; }

    void Step(const GameState& s, const char* step) override {
        seen.push_back({Name(step), s, t_.text.Dump(), t_.text.PenX(), t_.text.PenY(),
                        t_.pauses.waits.size(), t_.screen.log.size(), t_.random.reseeds,
                        t_.random.values.size()});
    }

    // The first step the attack ran, or nullptr when it ran none.
    const Seen* FirstNested() const { return seen.size() > 1 ? &seen[1] : nullptr; }
    bool Ran(const std::string& step) const {
        for (const auto& s : seen)
            if (s.step == step) return true;
        return false;
    }

    std::vector<Seen> seen;

private:
    // "void durak::ComputerDefend(Game&)" -> "ComputerDefend"
    static std::string Name(const char* full) {
        std::string s(full);
        s = s.substr(0, s.find('('));
        const auto colon = s.rfind("::");
        if (colon != std::string::npos) return s.substr(colon + 2);
        return s.substr(s.rfind(' ') + 1);
    }

    TestTable& t_;
};

int Holder(int card) { return PictureIndexOf(card); }

// The human attacks; trumps hearts.
void HumanAttacks(TestTable& t) {
    GameState& s = t.g;
    s.playMode = kPlayModeHuman;
    s.playerRole = 1;
    s.trumpCard = 160;  // 10♥
    s.trumpSuitIcon = 4;
    s.playerAttackPair = 1;
    s.computerDefencePair = 1;
    s.computerAttackPair = 1;
    s.playerDefencePair = 1;
}

// Between two computers, at a brisk pace; the automatic player plays its first draw.
void AutomaticAttacks(TestTable& t) {
    HumanAttacks(t);
    t.g.playMode = kPlayModeTwoComputers;
    t.g.delayFactor = 1;
    t.g.scratch = 12;
}

// The computer has put down its last card: its count still says one, its hand is
// empty, so the round end finds it out of cards and the game ends there.
void ComputerHandShed(TestTable& t) {
    t.g.computerHand.Clear();
    t.g.computerCardCount = 1;
}

void SetComputerHand(TestTable& t, std::initializer_list<int> cards) {
    int slot = 1;
    for (int c : cards) t.g.computerHand[slot++] = static_cast<Field>(c);
    t.g.computerCardCount = static_cast<Field>(cards.size());
}

bool SlotTouched(const TestTable& t, int slot, std::size_t upTo) {
    for (std::size_t i = 0; i < upTo && i < t.screen.log.size(); ++i)
        if (t.screen.log[i].slot == slot) return true;
    return false;
}

// The first round of the human's attack has 9♣ covered by J♣ on the table.
void NineOfClubsCovered(TestTable& t) {
    HumanAttacks(t);
    GameState& s = t.g;
    s.tablePlayerAttack[1] = 59;     // 9♣
    s.tableComputerDefence[1] = 61;  // J♣
    s.defenceCard = 61;
    s.playerAttackPair = 2;
    s.computerDefencePair = 1;
    s.playerAttackCard = 0;  // the computer covered it
    s.playerHand[1] = 109;   // 9♦
    s.playerHand[2] = 161;   // J♥
    s.playerHand[3] = 60;    // 10♣
    // J♦ covers the 9♦, Q♥ the J♥: the computer never has to take.
    SetComputerHand(t, {111, 162, 10});
}

}  // namespace

// --- Leading and adding --------------------------------------------------------------

TEST(PlayerAttackLead, CardFromSlotThreeOpensPairOne) {
    TestTable t;
    HumanAttacks(t);
    t.g.playerHand[1] = 7;
    t.g.playerHand[3] = 59;  // 9♣
    t.g.computerAttackCard = 112;
    SetComputerHand(t, {60, 13});  // 10♣ covers it
    t.g.selectedSlot = 3;
    StepLog log(t);

    PlayerAttack(t.g);

    EXPECT_EQ(t.g.playerHand[3], 0);
    EXPECT_EQ(t.g.playerHand[1], 7);
    EXPECT_EQ(t.screen.PictureOf(43), kBlankHolder);
    EXPECT_EQ(t.screen.PictureOf(56), Holder(59));
    EXPECT_EQ(t.g.tablePlayerAttack[1], 59);
    EXPECT_EQ(t.g.playerAttackPair, 2);

    const auto* next = log.FirstNested();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->step, "ComputerDefend");
    EXPECT_EQ(next->state.playerAttackCard, 59);
    EXPECT_EQ(next->state.computerAttackCard, 0);
    EXPECT_EQ(next->text, "Мы ходим\n");
    EXPECT_EQ(next->penX, 0);
    EXPECT_EQ(next->penY, kStatusY + kLine);
    EXPECT_TRUE(t.text.HasRunAt(kStatusX, kStatusY, "Мы ходим"));
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
        EXPECT_EQ(t.screen.PictureOf(HandSlotControl(slot)), kBlankHolder);
        EXPECT_EQ(t.screen.PictureOf(58), Holder(card));
        EXPECT_EQ(t.g.tablePlayerAttack[1], 59);
        EXPECT_EQ(t.g.tablePlayerAttack[2], card);
        EXPECT_EQ(t.g.playerAttackPair, 3);
        const auto* next = log.FirstNested();
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->step, "ComputerDefend");
        EXPECT_EQ(next->state.playerAttackCard, card);
    }
}

TEST(PlayerAttackAdding, CardOfAnotherRankIsRefusedAndNothingElseHappens) {
    TestTable t;
    NineOfClubsCovered(t);
    t.g.computerAttackCard = 112;
    t.g.selectedSlot = 3;  // 10♣: neither a nine nor a jack
    const GameState before = t.g;
    StepLog log(t);

    PlayerAttack(t.g);

    EXPECT_EQ(t.text.Dump(), "Мы ходим\n");
    EXPECT_TRUE(t.text.HasRunAt(kStatusX, kStatusY, "Мы ходим"));
    EXPECT_EQ(t.g.playerHand.v, before.playerHand.v);
    EXPECT_EQ(t.g.tablePlayerAttack.v, before.tablePlayerAttack.v);
    EXPECT_EQ(t.g.tableComputerDefence.v, before.tableComputerDefence.v);
    EXPECT_EQ(t.g.computerHand.v, before.computerHand.v);
    EXPECT_EQ(t.g.playerAttackPair, 2);
    EXPECT_EQ(t.g.playerAttackCard, 0);
    EXPECT_EQ(t.g.computerAttackCard, 0);  // the start of the step still clears it
    EXPECT_TRUE(t.screen.log.empty());
    EXPECT_EQ(log.seen.size(), 1u) << "the computer must not be asked to cover";
}

TEST(PlayerAttackAdding, RankFoundOnlyAmongTheComputersCoversIsAccepted) {
    TestTable t;
    HumanAttacks(t);
    GameState& s = t.g;
    s.tablePlayerAttack[1] = 7;
    s.tablePlayerAttack[2] = 8;
    s.tablePlayerAttack[3] = 9;
    s.tableComputerDefence[1] = 12;
    s.tableComputerDefence[2] = 13;
    s.tableComputerDefence[3] = 14;  // A♠, the only ace on the table
    s.defenceCard = 14;
    s.playerAttackPair = 4;
    s.computerDefencePair = 3;
    s.playerHand[3] = 106;  // 6♦ matches nothing
    s.playerHand[4] = 114;  // A♦
    SetComputerHand(t, {156});  // a trump to cover the ace
    s.selectedSlot = 4;
    StepLog log(t);

    PlayerAttack(t.g);

    EXPECT_EQ(s.playerHand[4], 0);
    EXPECT_EQ(s.playerHand[3], 106);
    EXPECT_EQ(s.tablePlayerAttack[4], 114);
    EXPECT_EQ(t.screen.PictureOf(62), Holder(114));
    EXPECT_EQ(s.playerAttackPair, 5);
    ASSERT_NE(log.FirstNested(), nullptr);
    EXPECT_EQ(log.FirstNested()->state.playerAttackCard, 114);
}

// --- Six pairs to a round ---------------------------------------------------------------

namespace {

// Five pairs of spades covered; the sixth attack card goes next.
void FivePairsOnTheTable(TestTable& t) {
    HumanAttacks(t);
    GameState& s = t.g;
    const int attack[] = {6, 7, 8, 9, 10};
    const int cover[] = {12, 13, 14, 159, 161};
    for (int k = 1; k <= 5; ++k) {
        s.tablePlayerAttack[k] = static_cast<Field>(attack[k - 1]);
        s.tableComputerDefence[k] = static_cast<Field>(cover[k - 1]);
    }
    s.defenceCard = 161;
    s.playerAttackPair = 6;
    s.computerDefencePair = 5;
}

// All six pairs lie on the table and the cursor is back at pair 1.
void SixPairsOnTheTable(TestTable& t) {
    FivePairsOnTheTable(t);
    t.g.tablePlayerAttack[6] = 106;
    t.g.tableComputerDefence[6] = 107;
    t.g.defenceCard = 107;
    t.g.playerAttackPair = 1;
    t.g.computerDefencePair = 7;
}

}  // namespace

TEST(PlayerAttackFullTable, SixthCardTakesTheLastPlaceAndTheCursorWraps) {
    TestTable t;
    FivePairsOnTheTable(t);
    t.g.playerHand[1] = 106;  // 6♦, rank of the first attack card
    SetComputerHand(t, {107});
    t.g.selectedSlot = 1;
    StepLog log(t);

    PlayerAttack(t.g);

    EXPECT_EQ(t.g.tablePlayerAttack[6], 106);
    EXPECT_EQ(t.screen.PictureOf(66), Holder(106));
    EXPECT_EQ(t.g.playerAttackPair, 1);
    EXPECT_EQ(t.g.tablePlayerAttack[1], 6);
    ASSERT_NE(log.FirstNested(), nullptr);
    EXPECT_EQ(log.FirstNested()->step, "ComputerDefend");
}

TEST(PlayerAttackFullTable, SeventhCardIsRefusedByTheHuman) {
    TestTable t;
    SixPairsOnTheTable(t);
    t.g.playerHand[2] = 56;  // 6♣: its rank lies on the table
    SetComputerHand(t, {57});
    t.g.selectedSlot = 2;
    const GameState before = t.g;
    StepLog log(t);

    PlayerAttack(t.g);

    EXPECT_EQ(t.g.playerHand[2], 56);
    EXPECT_EQ(t.g.tablePlayerAttack.v, before.tablePlayerAttack.v);
    EXPECT_EQ(t.g.playerAttackPair, 1);
    EXPECT_EQ(t.g.playerAttackCard, before.playerAttackCard);
    EXPECT_TRUE(t.screen.log.empty()) << "pair 1 must keep its card in Image56";
    EXPECT_EQ(t.text.Dump(), "Мы ходим\n");
    EXPECT_EQ(log.seen.size(), 1u);
}

TEST(PlayerAttackFullTable, SeventhCardOfTheAutomaticPlayerClosesTheRound) {
    TestTable t;
    SixPairsOnTheTable(t);
    AutomaticAttacks(t);
    t.g.playerHand[2] = 56;
    t.g.playerHand[5] = 113;
    t.g.playerAttackCard = 106;  // the sixth card, covered
    ComputerHandShed(t);
    t.random.PushInt(2, 12);
    const GameState before = t.g;
    StepLog log(t);

    PlayerAttack(t.g);

    EXPECT_EQ(t.g.playerHand[2], 56);
    EXPECT_FALSE(log.Ran("ComputerDefend"));
    const auto* next = log.FirstNested();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->step, "EndRound");
    EXPECT_EQ(next->state.tablePlayerAttack.v, before.tablePlayerAttack.v);
    EXPECT_EQ(next->state.playerAttackCard, 0);
    EXPECT_EQ(next->waits, 1u);
    // A refused card goes straight to the pause: no empty line after "Мы ходим".
    EXPECT_EQ(next->penY, kStatusY + kLine);
    ASSERT_FALSE(t.pauses.waits.empty());
    EXPECT_EQ(t.pauses.waits[0].kind, PauseKind::AutoLeadClosing);
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
        EXPECT_FALSE(SlotTouched(t, 56, t.screen.log.size()));
        const auto* next = log.FirstNested();
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->step, "ComputerDefend");
        EXPECT_EQ(next->state.playerAttackCard, stale);
        EXPECT_EQ(next->text, "Мы ходим\n");
    }
}

TEST(PlayerAttackGameOver, ComputerWithoutCardsShowsResultsAndKeepsTheClickedCard) {
    TestTable t;
    HumanAttacks(t);
    t.g.playerHand[3] = 59;
    t.g.computerCardCount = 0;
    t.g.computerAttackCard = 112;
    t.g.selectedSlot = 3;
    StepLog log(t);

    PlayerAttack(t.g);

    EXPECT_EQ(t.g.playerHand[3], 59);
    EXPECT_EQ(t.g.tablePlayerAttack[1], 0);
    EXPECT_EQ(t.g.computerAttackCard, 0);
    EXPECT_FALSE(SlotTouched(t, 43, t.screen.log.size()));
    EXPECT_FALSE(SlotTouched(t, 56, t.screen.log.size()));
    EXPECT_FALSE(log.Ran("ComputerDefend"));
    const auto* next = log.FirstNested();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->step, "ShowResults");
    EXPECT_EQ(next->text, "");  // "Мы ходим" is erased before the results
    EXPECT_EQ(next->penX, kStatusX);
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

    PlayerAttack(t.g);

    // Read at the round end, before it closes up the hand.
    const auto* next = log.FirstNested();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->step, "EndRound");
    EXPECT_EQ(next->state.playerHand[12], 7);
    EXPECT_FALSE(SlotTouched(t, 83, next->screenOps));
    EXPECT_EQ(next->state.tablePlayerAttack[1], 0);
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
        t.random.PushInt(7, 12);  // ...and only the last one is played: an empty slot
        StepLog log(t);

        PlayerAttack(t.g);

        EXPECT_EQ(t.g.playerHand[5], 7);
        EXPECT_EQ(t.g.tablePlayerAttack[1], 0);
        // One run of the step per draw, then the round end.
        std::size_t runs = 0;
        while (runs < log.seen.size() && log.seen[runs].step == "PlayerAttack") ++runs;
        ASSERT_EQ(runs, static_cast<std::size_t>(c.draws));
        ASSERT_LT(runs, log.seen.size());
        const auto* end = &log.seen[runs];
        EXPECT_EQ(end->step, "EndRound");
        EXPECT_EQ(end->reseeds, c.draws);
        EXPECT_EQ(end->randomLeft, 0u);
        // Each run clears the text first: one "Мы ходим" on the status line.
        EXPECT_EQ(end->text, "Мы ходим\n");
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

    PlayerAttack(t.g);

    const auto* next = log.FirstNested();
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
    EXPECT_FALSE(log.Ran("ComputerDefend"));
    for (std::size_t i = 0; i < next->screenOps; ++i) {
        const auto& op = t.screen.log[i];
        if (op.slot == 56) EXPECT_EQ(op.value, kBlankHolder) << "no card is shown";
    }
}

TEST(PlayerAttackAutomatic, LastCardPutDownWinsWithoutTheComputersCover) {
    TestTable t;
    AutomaticAttacks(t);
    t.g.playerHand[4] = 59;
    SetComputerHand(t, {60});
    t.random.PushInt(4, 12);
    StepLog log(t);

    PlayerAttack(t.g);

    EXPECT_EQ(t.g.tablePlayerAttack[1], 59);
    EXPECT_EQ(t.screen.PictureOf(56), Holder(59));
    EXPECT_TRUE(t.text.HasRunAt(kStatusX, kStatusY, "Мы выиграли"));
    EXPECT_FALSE(log.Ran("ComputerDefend"));
    EXPECT_EQ(t.g.computerHand[1], 60);
    EXPECT_EQ(t.g.tableComputerDefence[1], 0);
    ASSERT_NE(log.FirstNested(), nullptr);
    EXPECT_EQ(log.FirstNested()->step, "ShowResults");
}

TEST(PlayerAttackAutomatic, CardLeftInSlotTenIsNotAnEmptyHand) {
    TestTable t;
    AutomaticAttacks(t);
    t.g.playerHand[4] = 59;
    t.g.playerHand[10] = 113;
    SetComputerHand(t, {60});  // covers with its last card, and the game ends there
    t.random.PushInt(4, 12);
    StepLog log(t);

    PlayerAttack(t.g);

    const auto* next = log.FirstNested();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->step, "ComputerDefend");
    EXPECT_EQ(next->state.playerAttackCard, 59);
    EXPECT_EQ(t.g.playerHand[10], 113);
    for (const auto& run : t.text.Runs()) EXPECT_NE(run.text, "Мы выиграли");
}
