// The result display: which message stays, the computer's count, the statistics and the
// computer's first six slots face up in place of the fan.
#include <gtest/gtest.h>

#include <string>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "support/fakes.h"

using namespace durak;
using namespace durak::fakes;

namespace {

// The human's game with the statistics so far: 3 covered, 1 covered by the computer, 0
// taken, 2 taken by the computer.
struct Results : TestTable {
    explicit Results(Cards playerHand, Cards computerHand = {})
        : TestTable({.playerHand = playerHand, .computerHand = computerHand}) {
        g.playerDefendedCount = 3;
        g.computerDefendedCount = 1;
        g.computerTookCount = 2;
    }
    void ExpectStatistics() const {
        EXPECT_TRUE(text.HasRunAt(50, 250, "Мы отбились  3 раз"));
        EXPECT_TRUE(text.HasRunAt(50, 450, "Комп отбился  1 раз"));
        EXPECT_TRUE(text.HasRunAt(50, 850, "Мы взяли  0 раз"));
        EXPECT_TRUE(text.HasRunAt(50, 1050, "Комп взял  2 раз"));
    }
    // The face-up slot k (1..6) shows: a card's picture index, or the blank holder.
    int FaceUp(int k) const { return screen.PictureOf(kComputerFaceUpSlot1 + k - 1); }
    void ExpectFaceUpShown() const {
        EXPECT_FALSE(screen.IsVisible(kComputerFanSlot));
        for (int k = 1; k <= kFrontSlots; ++k) EXPECT_TRUE(screen.IsVisible(kComputerFaceUpSlot1 + k - 1, false));
    }
    // The window is brought up first and last.
    void ExpectWindowShownAtBothEnds() const {
        ASSERT_GE(screen.log.size(), 2u);
        EXPECT_EQ(screen.windowShown, 2);
        EXPECT_EQ(screen.log.front().kind, RecordingScreen::Op::Window);
        EXPECT_EQ(screen.log.back().kind, RecordingScreen::Op::Window);
    }
};

}  // namespace

TEST(ResultDisplay, ComputerWithoutCardsHasWon) {
    Results t({"6♠", {8, "7♠"}});
    for (int k = 1; k <= kFrontSlots; ++k)
        t.screen.SetPicture(kComputerFaceUpSlot1 + k - 1, PictureIndexOf(Card("Q♠")));  // old faces
    t.screen.log.clear();
    t.screen.windowShown = 0;

    ShowResults(t.g);

    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Комп выиграл"));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  0 "));
    t.ExpectStatistics();
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(t.FaceUp(k), kBlankHolder) << "slot " << k;
    t.ExpectFaceUpShown();
    t.ExpectWindowShownAtBothEnds();
}

// The player is out of cards and the computer holds nine: only "more than six" is said.
TEST(ResultDisplay, PlayerWithoutCardsHasWonAgainstNineCards) {
    Results t({}, {"6♠", "6♣", "6♦", "6♥", "7♠", "7♣", "7♦", "7♥", "8♠"});

    ShowResults(t.g);

    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы выиграли"));
    EXPECT_TRUE(t.text.HasRunAt(7000, 2000, "Карты компа больше шести"));
    for (const auto& run : t.text.Runs())
        EXPECT_FALSE(run.x == 7500 && run.y == 2000) << "count line: " << run.text;
    t.ExpectStatistics();
    const char* faces[] = {"6♠", "6♣", "6♦", "6♥", "7♠", "7♣"};
    for (int k = 1; k <= kFrontSlots; ++k) EXPECT_EQ(t.FaceUp(k), PictureIndexOf(Card(faces[k - 1]))) << k;
    t.ExpectFaceUpShown();
}

// Both hands empty: three tests in turn, and the draw is what stays.
TEST(ResultDisplay, BothHandsEmptyLeavesTheDraw) {
    Results t({});

    ShowResults(t.g);

    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Ничья"));
    EXPECT_FALSE(t.Printed("Комп выиграл"));
    EXPECT_FALSE(t.Printed("Мы выиграли"));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  0 "));
}

// In the middle of a game no result applies: what was printed stays, the score is added.
TEST(ResultDisplay, MidGameAddsTheScoreToWhatIsPrinted) {
    Results t({"6♠", "7♠"}, {"6♣", "7♣", "8♣", "9♣", "10♣", "J♣"});
    t.text.MoveTextPen(2550, 6420);
    t.text.PrintLine({6, 7, 0, 0, 0, 0});

    ShowResults(t.g);

    EXPECT_TRUE(t.text.HasRunAt(2550, 6420, " 6  7  0  0  0  0 "));
    EXPECT_FALSE(t.Printed("Комп выиграл"));
    EXPECT_FALSE(t.Printed("Мы выиграли"));
    EXPECT_FALSE(t.Printed("Ничья"));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  6 "));
    t.ExpectStatistics();
    EXPECT_EQ(t.FaceUp(6), PictureIndexOf(Card("J♣")));
    t.ExpectFaceUpShown();
    t.ExpectWindowShownAtBothEnds();
    // Nothing of the game changes.
    EXPECT_EQ(t.g.computerCardCount, 6);
    EXPECT_EQ(t.g.playerHand.CountNonZero(), 2);
}

// Gaps among the computer's first six slots show blank, even over an earlier face, also
// when it holds cards further on.
TEST(ResultDisplay, EmptyComputerSlotsShowBlank) {
    Results t({"6♠"}, {"6♣", "", "8♣", "9♣", "", "J♣", {9, "6♦"}, {14, "7♦"}});
    for (int k = 1; k <= kFrontSlots; ++k)
        t.screen.SetPicture(kComputerFaceUpSlot1 + k - 1, PictureIndexOf(Card("Q♠")));

    ShowResults(t.g);

    EXPECT_EQ(t.FaceUp(1), PictureIndexOf(Card("6♣")));
    EXPECT_EQ(t.FaceUp(2), kBlankHolder);
    EXPECT_EQ(t.FaceUp(3), PictureIndexOf(Card("8♣")));
    EXPECT_EQ(t.FaceUp(5), kBlankHolder);
    EXPECT_EQ(t.FaceUp(6), PictureIndexOf(Card("J♣")));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  6 "));
}

// The win test reads the count field, the loss test the computer's slots: a stale count
// of 0 announces the computer's win, and an empty player hand then replaces it.
TEST(ResultDisplay, CountFieldAndSlotsAreTestedSeparately) {
    Results t({}, {{2, "6♣"}});
    t.g.computerCardCount = 0;

    ShowResults(t.g);

    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы выиграли"));
    EXPECT_FALSE(t.Printed("Комп выиграл"));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  0 "));
}

// The computer's win: the fan goes blank before the results hide it.
TEST(ResultDisplay, ComputerWonBlanksTheFanThenShowsResults) {
    Results t({"6♠", "7♠", "8♠"});
    t.text.ClearAndPrintStatus("Комп выиграл");

    ComputerWon(t.g);

    ASSERT_FALSE(t.screen.log.empty());
    const auto& first = t.screen.log.front();
    EXPECT_EQ(first.kind, RecordingScreen::Op::Picture);
    EXPECT_EQ(first.slot, kComputerFanSlot);
    EXPECT_EQ(first.value, kBlankHolder);
    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Комп выиграл"));
    t.ExpectStatistics();
    t.ExpectFaceUpShown();
    EXPECT_EQ(t.screen.windowShown, 2);
}
