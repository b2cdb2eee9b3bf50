// Whole rounds through the real chain of steps, driven only by clicks: the computer
// leads, the player covers or takes, the round ends and the next one starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>

#include "cards/picture_catalogue.h"
#include "flow/input_dispatch.h"
#include "flow/procedures.h"
#include "support/steps.h"
#include "flow/menu_events.h"
#include "platform/random_sources.h"

using namespace durak;
using namespace durak::fakes;

namespace {

// A game late on: the stock is used up (no draws), hearts are trumps, and the computer
// has just covered the player's attack 6♦ with 9♦.
Layout ComputerCovered(Cards player, Cards computer) {
    return {.trump = "10♥", .playerHand = player, .computerHand = computer,
            .playerAttack = {"6♦"}, .computerDefence = {"9♦"}};
}
void CoverHeld(TestTable& t) { t.g.defenceCard = static_cast<Field>(Card("9♦")); }

}  // namespace

TEST(WholeRound, ComputerLeadsAddsAndStopsAfterTwoCovers) {
    TestTable t(ComputerCovered({"K♠", "7♠", "6♥", "Q♣", "8♦"}, {"Q♠", "7♣", "Q♦", "K♣"}));
    CoverHeld(t);
    t.random.PushInt(1, 5);  // the lead starts its scan at spades

    // The button: the computer covered everything and leads the next round.
    Image70_Click(t.g);
    EXPECT_TRUE(t.StatusShows("Комп ходит..."));
    EXPECT_EQ(t.g.computerDefendedCount, 1);
    EXPECT_EQ(t.g.playerRole, 2);
    EXPECT_EQ(t.g.tablePlayerAttack[1], 0);
    EXPECT_EQ(t.g.tableComputerAttack[1], Card("Q♠"));  // Q♠ led
    EXPECT_EQ(t.screen.PictureOf(kComputerAttackPlace[1]), PictureIndexOf(Card("Q♠")));
    EXPECT_EQ(t.g.computerAttackCard, Card("Q♠"));      // still the card to cover
    EXPECT_EQ(t.screen.PictureOf(kTrumpSlot), kSuitIconHolder4);  // the stock is used up: hearts icon

    // K♠ covers the queen; the computer adds the king of clubs.
    Image41_Click(t.g);
    EXPECT_EQ(t.g.tablePlayerDefence[1], Card("K♠"));
    EXPECT_EQ(t.screen.PictureOf(kPlayerDefencePlace[1]), PictureIndexOf(Card("K♠")));
    EXPECT_EQ(t.g.playerHand[1], kNoCard);
    EXPECT_EQ(t.g.tableComputerAttack[2], Card("K♣"));
    EXPECT_EQ(t.screen.PictureOf(kComputerAttackPlace[2]), PictureIndexOf(Card("K♣")));

    // A refused card: 7♠ neither beats K♣ nor is a trump.
    Image42_Click(t.g);
    EXPECT_EQ(t.g.playerHand[2], Card("7♠"));
    EXPECT_EQ(t.g.tablePlayerDefence[2], kNoCard);

    // The trump 6♥ covers the king; no six in the computer's hand: the round ends.
    Image43_Click(t.g);
    EXPECT_TRUE(t.StatusShows("Мы отбидись..."));
    EXPECT_EQ(t.text.Dump().find("Комп не пошел"), std::string::npos);
    EXPECT_EQ(t.g.playerDefendedCount, 1);
    EXPECT_EQ(t.g.computerDefendedCount, 1);
    EXPECT_EQ(t.g.playerRole, kPlayerAttacks);
    EXPECT_TRUE(t.g.tableComputerAttack.AllZero());
    EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
    EXPECT_EQ(t.pauses.Count(PauseKind::PlayerCovered), 1);
    // The computer keeps 7♣ and Q♦; the player 7♠, Q♣, 8♦.
    EXPECT_EQ(t.g.computerCardCount, 2);
    EXPECT_EQ(t.g.playerHand.CountNonZero(), 3);
    EXPECT_TRUE(t.random.values.empty());
}

TEST(WholeRound, PlayerTakesTheLeadAndTheComputerLeadsAgain) {
    TestTable t(ComputerCovered({"K♠", "7♠", "6♥", "Q♣", "8♦"}, {"Q♠", "7♣", "Q♦", "K♣"}));
    CoverHeld(t);
    t.random.PushInt(1, 5);
    Image70_Click(t.g);
    ASSERT_EQ(t.g.computerAttackCard, Card("Q♠"));

    // The button again: the player takes the queen; the led card is still known, so
    // the round reads as a take of a card actually on the table.
    t.random.PushInt(2, 5);  // the next lead starts at clubs
    Image70_Click(t.g);
    EXPECT_TRUE(t.StatusShows("Мы взяли..."));
    EXPECT_EQ(t.g.playerTookCount, 1);
    EXPECT_EQ(t.g.playerHand[6], Card("Q♠"));  // the close-up brings the taken card to slot 6
    EXPECT_EQ(t.g.playerRole, kPlayerDefends);
    EXPECT_EQ(t.g.tableComputerAttack[1], Card("7♣"));  // 7♣ led next
    EXPECT_EQ(t.g.computerAttackCard, Card("7♣"));
    EXPECT_EQ(t.pauses.Count(PauseKind::PlayerCovered), 0);
}

TEST(WholeRound, CoveringWithTheLastCardWinsWithoutASecondRoundEnd) {
    // The player holds only K♠; the computer leads Q♠ and has nothing of a king's rank.
    TestTable t(ComputerCovered({"K♠"}, {"Q♠", "7♣", "Q♦"}));
    CoverHeld(t);
    t.random.PushInt(1, 5);
    Image70_Click(t.g);
    ASSERT_EQ(t.g.tableComputerAttack[1], Card("Q♠"));

    // The cover ends the round inside the computer's attack; its follow-up does not end
    // it a second time, and the player is not asked to answer anything.
    StepLog steps(t);
    Image41_Click(t.g);
    EXPECT_EQ(steps.Count("EndRound"), 1);
    EXPECT_EQ(steps.Count("PlayerDefend"), 1);  // the click itself
    EXPECT_TRUE(t.StatusShows("Мы выиграли"));
    EXPECT_EQ(t.text.Dump().find("Комп не пошел"), std::string::npos);
    EXPECT_EQ(t.g.playerDefendedCount, 1);
    EXPECT_EQ(t.g.computerDefendedCount, 1);  // the earlier round only: no phantom
    EXPECT_TRUE(t.text.HasRunAt(50, 250, "Мы отбились  1 раз"));
    EXPECT_TRUE(t.text.HasRunAt(50, 450, "Комп отбился  1 раз"));
    EXPECT_TRUE(t.g.tablePlayerDefence.AllZero());
    EXPECT_EQ(t.screen.PictureOf(kPlayerDefencePlace[1]), kBlankHolder);  // the beaten cover is not shown again
    EXPECT_EQ(t.pauses.Count(PauseKind::PlayerCovered), 1);
}

TEST(WholeRound, PlayerLeadsAddsAndTheComputerTakes) {
    TestTable t({.trump = "10♥", .playerHand = {"9♣", "9♦", "J♥", "7♠"}, .computerHand = {"J♣", "6♠", "8♠"}});
    GameState& g = t.g;

    Image41_Click(t.g);  // 9♣ led, J♣ covers
    EXPECT_EQ(g.tablePlayerAttack[1], Card("9♣"));
    EXPECT_EQ(g.tableComputerDefence[1], Card("J♣"));
    EXPECT_EQ(g.playerAttackCard, kNoCard);
    Image44_Click(t.g);  // 7♠: no such rank on the table, refused
    EXPECT_EQ(g.playerHand[4], Card("7♠"));
    EXPECT_TRUE(t.StatusShows("Мы ходим"));
    Image42_Click(t.g);  // 9♦ by the attack card's rank; no diamond, no trump: taken
    EXPECT_TRUE(t.StatusShows("Комп взял.."));
    EXPECT_EQ(g.computerTookCount, 1);
    EXPECT_EQ(g.playerRole, kPlayerAttacks);
    EXPECT_EQ(g.playerAttackCard, kNoCard);
    EXPECT_EQ(g.computerHand.CountNonZero(), 5);  // its two cards and the three taken
    EXPECT_EQ(t.pauses.Count(PauseKind::ComputerTook), 1);
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
        Cards player;
        bool tenOfClubsInStock;  // the one card not yet drawn; otherwise the stock is used up
    };
    const Case cases[] = {
        {"last card covers, stock used up", {"6♥"}, false},
        {"a card left in the hand", {"6♥", "8♦"}, false},
        {"last card covers, one card left in the stock", {"6♥"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The computer's lead lies on the table, waiting to be covered.
        TestTable t({.playerRole = kPlayerDefends, .attackPhase = kComputerCardDown, .trump = "10♥",
                     .stock = c.tenOfClubsInStock ? Cards{"10♣"} : Cards{},
                     .playerHand = c.player, .computerHand = {"", "6♣", "Q♦"}, .computerAttack = {"7♠"}});
        GameState& g = t.g;
        g.computerAttackCard = static_cast<Field>(Card("7♠"));
        if (c.tenOfClubsInStock) t.random.PushInt(PictureIndexOf(Card("10♣")), 41);

        Image41_Click(t.g);  // 6♥ covers 7♠
        const bool emptyHand = c.player.size() == 1;
        EXPECT_EQ(g.playerHand[1], emptyHand && c.tenOfClubsInStock ? Card("10♣") : kNoCard);
        if (!emptyHand) {
            // The computer adds its six, and the player is to cover it.
            EXPECT_EQ(g.tableComputerAttack[2], Card("6♣"));
            EXPECT_EQ(g.computerHand[2], kNoCard);
            EXPECT_EQ(g.playerRole, kPlayerDefends);
            EXPECT_FALSE(t.StatusShows("Мы выиграли"));
            continue;
        }
        // Nothing is added: the round ends as covered, the computer keeps its six.
        EXPECT_EQ(g.playerDefendedCount, 1);
        EXPECT_EQ(g.computerHand[2], Card("6♣"));
        EXPECT_TRUE(g.tableComputerAttack.AllZero());
        EXPECT_EQ(t.pauses.Count(PauseKind::PlayerCovered), 1);
        if (!c.tenOfClubsInStock) {
            EXPECT_TRUE(t.StatusShows("Мы выиграли")) << t.text.Dump();
            EXPECT_TRUE(t.text.HasRunAt(50, 250, "Мы отбились  1 раз")) << t.text.Dump();
            // The computer's cards are turned face up where its fan was.
            EXPECT_FALSE(t.screen.IsVisible(kComputerFanSlot));
            EXPECT_EQ(t.screen.PictureOf(kComputerFaceUpSlot1 + 1), PictureIndexOf(Card("6♣")));
            EXPECT_EQ(t.screen.PictureOf(kComputerFaceUpSlot1 + 2), PictureIndexOf(Card("Q♦")));
        } else {
            // The stock's last card goes to the player, who leads the next round.
            EXPECT_TRUE(t.StatusShows("Мы отбидись...")) << t.text.Dump();
            EXPECT_EQ(g.playerRole, kPlayerAttacks);
            EXPECT_EQ(g.dealtCount, 35);
            EXPECT_FALSE(t.StatusShows("Мы выиграли"));
        }
        EXPECT_TRUE(t.random.values.empty());
    }
}
