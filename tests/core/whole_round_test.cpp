// Whole rounds through the real chain of steps, driven only by clicks: the computer
// leads, the player covers or takes, the round ends and the next one starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>

#include "cards/picture_catalogue.h"
#include "flow/input_dispatch.h"
#include "flow/procedures.h"
#include "support/fakes.h"
#include "flow/menu_events.h"
#include "platform/random_sources.h"

using namespace durak;
using durak::fakes::TestTable;

namespace {

// A game late on: the stock is used up (no draws), hearts are trumps, and the
// computer has just covered the player's attack 6♦ with 9♦.
void SetUpComputerCovered(TestTable& t, std::initializer_list<int> player,
                          std::initializer_list<int> computer) {
    GameState& g = t.g;
    g.playMode = kPlayModeHuman;
    g.trumpCard = 160;
    g.dealtCount = 35;
    int k = 1;
    for (int c : player) g.playerHand[k++] = static_cast<Field>(c);
    k = 1;
    for (int c : computer) g.computerHand[k++] = static_cast<Field>(c);
    g.computerCardCount = static_cast<Field>(g.computerHand.CountNonZero());
    g.playerRole = 1;
    g.tablePlayerAttack[1] = 106;
    g.tableComputerDefence[1] = 109;
    g.defenceCard = 109;
    g.playerAttackCard = 0;
    g.playerAttackPair = 2;
    g.computerDefencePair = 2;
    g.playerDefencePair = g.computerAttackPair = 1;
}

int Count(const std::vector<Pause>& waits, PauseKind kind) {
    int n = 0;
    for (const auto& w : waits) n += (w.kind == kind);
    return n;
}

}  // namespace

TEST(WholeRound, ComputerLeadsAddsAndStopsAfterTwoCovers) {
    TestTable t;
    // Player: K♠ 7♠ 6♥ Q♣ 8♦ ; computer: Q♠ 7♣ Q♦ K♣.
    SetUpComputerCovered(t, {13, 7, 156, 62, 108}, {12, 57, 112, 63});
    t.random.PushInt(1, 5);  // the lead starts its scan at spades

    // The button: the computer covered everything and leads the next round.
    Image70_Click(t.g);
    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Комп ходит..."));
    EXPECT_EQ(t.g.computerDefendedCount, 1);
    EXPECT_EQ(t.g.playerRole, 2);
    EXPECT_EQ(t.g.tablePlayerAttack[1], 0);
    EXPECT_EQ(t.g.tableComputerAttack[1], 12);  // Q♠ led
    EXPECT_EQ(t.screen.PictureOf(72), PictureIndexOf(12));
    EXPECT_EQ(t.g.computerAttackCard, 12);      // still the card to cover
    EXPECT_EQ(t.screen.PictureOf(68), 93);      // the stock is used up: hearts icon

    // K♠ covers the queen; the computer adds the king of clubs.
    Image41_Click(t.g);
    EXPECT_EQ(t.g.tablePlayerDefence[1], 13);
    EXPECT_EQ(t.screen.PictureOf(73), PictureIndexOf(13));
    EXPECT_EQ(t.g.playerHand[1], 0);
    EXPECT_EQ(t.g.tableComputerAttack[2], 63);
    EXPECT_EQ(t.screen.PictureOf(74), PictureIndexOf(63));

    // A refused card: 7♠ neither beats K♣ nor is a trump.
    Image42_Click(t.g);
    EXPECT_EQ(t.g.playerHand[2], 7);
    EXPECT_EQ(t.g.tablePlayerDefence[2], 0);

    // The trump 6♥ covers the king; no six in the computer's hand: the round ends.
    Image43_Click(t.g);
    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы отбидись..."));
    EXPECT_EQ(t.text.Dump().find("Комп не пошел"), std::string::npos);
    EXPECT_EQ(t.g.playerDefendedCount, 1);
    EXPECT_EQ(t.g.computerDefendedCount, 1);
    EXPECT_EQ(t.g.playerRole, 1);
    EXPECT_TRUE(t.g.tableComputerAttack.AllZero());
    EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
    EXPECT_EQ(Count(t.pauses.waits, PauseKind::PlayerCovered), 1);
    // The computer keeps 7♣ and Q♦; the player 7♠, Q♣, 8♦.
    EXPECT_EQ(t.g.computerCardCount, 2);
    EXPECT_EQ(t.g.playerHand.CountNonZero(), 3);
    EXPECT_TRUE(t.random.values.empty());
}

TEST(WholeRound, PlayerTakesTheLeadAndTheComputerLeadsAgain) {
    TestTable t;
    SetUpComputerCovered(t, {13, 7, 156, 62, 108}, {12, 57, 112, 63});
    t.random.PushInt(1, 5);
    Image70_Click(t.g);
    ASSERT_EQ(t.g.computerAttackCard, 12);

    // The button again: the player takes the queen; the led card is still known, so
    // the round reads as a take of a card actually on the table.
    t.random.PushInt(2, 5);  // the next lead starts at clubs
    Image70_Click(t.g);
    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы взяли..."));
    EXPECT_EQ(t.g.playerTookCount, 1);
    EXPECT_EQ(t.g.playerHand[6], 12);  // the close-up brings the taken card to slot 6
    EXPECT_EQ(t.g.playerRole, 2);
    EXPECT_EQ(t.g.tableComputerAttack[1], 57);  // 7♣ led next
    EXPECT_EQ(t.g.computerAttackCard, 57);
    EXPECT_EQ(Count(t.pauses.waits, PauseKind::PlayerCovered), 0);
}

TEST(WholeRound, CoveringWithTheLastCardWinsWithoutASecondRoundEnd) {
    TestTable t;
    // The player holds only K♠; the computer leads Q♠ and has nothing of a king's rank.
    SetUpComputerCovered(t, {13}, {12, 57, 112});
    t.random.PushInt(1, 5);
    Image70_Click(t.g);
    ASSERT_EQ(t.g.tableComputerAttack[1], 12);

    Image41_Click(t.g);
    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы выиграли"));
    EXPECT_EQ(t.text.Dump().find("Комп не пошел"), std::string::npos);
    EXPECT_EQ(t.g.playerDefendedCount, 1);
    EXPECT_EQ(t.g.computerDefendedCount, 1);  // the earlier round only: no phantom
    EXPECT_TRUE(t.text.HasRunAt(50, 250, "Мы отбились  1 раз"));
    EXPECT_TRUE(t.text.HasRunAt(50, 450, "Комп отбился  1 раз"));
    EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
    EXPECT_EQ(t.screen.PictureOf(73), kBlankHolder);  // the beaten cover is not shown again
    EXPECT_EQ(Count(t.pauses.waits, PauseKind::PlayerCovered), 1);
}

TEST(WholeRound, PlayerLeadsAddsAndTheComputerTakes) {
    TestTable t;
    GameState& g = t.g;
    g.playMode = kPlayModeHuman;
    g.trumpCard = 160;
    g.dealtCount = 35;
    g.playerRole = 1;
    g.playerAttackPair = g.computerDefencePair = g.computerAttackPair = g.playerDefencePair = 1;
    // Player: 9♣ 9♦ J♥ 7♠; computer: J♣ 6♠ 8♠.
    const int player[] = {59, 109, 161, 7};
    for (int k = 1; k <= 4; ++k) g.playerHand[k] = static_cast<Field>(player[k - 1]);
    const int computer[] = {61, 6, 8};
    for (int k = 1; k <= 3; ++k) g.computerHand[k] = static_cast<Field>(computer[k - 1]);
    g.computerCardCount = 3;

    Image41_Click(t.g);  // 9♣ led, J♣ covers
    EXPECT_EQ(g.tablePlayerAttack[1], 59);
    EXPECT_EQ(g.tableComputerDefence[1], 61);
    EXPECT_EQ(g.playerAttackCard, 0);
    Image44_Click(t.g);  // 7♠: no such rank on the table, refused
    EXPECT_EQ(g.playerHand[4], 7);
    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы ходим"));
    Image42_Click(t.g);  // 9♦ by the attack card's rank; no diamond, no trump: taken
    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Комп взял.."));
    EXPECT_EQ(g.computerTookCount, 1);
    EXPECT_EQ(g.playerRole, 1);
    EXPECT_EQ(g.playerAttackCard, 0);
    EXPECT_EQ(g.computerHand.CountNonZero(), 5);  // its two cards and the three taken
    EXPECT_EQ(Count(t.pauses.waits, PauseKind::ComputerTook), 1);

    // A second press of the button counts no second take.
    Image70_Click(t.g);
    EXPECT_EQ(g.computerTookCount, 1);
    EXPECT_EQ(t.text.Dump().find("Комп взял.."), std::string::npos);
}

// The chain's guard must trip before the stack runs out. Measured here, in the build the
// test runs in: how many bytes of stack one level of a two-computer game takes (the most
// seen on average over a chain of more than 50 levels), so that the depth limit times
// that fits the main thread's 8 MiB with room to spare for a wait and its painting.
class StackPerLevel : public PlayWatcher {
public:
    explicit StackPerLevel(const Game& g) : g_(g) {}
    void Step(const GameState&, const char*) override {
        const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        const int depth = g_.chain.depth;
        deepest = std::max(deepest, depth);
        if (depth == 1) top_ = here;
        if (depth > 50 && top_ > here)
            bytes = std::max<std::uintptr_t>(bytes, (top_ - here) / static_cast<unsigned>(depth - 1));
    }
    int deepest = 0;
    std::uintptr_t bytes = 0;

private:
    const Game& g_;
    std::uintptr_t top_ = 0;
};

TEST(WholeRound, TwoComputerChainsFitTheStackWithinTheGuard) {
    TestTable t;
    SeededRandom random(1);
    Game g(t.screen, t.text, t.pauses, random);
    StackPerLevel meter(g);
    g.watcher = &meter;
    MenuFastGame(g);
    for (int game = 0; game < 20; ++game) MenuNewGame(g);

    ASSERT_GT(meter.deepest, 100);
    ASSERT_GT(meter.bytes, 0u);
    const std::size_t mainStack = std::size_t{8} << 20;
    const std::size_t atTheLimit = ChainMeter::kDepthLimit * meter.bytes;
    std::cout << "stack per chain level in this build: " << meter.bytes << " bytes (games up to "
              << meter.deepest << " levels deep); at the limit of " << ChainMeter::kDepthLimit
              << " levels " << atTheLimit / 1024 << " KiB of the main thread's 8192 KiB\n";
    EXPECT_LE(atTheLimit, mainStack / 2);
    EXPECT_GE(ChainMeter::kDepthLimit, 5 * 522);  // five times the deepest game seen
    EXPECT_EQ(g.chain.depthLimit, ChainMeter::kDepthLimit);
}

// The computer has led 7♠ into a used-up stock, hearts are trumps, and the player
// covers it with 6♥. The computer holds 6♣, a card of the cover's rank, and Q♦. Only
// while the player still holds a card may the computer add it: a player who has shed
// every card is attacked no more and, with the stock used up, has won.
TEST(WholeRound, NoCardIsAddedToAnEmptyHand) {
    struct Case {
        const char* what;
        std::initializer_list<int> player;
        Field dealtCount;  // 35: the stock is used up; 34: one card is left in it
    };
    const Case cases[] = {
        {"last card covers, stock used up", {156}, 35},
        {"a card left in the hand", {156, 108}, 35},
        {"last card covers, one card left in the stock", {156}, 34},
    };
    constexpr int kLeftInStock = 60;  // 10♣, the one card not yet seen
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestTable t;
        GameState& g = t.g;
        g.playMode = kPlayModeHuman;
        g.trumpCard = 160;
        g.dealtCount = c.dealtCount;
        int k = 1;
        for (int card : c.player) g.playerHand[k++] = static_cast<Field>(card);
        g.computerHand[2] = 56;
        g.computerHand[3] = 112;
        g.computerCardCount = 2;
        // Every card but 10♣ has left the stock.
        k = 1;
        for (int suit = 0; suit < 4; ++suit)
            for (int rank = 6; rank <= 14; ++rank)
                if (50 * suit + rank != kLeftInStock) g.seenCards[k++] = static_cast<Field>(50 * suit + rank);
        // The computer's lead lies on the table, waiting to be covered.
        g.playerRole = 2;
        g.attackPhase = 4;
        g.tableComputerAttack[1] = 7;
        g.computerAttackCard = 7;
        g.computerAttackPair = 2;
        g.playerDefencePair = 1;
        g.playerAttackPair = g.computerDefencePair = 1;
        if (c.dealtCount < 35) t.random.PushInt(PictureIndexOf(kLeftInStock), 41);

        Image41_Click(t.g);  // 6♥ covers 7♠
        EXPECT_EQ(g.playerHand[1], c.player.size() == 1 && c.dealtCount < 35 ? kLeftInStock : 0);
        const bool emptyHand = c.player.size() == 1;
        if (!emptyHand) {
            // The computer adds its six, and the player is to cover it.
            EXPECT_EQ(g.tableComputerAttack[2], 56);
            EXPECT_EQ(g.computerHand[2], 0);
            EXPECT_EQ(g.playerRole, 2);
            EXPECT_FALSE(t.text.HasRunAt(50, 6420, "Мы выиграли"));
            continue;
        }
        // Nothing is added: the round ends as covered, the computer keeps its six.
        EXPECT_EQ(g.playerDefendedCount, 1);
        EXPECT_EQ(g.computerHand[2], 56);
        EXPECT_TRUE(g.tableComputerAttack.AllZero());
        EXPECT_EQ(Count(t.pauses.waits, PauseKind::PlayerCovered), 1);
        if (c.dealtCount == 35) {
            EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы выиграли")) << t.text.Dump();
            EXPECT_TRUE(t.text.HasRunAt(50, 250, "Мы отбились  1 раз")) << t.text.Dump();
            // The computer's cards are turned face up where its fan was.
            EXPECT_FALSE(t.screen.IsVisible(kComputerFanSlot));
            EXPECT_EQ(t.screen.PictureOf(kComputerFaceUpSlot1 + 1), PictureIndexOf(56));
            EXPECT_EQ(t.screen.PictureOf(kComputerFaceUpSlot1 + 2), PictureIndexOf(112));
        } else {
            // The stock's last card goes to the player, who leads the next round.
            EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы отбидись...")) << t.text.Dump();
            EXPECT_EQ(g.playerRole, 1);
            EXPECT_EQ(g.dealtCount, 35);
            EXPECT_FALSE(t.text.HasRunAt(50, 6420, "Мы выиграли"));
        }
        EXPECT_TRUE(t.random.values.empty());
    }
}
