// The result of a game and its statistics: who won, how many cards the computer holds,
// how often each seat covered and took, and the computer's first six slots face up in
// place of its fan. Shown as the game ends, and also while it goes on (the refill shows
// the score while the player is down to one or two cards).

#include "cards/picture_catalogue.h"
#include "flow/procedures.h"

namespace durak {

namespace {

// ---------------------------------------------------------------------------------
// The computer's card count, or only that it holds more than six.
void ShowComputerCount(Game& g) {
    if (g.computerCardCount > kFrontSlots) {
        MoveTextPen(g, kMoreThanSixLine);
        g.text.PrintLine({"Карты компа больше шести"});
    } else {
        MoveTextPen(g, kComputerCountLine);
        g.text.PrintLine({"Карты компа ", g.computerCardCount});
    }
}

// The four statistics of the current game, one line each.
void ShowStatistics(Game& g) {
    MoveTextPen(g, kPlayerDefendedLine);
    g.text.PrintLine({"Мы отбились ", g.playerDefendedCount, "раз"});
    MoveTextPen(g, kComputerDefendedLine);
    g.text.PrintLine({"Комп отбился ", g.computerDefendedCount, "раз"});
    MoveTextPen(g, kPlayerTookLine);
    g.text.PrintLine({"Мы взяли ", g.playerTookCount, "раз"});
    MoveTextPen(g, kComputerTookLine);
    g.text.PrintLine({"Комп взял ", g.computerTookCount, "раз"});
}

// The fan gives way to the computer's slots 1..6 face up; an empty slot shows blank.
void TurnComputerCardsUp(Game& g) {
    g.screen.SetVisible(kComputerFanSlot, false);
    for (int k = 1; k <= kFrontSlots; ++k) g.screen.SetVisible(kComputerFaceUpSlot1 + k - 1, true);
    for (int k = 1; k <= kFrontSlots; ++k)
        ShowCardOrBlank(g.screen, kComputerFaceUpSlot1 + k - 1, g.computerHand[k]);
}

}  // namespace

// =================================================================================
// AnnounceResult: a result goes on the status line, and from here on the game is over.
void AnnounceResult(Game& g, const char* message) {
    g.text.ClearAndPrintStatus(message);
    g.decided = true;
    if (g.watcher) g.watcher->Result(g);
}

// =================================================================================
// EndOfGameTests: the computer has no card left; the player has none while the computer
// has some; neither has one. The tests run one after the other and each that applies
// clears the text first, so the last that applies stays: with both hands empty that is
// the draw. When none applies the text already on the window stays.
// With AfterResult::ShowAndStop each result is followed by the statistics (for the
// computer's win after its fan is blanked), and once they stand the game is over.
void EndOfGameTests(Game& g, AfterResult then) {
    const bool show = then == AfterResult::ShowAndStop;
    bool decided = false;
    if (g.computerCardCount == 0) {
        AnnounceResult(g, "Комп выиграл");
        if (show) ComputerWon(g);
        decided = true;
    }
    if (g.computerHand.Sum() > 0 && g.playerHand.AllZero()) {
        AnnounceResult(g, "Мы выиграли");
        if (show) ShowResults(g);
        decided = true;
    }
    if (g.computerHand.AllZero() && g.playerHand.AllZero()) {
        AnnounceResult(g, "Ничья");
        if (show) ShowResults(g);
        decided = true;
    }
    if (show && decided) throw GameOver();
}

// =================================================================================
// ComputerHasNoCardLeft: the computer has won; its one-card fan gives way to the results.
void ComputerHasNoCardLeft(Game& g) {
    AnnounceResult(g, "Комп выиграл");
    g.screen.SetPicture(kComputerFanSlot, kFanHolder1);
    ComputerWon(g);
    throw GameOver();
}

// =================================================================================
// ShowResults: the result so far and the statistics of the game.
void ShowResults(Game& g) {
    StepScope step(g);
    g.screen.ShowWindow();
    EndOfGameTests(g, AfterResult::Nothing);
    ShowComputerCount(g);
    ShowStatistics(g);
    TurnComputerCardsUp(g);
    g.screen.ShowWindow();
}

// =================================================================================
// ComputerWon: the computer has no card left; its caller has said so on the status line.
void ComputerWon(Game& g) {
    StepScope step(g);
    ClearSlot(g.screen, kComputerFanSlot);
    g.text.PrintLine();
    ShowResults(g);
}

}  // namespace durak
