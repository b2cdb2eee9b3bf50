// A new game: the shuffle with its limits, the deal, the display reset and what a new
// game keeps from the previous one.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "support/fakes.h"
#include "platform/random_sources.h"

using namespace durak;
using namespace durak::fakes;

namespace {

// Queue shuffle draws: each value gives the raw number r (0..41).
void ScriptDraws(TestTable& t, std::initializer_list<int> raws) {
    for (int r : raws) t.random.PushInt(r, 42);
}

// The 36 picture indices in order: a shuffle that meets no duplicate.
void ScriptOrderedDeck(TestTable& t) {
    for (int n = 1; n <= 40; ++n)
        if (!IsBlankIndex(n)) t.random.PushInt(n, 42);
}

void ExpectFreshRound(const GameState& s) {
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(s.tablePlayerAttack[k], 0);
        EXPECT_EQ(s.tableComputerDefence[k], 0);
        EXPECT_EQ(s.tableComputerAttack[k], 0);
        EXPECT_EQ(s.tablePlayerDefence[k], 0);
    }
    EXPECT_EQ(s.playerAttackPair, 1);
    EXPECT_EQ(s.computerDefencePair, 1);
    EXPECT_EQ(s.computerAttackPair, 1);
    EXPECT_EQ(s.playerDefencePair, 1);
    EXPECT_EQ(s.playerRole, kPlayerAttacks);
    EXPECT_EQ(s.defenceCard, kNoCard);
    EXPECT_EQ(s.computerAttackCard, kNoCard);
    EXPECT_EQ(s.playerDefenceCard, kNoCard);
    EXPECT_EQ(s.playerAttackCard, kNoCard);
    EXPECT_EQ(s.autoDefendTries, 0);
    EXPECT_EQ(s.computerCardCount, 6);
    EXPECT_EQ(s.dealtCount, 12);
}

}  // namespace

TEST(NewGameDeal, ThirteenDistinctCardsRecordedAsSeen) {
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        RecordingScreen screen;
        RecordingPauses pauses;
        TextLayer text;
        SeededRandom random(seed);
        Game g(screen, text, pauses, random);
        g.playMode = kPlayModeHuman;
        NewGame(g);

        std::set<int> dealt;
        for (int k = 1; k <= 6; ++k) {
            ASSERT_TRUE(IsCard(g.playerHand[k]));
            ASSERT_TRUE(IsCard(g.computerHand[k]));
            EXPECT_EQ(g.seenCards[k], g.playerHand[k]);
            EXPECT_EQ(g.seenCards[6 + k], g.computerHand[k]);
            dealt.insert(g.playerHand[k]);
            dealt.insert(g.computerHand[k]);
        }
        ASSERT_TRUE(IsCard(g.trumpCard));
        EXPECT_EQ(g.seenCards[13], g.trumpCard);
        dealt.insert(g.trumpCard);
        EXPECT_EQ(dealt.size(), 13u) << "seed " << seed;
        for (int k = 14; k <= 36; ++k) EXPECT_EQ(g.seenCards[k], 0);
        for (int k = 7; k <= 12; ++k) EXPECT_EQ(g.playerHand[k], 0);
        for (int k = 7; k <= 16; ++k) EXPECT_EQ(g.computerHand[k], 0);
        EXPECT_GE(g.shuffleAttempts, 37);
        EXPECT_LE(g.shuffleAttempts, 181);
        ExpectFreshRound(g);
    }
}

TEST(NewGameDeal, DealsDeckEntriesInOrder) {
    TestTable t;
    ScriptOrderedDeck(t);
    NewGame(t.g);
    EXPECT_TRUE(t.random.values.empty());
    EXPECT_EQ(t.g.shuffleAttempts, 37);  // 36 counted draws, the deck is full
    const char* player[] = {"J♠", "Q♠", "K♠", "A♠", "6♠", "7♠"};
    const char* computer[] = {"8♠", "9♠", "10♠", "J♣", "Q♣", "K♣"};
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(t.g.playerHand[k], Card(player[k - 1]));
        EXPECT_EQ(t.g.computerHand[k], Card(computer[k - 1]));
    }
    EXPECT_EQ(t.g.trumpCard, Card("A♣"));
    EXPECT_EQ(t.g.deck[36], Card("10♥"));
}

TEST(NewGameShuffle, BlanksAreRedrawnWithoutCounting) {
    TestTable t;
    ScriptDraws(t, {5, 15, 25, 35});
    ScriptOrderedDeck(t);
    NewGame(t.g);
    EXPECT_EQ(t.g.shuffleAttempts, 37);
    EXPECT_EQ(t.g.deck[1], Card("J♠"));
}

TEST(NewGameShuffle, ZeroAndFortyOneCountButGiveNoCard) {
    TestTable t;
    ScriptDraws(t, {1, 0, 41});
    EXPECT_EQ(t.g.drawnCard, kNoCard);
    // Remaining cards in order (index 1 is already in the deck).
    for (int n = 2; n <= 40; ++n)
        if (!IsBlankIndex(n)) t.random.PushInt(n, 42);
    NewGame(t.g);
    // The draws of 0 and 41 offered the jack of spades again, a duplicate: two counts lost.
    EXPECT_EQ(t.g.shuffleAttempts, 39);
    EXPECT_EQ(t.g.deck[1], Card("J♠"));
    EXPECT_EQ(t.g.deck[2], Card("Q♠"));
}

TEST(NewGameShuffle, RawDrawLeavesItsMarkInScratch) {
    TestTable t;
    ScriptOrderedDeck(t);
    t.random.PushInt(0, 42);  // never reached: the deck is full first
    NewGame(t.g);
    EXPECT_EQ(t.g.scratch, 40);
    EXPECT_EQ(t.random.values.size(), 1u);

    // A raw 0 is noted as 1 and a raw 41 as 160; seen here on the draw after the limit.
    for (int last : {0, 41}) {
        TestTable u;
        ScriptDraws(u, {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14});
        for (int i = 0; i < 180 - 13; ++i) u.random.PushInt(2, 42);
        u.random.PushInt(last, 42);
        NewGame(u.g);
        EXPECT_TRUE(u.random.values.empty());
        EXPECT_EQ(u.g.scratch, last == 0 ? 1 : 160);
        EXPECT_EQ(u.g.drawnCard, Card("Q♠"));  // no card drawn: the previous one stays
    }
}

TEST(NewGameShuffle, PreviousDrawnCardIsOfferedByAFirstDrawOfZero) {
    TestTable t;
    t.g.drawnCard = static_cast<Field>(Card("10♥"));  // left by the previous game's last draw
    ScriptDraws(t, {0});
    for (int n = 1; n <= 39; ++n)
        if (!IsBlankIndex(n)) t.random.PushInt(n, 42);
    NewGame(t.g);
    EXPECT_EQ(t.g.deck[1], Card("10♥"));
    EXPECT_EQ(t.g.playerHand[1], Card("10♥"));
    EXPECT_EQ(t.g.scratch, 39);
}

TEST(NewGameShuffle, AtProgramStartAFirstZeroIsRejected) {
    TestTable t;
    ScriptDraws(t, {0});
    ScriptOrderedDeck(t);
    NewGame(t.g);
    EXPECT_EQ(t.g.deck[1], Card("J♠"));
    EXPECT_EQ(t.g.shuffleAttempts, 38);
}

TEST(NewGameShuffle, StopsAfterOneHundredEightyCountedDraws) {
    TestTable t;
    // Thirteen distinct cards, then duplicates until the limit: 180 counted draws, and
    // one more draw that is neither tested nor placed.
    ScriptDraws(t, {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    for (int i = 0; i < 180 - 13; ++i) t.random.PushInt(1, 42);
    t.random.PushInt(16, 42);  // drawn after the limit: not placed
    NewGame(t.g);
    EXPECT_TRUE(t.random.values.empty());
    EXPECT_EQ(t.g.shuffleAttempts, 181);
    EXPECT_EQ(t.g.deck[13], Card("A♣"));
    EXPECT_EQ(t.g.deck[14], kNoCard);
    EXPECT_EQ(t.g.trumpCard, Card("A♣"));
    EXPECT_EQ(t.g.drawnCard, Card("6♣"));  // the last draw is still recorded
}

TEST(NewGameState, KeepsSettingsAndCountersClearsTheOldGame) {
    // A round in progress: cards on the table, statistics counted, a stale attack card.
    TestTable t({.delayFactor = kPaceSlow, .attackPhase = kComputerCardDown,
                 .playerHand = {{9, "A♠"}}, .computerHand = {{12, "A♣"}},
                 .playerAttack = {"6♠", "7♠", "8♠", "9♠", "10♠", "J♠"},
                 .computerDefence = {"6♣", "7♣", "8♣", "9♣", "10♣", "J♣"},
                 .computerAttack = {"6♦", "7♦", "8♦", "9♦", "10♦", "J♦"},
                 .playerDefence = {"6♥", "7♥", "8♥", "9♥", "10♥", "J♥"}});
    t.g.selectedSlot = 4;
    t.g.trumpSuitIcon = 3;
    t.g.autoContinueCount = 9;
    t.g.autoReplyCount = 5;
    t.g.attackRetried = 1;
    t.g.leadStartSuit = 2;
    t.g.playerAttackCard = static_cast<Field>(Card("Q♣"));
    t.g.playerTookCount = 2;
    t.g.computerDefendedCount = 3;
    t.g.playerAttackPair = 4;
    t.g.playerDefencePair = 7;
    ScriptOrderedDeck(t);
    NewGame(t.g);

    EXPECT_EQ(t.g.playMode, kPlayModeHuman);
    EXPECT_EQ(t.g.delayFactor, kPaceSlow);
    EXPECT_EQ(t.g.selectedSlot, 4);
    EXPECT_EQ(t.g.attackPhase, kComputerCardDown);
    EXPECT_EQ(t.g.trumpSuitIcon, 3);
    EXPECT_EQ(t.g.autoContinueCount, 9);
    EXPECT_EQ(t.g.autoReplyCount, 5);
    EXPECT_EQ(t.g.attackRetried, 1);
    EXPECT_EQ(t.g.leadStartSuit, 2);
    EXPECT_EQ(t.g.playerHand[9], kNoCard);
    EXPECT_EQ(t.g.computerHand[12], kNoCard);
    EXPECT_EQ(t.g.playerTookCount, 0);
    EXPECT_EQ(t.g.computerDefendedCount, 0);
    ExpectFreshRound(t.g);
    EXPECT_TRUE(t.pauses.waits.empty());
}

TEST(NewGameDisplay, DrawsTheDealAndResetsTheTable) {
    TestTable t;
    t.g.playMode = kPlayModeHuman;
    t.text.ClearAndPrintStatus("Мы ходим");
    ScriptOrderedDeck(t);
    NewGame(t.g);

    const auto& s = t.screen;
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(s.PictureOf(HandSlotControl(k)), PictureIndexOf(t.g.playerHand[k]));
    for (int k = 7; k <= 12; ++k) EXPECT_EQ(s.PictureOf(HandSlotControl(k)), kBlankHolder);
    for (int place : {56, 57, 62, 67, 72, 77, 84, 89}) EXPECT_EQ(s.PictureOf(place), kBlankHolder);
    EXPECT_EQ(s.PictureOf(kComputerFanSlot), kFanHolder6);
    EXPECT_TRUE(s.IsVisible(kComputerFanSlot, false));
    EXPECT_EQ(s.PictureOf(kTrumpSlot), PictureIndexOf(Card("A♣")));
    for (int holder = 1; holder <= 40; ++holder) EXPECT_FALSE(s.IsVisible(holder)) << holder;
    for (int holder : {47, 48, 49, 50, 51, 52, 54, 55, 71}) EXPECT_FALSE(s.IsVisible(holder));
    for (int slot = 90; slot <= 99; ++slot) EXPECT_FALSE(s.IsVisible(slot)) << slot;

    // The computer's six codes at the right, and no message.
    EXPECT_TRUE(t.text.HasRunAt(8700, 1900, " 8 "));
    EXPECT_TRUE(t.text.HasRunAt(8700, 2100, " 9 "));
    EXPECT_TRUE(t.text.HasRunAt(8700, 2300, " 10 "));
    EXPECT_TRUE(t.text.HasRunAt(8700, 2500, " 61 "));
    EXPECT_TRUE(t.text.HasRunAt(8700, 2700, " 62 "));
    EXPECT_TRUE(t.text.HasRunAt(8700, 2900, " 63 "));
    EXPECT_EQ(t.text.Runs().size(), 6u);
}

TEST(NewGameDisplay, ReplacesASuitIconAndBringsTheFanBack) {
    TestTable t;
    SuitIcon(t.screen, 2);
    t.screen.SetVisible(kComputerFanSlot, false);  // hidden by the previous game's results
    t.screen.SetPicture(kComputerFanSlot, kFanHolder12);
    ScriptOrderedDeck(t);
    NewGame(t.g);
    EXPECT_EQ(t.screen.PictureOf(kTrumpSlot), PictureIndexOf(t.g.trumpCard));
    EXPECT_TRUE(t.screen.IsVisible(kComputerFanSlot, false));
    EXPECT_EQ(t.screen.PictureOf(kComputerFanSlot), kFanHolder6);
}

TEST(RandomSources, ClockReseedDoesNotRestartTheSequence) {
    ClockRandom random;
    std::set<double> seen;
    for (int i = 0; i < 200; ++i) {
        random.Reseed();  // many re-seeds within one clock tick
        const double v = random.Next();
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        seen.insert(v);
    }
    EXPECT_GT(seen.size(), 190u);
}

TEST(RandomSources, SeededSourceRepeatsItsGames) {
    SeededRandom a(7), b(7), c(8);
    bool differs = false;
    for (int i = 0; i < 50; ++i) {
        const double va = a.Next();
        EXPECT_EQ(va, b.Next());
        differs |= (va != c.Next());
    }
    EXPECT_TRUE(differs);

    // The numbers are the standard 64-bit Mersenne Twister's, as 53 bits in [0, 1), for
    // the smallest and largest seeds too: the simulator's games stay the same.
    for (const std::uint64_t seed : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{5489},
                                     ~std::uint64_t{0}}) {
        SeededRandom source(seed);
        std::mt19937_64 reference(seed);
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(source.Next(), static_cast<double>(reference() >> 11) * 0x1.0p-53)
                << "seed " << seed << ", draw " << i;
    }
}
