// The result display: which message stays, the computer's count, the statistics and the
// computer's first six slots face up in place of the fan.
#include <gtest/gtest.h>

#include <string>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "support/fakes.h"

using namespace durak;
using durak::fakes::RecordingScreen;
using durak::fakes::TestTable;

namespace {

struct Results : TestTable {
    Results() {
        g.playMode = kPlayModeHuman;
        g.playerDefendedCount = 3;
        g.computerDefendedCount = 1;
        g.playerTookCount = 0;
        g.computerTookCount = 2;
    }
    void Player(std::initializer_list<std::pair<int, int>> slots) {
        for (auto [slot, card] : slots) g.playerHand[slot] = static_cast<Field>(card);
    }
    void Computer(std::initializer_list<std::pair<int, int>> slots) {
        for (auto [slot, card] : slots) g.computerHand[slot] = static_cast<Field>(card);
        g.computerCardCount = static_cast<Field>(g.computerHand.CountNonZero());
    }
    bool Printed(const std::string& text_) const {
        for (const auto& run : text.Runs())
            if (run.text == text_) return true;
        return false;
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
        for (int slot = 94; slot <= 99; ++slot) EXPECT_TRUE(screen.IsVisible(slot, false));
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
    Results t;
    t.Player({{1, 6}, {8, 7}});
    for (int slot = 94; slot <= 99; ++slot) t.screen.SetPicture(slot, 12);  // old faces
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
    Results t;
    t.Computer({{1, 6}, {2, 56}, {3, 106}, {4, 156}, {5, 7}, {6, 57}, {7, 107}, {8, 157}, {9, 8}});

    ShowResults(t.g);

    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы выиграли"));
    EXPECT_TRUE(t.text.HasRunAt(7000, 2000, "Карты компа больше шести"));
    for (const auto& run : t.text.Runs())
        EXPECT_FALSE(run.x == 7500 && run.y == 2000) << "count line: " << run.text;
    t.ExpectStatistics();
    const int faces[7] = {0, 6, 56, 106, 156, 7, 57};
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(t.FaceUp(k), PictureIndexOf(faces[k])) << k;
    t.ExpectFaceUpShown();
}

// Both hands empty: three tests in turn, and the draw is what stays.
TEST(ResultDisplay, BothHandsEmptyLeavesTheDraw) {
    Results t;
    t.g.computerCardCount = 0;

    ShowResults(t.g);

    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Ничья"));
    EXPECT_FALSE(t.Printed("Комп выиграл"));
    EXPECT_FALSE(t.Printed("Мы выиграли"));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  0 "));
}

// In the middle of a game no result applies: what was printed stays, the score is added.
TEST(ResultDisplay, MidGameAddsTheScoreToWhatIsPrinted) {
    Results t;
    t.Player({{1, 6}, {2, 7}});
    t.Computer({{1, 56}, {2, 57}, {3, 58}, {4, 59}, {5, 60}, {6, 61}});
    t.text.MoveTextPen(2550, 6420);
    t.text.PrintLine({6, 7, 0, 0, 0, 0});

    ShowResults(t.g);

    EXPECT_TRUE(t.text.HasRunAt(2550, 6420, " 6  7  0  0  0  0 "));
    EXPECT_FALSE(t.Printed("Комп выиграл"));
    EXPECT_FALSE(t.Printed("Мы выиграли"));
    EXPECT_FALSE(t.Printed("Ничья"));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  6 "));
    t.ExpectStatistics();
    EXPECT_EQ(t.FaceUp(6), PictureIndexOf(61));
    t.ExpectFaceUpShown();
    t.ExpectWindowShownAtBothEnds();
    // Nothing of the game changes.
    EXPECT_EQ(t.g.computerCardCount, 6);
    EXPECT_EQ(t.g.playerHand.CountNonZero(), 2);
}

// Gaps among the computer's first six slots show blank, even over an earlier face, also
// when it holds cards further on.
TEST(ResultDisplay, EmptyComputerSlotsShowBlank) {
    Results t;
    t.Player({{1, 6}});
    t.Computer({{1, 56}, {3, 58}, {4, 59}, {6, 61}, {9, 106}, {14, 107}});
    for (int slot = 94; slot <= 99; ++slot) t.screen.SetPicture(slot, 12);

    ShowResults(t.g);

    EXPECT_EQ(t.FaceUp(1), PictureIndexOf(56));
    EXPECT_EQ(t.FaceUp(2), kBlankHolder);
    EXPECT_EQ(t.FaceUp(3), PictureIndexOf(58));
    EXPECT_EQ(t.FaceUp(5), kBlankHolder);
    EXPECT_EQ(t.FaceUp(6), PictureIndexOf(61));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  6 "));
}

// The win test reads the count field, the loss test the computer's slots: a stale count
// of 0 announces the computer's win, and an empty player hand then replaces it.
TEST(ResultDisplay, CountFieldAndSlotsAreTestedSeparately) {
    Results t;
    t.Computer({{2, 56}});
    t.g.computerCardCount = 0;

    ShowResults(t.g);

    EXPECT_TRUE(t.text.HasRunAt(50, 6420, "Мы выиграли"));
    EXPECT_FALSE(t.Printed("Комп выиграл"));
    EXPECT_TRUE(t.text.HasRunAt(7500, 2000, "Карты компа  0 "));
}

// The computer's win: the fan goes blank before the results hide it.
TEST(ResultDisplay, ComputerWonBlanksTheFanThenShowsResults) {
    Results t;
    t.Player({{1, 6}, {2, 7}, {3, 8}});
    t.text.ClearText();
    t.text.MoveTextPen(50, 6420);
    t.text.PrintLine({"Комп выиграл"});

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
