// The end of a round: the outcome and its message, the waits, the take steps of both
// seats slot by slot, the turn, the close-up of the player's hand and the end tests.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "cards/picture_catalogue.h"
#include "flow/input_dispatch.h"
#include "flow/procedures.h"
#include "support/fakes.h"
#include "support/stop_at_step.h"
#include "flow/pauses.h"

using namespace durak;
using durak::fakes::StopAtStep;
using durak::fakes::RecordingScreen;

namespace {

// Waits that note what the window showed when each one began.
class SnapshotPauses : public Pauses {
public:
    struct Seen {
        PauseKind kind;
        std::string text;      // the text layer at the start of the wait
        std::size_t screenOps;  // picture changes made before the wait
    };
    SnapshotPauses(const TextLayer& text, const RecordingScreen& screen)
        : text_(text), screen_(screen) {}
    void Wait(const Pause& p) override { waits.push_back({p.kind, text_.Dump(), screen_.log.size()}); }
    std::vector<Seen> waits;

private:
    const TextLayer& text_;
    const RecordingScreen& screen_;
};

struct Table {
    RecordingScreen screen;
    TextLayer text;
    SnapshotPauses pauses{text, screen};
    fakes::ScriptedRandom random;
    Game g{screen, text, pauses, random};

    // A game late in play: one human, the stock used up (so the refill draws nothing),
    // hearts are trumps, the statistics at 0.
    Table() {
        g.playMode = kPlayModeHuman;
        g.trumpCard = 160;
        g.dealtCount = 35;
        g.playerRole = 1;
        g.playerAttackPair = g.computerDefencePair = g.computerAttackPair = g.playerDefencePair = 1;
    }
    void Computer(std::initializer_list<std::pair<int, int>> slots) {
        for (auto [slot, card] : slots) g.computerHand[slot] = static_cast<Field>(card);
        g.computerCardCount = static_cast<Field>(g.computerHand.CountNonZero());
    }
    void Player(std::initializer_list<std::pair<int, int>> slots) {
        for (auto [slot, card] : slots) g.playerHand[slot] = static_cast<Field>(card);
    }
    bool StatusShows(const std::string& message) const { return text.HasRunAt(50, 6420, message); }
    bool Printed(const std::string& message) const {
        for (const auto& run : text.Runs())
            if (run.text == message) return true;
        return false;
    }
};

int CardsHeld(const GameState& s) {
    return s.playerHand.CountNonZero() + s.computerHand.CountNonZero() +
           s.tablePlayerAttack.CountNonZero() + s.tableComputerDefence.CountNonZero() +
           s.tableComputerAttack.CountNonZero() + s.tablePlayerDefence.CountNonZero();
}

}  // namespace

// ---------------------------------------------------------------------------------
// The computer takes
// ---------------------------------------------------------------------------------

// Computer holds slots 1, 3, 4, 6 and takes A1, A2, A3 with the covers D1, D2.
TEST(ComputerTakes, CardsLandInTheListedSlots) {
    Table t;
    t.Computer({{1, 8}, {3, 58}, {4, 108}, {6, 158}});
    t.Player({{1, 6}, {2, 7}, {3, 56}, {4, 57}});
    t.g.tablePlayerAttack[1] = 9;      // A1, covered by D1
    t.g.tableComputerDefence[1] = 11;  // D1
    t.g.tablePlayerAttack[2] = 59;     // A2, covered by D2
    t.g.tableComputerDefence[2] = 61;  // D2
    t.g.tablePlayerAttack[3] = 109;    // A3, not covered
    t.g.playerAttackCard = 109;
    t.g.defenceCard = 0;

    EndRound(t.g);

    const auto& c = t.g.computerHand;
    EXPECT_EQ(c[1], 8);
    EXPECT_EQ(c[2], 59);   // A2
    EXPECT_EQ(c[3], 58);
    EXPECT_EQ(c[4], 108);
    EXPECT_EQ(c[5], 109);  // A3
    EXPECT_EQ(c[6], 158);
    EXPECT_EQ(c[7], 9);    // A1
    EXPECT_EQ(c[8], 61);   // D2
    EXPECT_EQ(c[13], 11);  // D1
    for (int k : {9, 10, 11, 12, 14, 15, 16}) EXPECT_EQ(c[k], 0) << "slot " << k;
    EXPECT_TRUE(t.g.tablePlayerAttack.AllZero());
    EXPECT_TRUE(t.g.tableComputerDefence.AllZero());
    EXPECT_EQ(t.g.computerCardCount, 9);
    EXPECT_EQ(t.screen.PictureOf(kComputerFanSlot), kFanHolder9);

    EXPECT_TRUE(t.StatusShows("Комп взял.."));
    EXPECT_EQ(t.g.computerTookCount, 1);
    EXPECT_EQ(t.g.playerRole, 1);
    for (int place : {56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 72, 73, 74, 75, 76, 77,
                      84, 85, 86, 87, 88, 89})
        EXPECT_EQ(t.screen.PictureOf(place), kBlankHolder) << "place " << place;
}

// The message shows, and the table is still on the window, during the wait that follows.
TEST(ComputerTakes, WaitsWithMessageAndTableInView) {
    Table t;
    t.Computer({{1, 8}});
    t.Player({{1, 6}, {2, 7}, {3, 56}});
    t.g.tablePlayerAttack[1] = 109;
    t.g.playerAttackCard = 109;
    t.text.MoveTextPen(50, 6420);
    t.text.PrintLine({"Мы ходим"});

    EndRound(t.g);

    ASSERT_EQ(t.pauses.waits.size(), 1u);
    EXPECT_EQ(t.pauses.waits[0].kind, PauseKind::ComputerTook);
    EXPECT_EQ(t.pauses.waits[0].text, "Комп взял..\n");  // the earlier text is gone
    EXPECT_EQ(t.pauses.waits[0].screenOps, 0u);          // the table not yet blanked
    EXPECT_EQ(t.g.computerHand[3], 109);                 // taken after the wait
    EXPECT_EQ(t.g.scratch, 29001);
}

// Between two computers the round end opens with its own short wait, before the take's.
TEST(ComputerTakes, TwoComputersWaitFirstThenTheTakeWait) {
    Table t;
    t.g.playMode = kPlayModeTwoComputers;
    t.Computer({{1, 8}});
    t.Player({{1, 6}, {2, 7}, {3, 56}});
    t.g.tablePlayerAttack[1] = 109;
    t.g.playerAttackCard = 109;
    StopAtStep stop("RefillFromStock");
    t.g.watcher = &stop;

    EXPECT_THROW(EndRound(t.g), ChainStopped);

    ASSERT_EQ(t.pauses.waits.size(), 2u);
    EXPECT_EQ(t.pauses.waits[0].kind, PauseKind::TwoComputerRoundEnd);
    EXPECT_EQ(t.pauses.waits[0].text, "");
    EXPECT_EQ(t.pauses.waits[1].kind, PauseKind::ComputerTook);
    EXPECT_EQ(stop.seen.scratch, 29001);
    EXPECT_EQ(stop.seen.computerHand[3], 109);
}

// A second press of the button, before any new attack card, counts no second take.
TEST(ComputerTakes, SecondButtonPressCountsNothing) {
    Table t;
    t.Computer({{1, 8}});
    t.Player({{1, 6}, {2, 7}, {3, 56}});
    t.g.tablePlayerAttack[1] = 109;
    t.g.playerAttackCard = 109;

    Image70_Click(t.g);
    ASSERT_EQ(t.g.computerTookCount, 1);
    EXPECT_EQ(t.g.playerAttackCard, 0);

    Image70_Click(t.g);
    EXPECT_EQ(t.g.computerTookCount, 1);
    EXPECT_FALSE(t.Printed("Комп взял.."));
    EXPECT_EQ(t.pauses.waits.size(), 1u);
    EXPECT_EQ(t.g.computerHand.CountNonZero(), 2);
}

// The listed steps leave D2 behind although the hand has room: it goes into the first
// empty slot instead of leaving the game.
TEST(ComputerTakes, CardTheListsMissGoesToFirstEmptySlot) {
    Table t;
    t.Computer({{11, 8}, {14, 58}});
    t.Player({{1, 6}, {2, 7}, {3, 56}});
    t.g.tablePlayerAttack[1] = 9;
    t.g.tableComputerDefence[1] = 11;
    t.g.tablePlayerAttack[2] = 59;
    t.g.tableComputerDefence[2] = 61;
    t.g.tablePlayerAttack[3] = 109;
    t.g.playerAttackCard = 109;
    const int before = CardsHeld(t.g);

    EndRound(t.g);

    const auto& c = t.g.computerHand;
    EXPECT_EQ(c[1], 9);
    EXPECT_EQ(c[2], 59);
    EXPECT_EQ(c[3], 61);  // D2, missed by the lists
    EXPECT_EQ(c[5], 109);
    EXPECT_EQ(c[7], 11);
    EXPECT_EQ(c[8], 58);  // closed up from slot 14
    EXPECT_EQ(c[11], 8);
    EXPECT_EQ(t.g.computerCardCount, 7);
    EXPECT_EQ(CardsHeld(t.g), before);
}

// ---------------------------------------------------------------------------------
// The player takes, and the close-up of the player's hand
// ---------------------------------------------------------------------------------

// The player holds slots 1 and 2 and takes K1 with its cover E1 and the uncovered K2.
TEST(PlayerTakes, CardsLandInTheListedSlotsAndShow) {
    Table t;
    t.g.playerRole = 2;
    t.Computer({{1, 8}, {2, 9}});
    t.Player({{1, 6}, {2, 7}});
    t.g.tableComputerAttack[1] = 56;   // K1
    t.g.tablePlayerDefence[1] = 57;    // E1
    t.g.tableComputerAttack[2] = 106;  // K2, not covered
    t.g.computerAttackCard = 106;
    t.g.playerDefenceCard = 0;
    for (int slot = 78; slot <= 83; ++slot) t.screen.SetPicture(slot, 13);  // stale faces
    StopAtStep stop("RefillFromStock");
    t.g.watcher = &stop;

    EXPECT_THROW(EndRound(t.g), ChainStopped);

    const auto& p = t.g.playerHand;
    EXPECT_EQ(p[1], 6);
    EXPECT_EQ(p[2], 7);
    EXPECT_EQ(p[3], 57);   // E1
    EXPECT_EQ(p[4], 0);
    EXPECT_EQ(p[5], 106);  // K2
    EXPECT_EQ(p[6], 56);   // K1
    for (int k = 7; k <= 12; ++k) EXPECT_EQ(p[k], 0) << "slot " << k;
    for (int slot = 78; slot <= 83; ++slot) EXPECT_EQ(t.screen.PictureOf(slot), kBlankHolder);
    // The cards moved into slots 1..6 show at once, whether or not the stock can refill.
    EXPECT_EQ(t.screen.PictureOf(43), PictureIndexOf(57));
    EXPECT_EQ(t.screen.PictureOf(45), PictureIndexOf(106));
    EXPECT_EQ(t.screen.PictureOf(46), PictureIndexOf(56));

    EXPECT_TRUE(t.StatusShows("Мы взяли..."));
    EXPECT_EQ(t.g.playerTookCount, 1);
    EXPECT_EQ(t.g.playerRole, 2);
    EXPECT_EQ(t.g.attackPhase, 2);
    EXPECT_TRUE(t.g.tableComputerAttack.AllZero());
    EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
}

// Four pairs, the last uncovered: the lists leave E3 on the table while slots 9..12 are
// free after the close-up. It goes into slot 9.
TEST(PlayerTakes, CardTheListsMissGoesToFirstEmptySlot) {
    Table t;
    t.g.playerRole = 2;
    t.Computer({{1, 8}});
    t.Player({{1, 6}, {2, 7}});
    const int k[5] = {0, 56, 57, 58, 59};
    const int e[4] = {0, 60, 61, 62};
    for (int i = 1; i <= 4; ++i) t.g.tableComputerAttack[i] = static_cast<Field>(k[i]);
    for (int i = 1; i <= 3; ++i) t.g.tablePlayerDefence[i] = static_cast<Field>(e[i]);
    t.g.computerAttackCard = 59;
    StopAtStep stop("RefillFromStock");
    t.g.watcher = &stop;
    const int before = CardsHeld(t.g);

    EXPECT_THROW(EndRound(t.g), ChainStopped);

    const auto& p = t.g.playerHand;
    const int expected[13] = {0, 6, 7, 58, 59, 60, 61, 56, 57, 62, 0, 0, 0};
    for (int s = 1; s <= 12; ++s) EXPECT_EQ(p[s], expected[s]) << "slot " << s;
    EXPECT_EQ(t.screen.PictureOf(80), PictureIndexOf(62));  // slot 9 in Image80
    EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
    EXPECT_EQ(CardsHeld(t.g), before);
}

// With all twelve slots taken there is nowhere to put the card: no card in the hand is
// overwritten.
TEST(PlayerTakes, FullHandSendsTheCardOffWithTheClearedTable) {
    Table t;
    t.g.playerRole = 2;
    t.Computer({{1, 8}});
    const int cards[13] = {0, 6, 7, 8, 10, 11, 12, 13, 14, 56, 57, 58, 59};
    for (int s = 1; s <= 12; ++s) t.g.playerHand[s] = static_cast<Field>(cards[s]);
    const OneBased<12> handBefore = t.g.playerHand;
    t.g.tableComputerAttack[1] = 9;
    t.g.computerAttackCard = 9;
    StopAtStep stop("RefillFromStock");
    t.g.watcher = &stop;

    EXPECT_THROW(EndRound(t.g), ChainStopped);

    EXPECT_EQ(t.g.playerHand.v, handBefore.v);
    // No slot is free: the card leaves play with the cleared table instead of lingering
    // in the row, where the next round's first card would overwrite it unseen.
    EXPECT_EQ(t.g.tableComputerAttack[1], 0);
}

// ---------------------------------------------------------------------------------
// The other outcomes and the turn
// ---------------------------------------------------------------------------------

TEST(RoundOutcome, ComputerCoveredEverything) {
    Table t;
    t.Computer({{1, 8}});
    t.Player({{1, 6}, {2, 7}, {3, 56}});
    t.g.tablePlayerAttack[1] = 109;
    t.g.tableComputerDefence[1] = 111;
    t.g.defenceCard = 111;
    t.g.playerAttackCard = 0;  // cleared by the computer's cover
    StopAtStep stop("RefillFromStock");
    t.g.watcher = &stop;

    EXPECT_THROW(EndRound(t.g), ChainStopped);

    EXPECT_TRUE(t.StatusShows("Комп ходит..."));
    EXPECT_EQ(t.g.computerDefendedCount, 1);
    EXPECT_EQ(t.g.playerRole, 2);
    EXPECT_TRUE(t.g.tablePlayerAttack.AllZero());
    EXPECT_TRUE(t.g.tableComputerDefence.AllZero());
    EXPECT_EQ(t.g.computerHand.CountNonZero(), 1);  // the beaten cards left play
    EXPECT_TRUE(t.pauses.waits.empty());
}

// The computer's attack: the last computer card and the player's last cover decide.
TEST(RoundOutcome, PlayerOutcomesByLatestCards) {
    struct Case {
        int computerCard, cover;
        const char* message;
        int took, defended, roleAfter;
    };
    const Case cases[] = {
        {106, 0, "Мы взяли...", 1, 0, 2},
        {0, 107, "Мы отбидись...", 0, 1, 1},
        {106, 107, "Мы отбились...", 0, 1, 1},
        {0, 0, "Наше...", 1, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Table t;
        t.g.playerRole = 2;
        t.g.attackPhase = 4;
        t.Computer({{1, 8}});
        t.Player({{1, 6}, {2, 7}, {3, 56}});
        t.g.tableComputerAttack[1] = 106;
        t.g.tablePlayerDefence[1] = 107;
        t.g.computerAttackCard = static_cast<Field>(c.computerCard);
        t.g.playerDefenceCard = static_cast<Field>(c.cover);
        StopAtStep stop("RefillFromStock");
        t.g.watcher = &stop;

        EXPECT_THROW(EndRound(t.g), ChainStopped);

        EXPECT_TRUE(t.StatusShows(c.message)) << t.text.Dump();
        EXPECT_EQ(t.text.Runs().size(), 1u);
        EXPECT_EQ(t.g.playerTookCount, c.took);
        EXPECT_EQ(t.g.playerDefendedCount, c.defended);
        EXPECT_EQ(t.g.playerRole, c.roleAfter);
        EXPECT_EQ(t.g.computerTookCount + t.g.computerDefendedCount, 0);
        const bool took = c.took == 1;
        // Taken: both cards are in the hand. Covered: they left play.
        EXPECT_EQ(t.g.playerHand.Contains(106), took);
        EXPECT_EQ(t.g.playerHand.Contains(107), took);
        EXPECT_TRUE(t.g.tableComputerAttack.AllZero());
        EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
        EXPECT_EQ(t.g.attackPhase, took ? 2 : 4);
    }
}

// An attack card still lying uncovered is never beaten, whatever the latest cards say:
// the defender takes the table. Between two computers the latest card of the player may
// be covered while an earlier one is not; the computer's latest card may be covered
// while an earlier one is not.
TEST(RoundOutcome, AnUncoveredCardMakesTheDefenderTake) {
    {
        SCOPED_TRACE("the player's attack: A2 uncovered, the latest card covered");
        Table t;
        t.g.playMode = kPlayModeTwoComputers;
        t.Computer({{1, 8}});
        t.Player({{1, 6}});
        t.g.tablePlayerAttack[1] = 9;
        t.g.tableComputerDefence[1] = 11;
        t.g.tablePlayerAttack[2] = 59;  // no cover
        t.g.tablePlayerAttack[3] = 109;
        t.g.tableComputerDefence[3] = 112;
        t.g.playerAttackCard = 0;  // as the automatic player leaves it before the round end
        t.g.defenceCard = 112;
        StopAtStep stop("RefillFromStock");
        t.g.watcher = &stop;

        EXPECT_THROW(EndRound(t.g), ChainStopped);

        EXPECT_TRUE(t.StatusShows("Комп взял..")) << t.text.Dump();
        EXPECT_EQ(t.g.computerTookCount, 1);
        EXPECT_EQ(t.g.computerDefendedCount, 0);
        EXPECT_EQ(t.g.playerRole, 1);
        for (int c : {9, 11, 59, 109, 112}) EXPECT_TRUE(t.g.computerHand.Contains(c)) << c;
    }
    {
        SCOPED_TRACE("the computer's attack: K1 uncovered, the latest card covered");
        Table t;
        t.g.playerRole = 2;
        t.g.attackPhase = 4;
        t.Computer({{1, 8}});
        t.Player({{1, 6}});
        t.g.tableComputerAttack[1] = 106;  // no cover
        t.g.tableComputerAttack[2] = 56;
        t.g.tablePlayerDefence[2] = 57;
        t.g.computerAttackCard = 56;
        t.g.playerDefenceCard = 57;  // would read "Мы отбились..."
        StopAtStep stop("RefillFromStock");
        t.g.watcher = &stop;

        EXPECT_THROW(EndRound(t.g), ChainStopped);

        EXPECT_TRUE(t.StatusShows("Мы взяли...")) << t.text.Dump();
        EXPECT_EQ(t.g.playerTookCount, 1);
        EXPECT_EQ(t.g.playerDefendedCount, 0);
        EXPECT_EQ(t.g.playerRole, 2);
        for (int c : {106, 56, 57}) EXPECT_TRUE(t.g.playerHand.Contains(c)) << c;
    }
}

// The human covered and the computer added nothing: the text goes, the table stays in
// view through the wait, then the covered round is announced and the player leads.
TEST(RoundOutcome, PlayerCoveredAfterWaitWithTableInView) {
    Table t;
    t.g.playerRole = 2;
    t.Computer({{1, 8}, {2, 9}});
    t.Player({{1, 6}, {2, 7}, {3, 56}});
    t.g.tableComputerAttack[1] = 106;
    t.g.tablePlayerDefence[1] = 107;
    t.g.computerAttackCard = 0;
    t.g.playerDefenceCard = 107;
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
    EXPECT_EQ(t.g.playerRole, 1);
    EXPECT_TRUE(t.g.tableComputerAttack.AllZero());
    EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
    EXPECT_FALSE(t.g.playerHand.Contains(106));
    EXPECT_EQ(t.screen.PictureOf(72), kBlankHolder);
    EXPECT_EQ(t.screen.PictureOf(73), kBlankHolder);
    // The refill follows on the same status line.
    EXPECT_TRUE(t.text.HasRunAt(2550, 6420, " 6  7  56  0  0  0 "));
}

// The player attacks and neither a take nor a cover applies: nothing is said or counted,
// the player keeps the lead, and the round end still closes up, refills and tests.
TEST(RoundOutcome, NothingToCountKeepsThePlayerLeading) {
    Table t;
    t.Computer({{1, 8}});
    t.Player({{1, 6}, {3, 56}, {4, 57}, {7, 58}});
    t.g.playerAttackCard = 0;
    t.g.defenceCard = 0;

    EndRound(t.g);

    EXPECT_EQ(t.g.playerRole, 1);
    EXPECT_EQ(t.g.playerTookCount + t.g.playerDefendedCount + t.g.computerTookCount +
                  t.g.computerDefendedCount,
              0);
    EXPECT_EQ(t.g.playerHand[6], 58);  // closed up: P6 ← P7 comes before any P2 ← P7
    EXPECT_EQ(t.g.playerHand[7], 0);
    EXPECT_EQ(t.screen.PictureOf(46), PictureIndexOf(58));
    EXPECT_EQ(t.screen.PictureOf(78), kBlankHolder);
    ASSERT_EQ(t.text.Runs().size(), 1u);
    EXPECT_TRUE(t.text.HasRunAt(2550, 6420, " 6  0  56  57  0  58 "));
    EXPECT_TRUE(t.pauses.waits.empty());
}

// ---------------------------------------------------------------------------------
// The end of the game
// ---------------------------------------------------------------------------------

// One card in slot 10 is still a hand: no win, only the mid-game score.
TEST(GameEnd, SingleCardInSlotTenIsNoWin) {
    Table t;
    t.Computer({{1, 8}, {2, 9}});
    t.Player({{10, 56}});

    EndRound(t.g);

    EXPECT_FALSE(t.Printed("Мы выиграли"));
    EXPECT_FALSE(t.Printed("Ничья"));
    EXPECT_EQ(t.g.playerHand.CountNonZero(), 1);
    EXPECT_EQ(t.g.playerHand[4], 56);
}

TEST(GameEnd, PlayerOutOfCardsWins) {
    Table t;
    t.Computer({{1, 8}, {2, 9}});

    EXPECT_THROW(EndRound(t.g), GameOver);

    EXPECT_TRUE(t.StatusShows("Мы выиграли"));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  2 "));
    EXPECT_FALSE(t.screen.IsVisible(kComputerFanSlot));
}

// Both hands empty: the computer's win is announced first, and the draw replaces it.
TEST(GameEnd, BothHandsEmptyEndsInADraw) {
    Table t;
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
    Table t;
    t.Player({{1, 6}, {2, 7}, {3, 56}});
    t.g.computerCardCount = 1;

    EXPECT_THROW(EndRound(t.g), GameOver);

    EXPECT_TRUE(t.StatusShows("Комп выиграл"));
    EXPECT_EQ(t.screen.PictureOf(kComputerFanSlot), kBlankHolder);
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  0 "));
    EXPECT_EQ(t.screen.windowShown, 2);
}

// A result is final: the button and the hand slots, pressed again after "Мы выиграли",
// "Комп выиграл" or "Ничья", neither move a card nor count an outcome; the result stays.
// (Each press would otherwise count the player's take "Наше...".)
TEST(GameEnd, PressesAfterTheResultChangeNothing) {
    struct Case {
        const char* result;
        bool computerHolds, playerHolds;
    };
    for (Case c : {Case{"Мы выиграли", true, false}, Case{"Комп выиграл", false, true},
                   Case{"Ничья", false, false}}) {
        SCOPED_TRACE(c.result);
        Table t;
        t.g.playerRole = 2;  // the computer's attack, nothing on the table
        t.g.attackPhase = 4;
        if (c.computerHolds) t.Computer({{1, 8}, {2, 9}});
        t.g.computerCardCount = c.computerHolds ? 2 : 1;
        if (c.playerHolds) t.Player({{1, 6}, {2, 7}});

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
}

// Before the first game there is no round to end: the button does nothing at all.
TEST(GameEnd, ButtonBeforeTheFirstGameDoesNothing) {
    fakes::TestTable t;
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
