// The end of a round: the action button, and every other way a round ends.
//
// From the state alone the round end finds out what happened (the computer took, the
// computer covered everything, the player took, the player covered everything, or
// nothing at all), says so on the status line, moves the table into the hand that takes
// it, counts the outcome and passes the turn. Then it refills both hands from the stock,
// which starts the next round, and finally looks whether the game is over.

#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "flow/take_steps.h"
#include "flow/pauses.h"

namespace durak {

namespace {

// ---------------------------------------------------------------------------------
// A watcher hears which cards of the table rows `attack` and `cover` the take steps
// `take` carry into `seat`'s hand, as the take is announced: the steps are tried on a
// copy of the state (what no slot could hold stays on the table and is not among them).
void TellTake(const Game& g, Seat seat, void (*take)(GameState&), OneBased<kPairs> GameState::*attack,
              OneBased<kPairs> GameState::*cover) {
    if (!g.watcher) return;
    GameState after = g;
    take(after);
    std::vector<int> cards;
    for (int k = 1; k <= kPairs; ++k) {
        if ((g.*attack)[k] != 0 && (after.*attack)[k] == 0) cards.push_back((g.*attack)[k]);
        if ((g.*cover)[k] != 0 && (after.*cover)[k] == 0) cards.push_back((g.*cover)[k]);
    }
    if (!cards.empty()) g.watcher->Took(g, seat, cards);
}

// ---------------------------------------------------------------------------------
// The computer could not cover the player's latest card: it takes the table.
void ComputerTakes(Game& g) {
    g.text.PrintStatus("Комп взял..");
    TellTake(g, Seat::Computer, ComputerTakesTable, &GameState::tablePlayerAttack,
             &GameState::tableComputerDefence);
    ++g.computerTookCount;
    g.playerRole = kPlayerAttacks;
    // The message and the full table stay in view before the cards go.
    g.pauses.Wait(ComputerTookPause());
    g.scratch = kLongWaitEnd;
    ComputerTakesTable(g);
    // A hand with all sixteen slots taken leaves the rest on the table: it goes.
    ClearOverflowRows(g, g.tablePlayerAttack, g.tableComputerDefence);
    // The uncovered card is in the computer's hand now. Left here it would make a
    // second press of the button count a second take of a card no longer on the table.
    g.playerAttackCard = 0;
}

// ---------------------------------------------------------------------------------
// The computer covered every card of the player's attack: the covered pairs leave the
// game and the computer leads the next round.
void ComputerCovered(Game& g) {
    ClearBeatenRows(g, g.tablePlayerAttack, g.tableComputerDefence);
    g.text.PrintStatus("Комп ходит...");
    ++g.computerDefendedCount;
    g.playerRole = kPlayerDefends;
}

// ---------------------------------------------------------------------------------
// The player took: the table goes into the player's hand (in the take steps that
// follow) and the computer leads again.
void PlayerTakes(Game& g, const char* message) {
    g.text.PrintStatus(message);
    g.attackPhase = kNothingToCover;
    ++g.playerTookCount;
}

// The player covered every card of the computer's attack: the pairs leave the game and
// the player leads the next round.
void PlayerCovered(Game& g, const char* message) {
    g.text.PrintStatus(message);
    ClearBeatenRows(g, g.tableComputerAttack, g.tablePlayerDefence);
    g.playerRole = kPlayerAttacks;
    ++g.playerDefendedCount;
}

// The outcomes of the computer's attack, read off its latest card and the player's
// latest cover. Nothing applies while the player is the attacker. A card of the
// computer's still lying uncovered on the table is never beaten: whatever the latest
// cards say, the player takes it.
void PlayerOutcome(Game& g) {
    if (g.playerRole != kPlayerDefends) return;
    const bool attackOpen = g.computerAttackCard > 0;
    const bool covered = g.playerDefenceCard > 0;
    const bool pairOpen = AnyAttackUncovered(g.tableComputerAttack, g.tablePlayerDefence);
    if (covered && pairOpen) {
        PlayerTakes(g, "Мы взяли...");
    } else if (attackOpen && !covered) {
        PlayerTakes(g, "Мы взяли...");
    } else if (!attackOpen && covered) {
        // The computer added nothing after the player's last cover.
        PlayerCovered(g, "Мы отбидись...");
    } else if (attackOpen && covered) {
        PlayerCovered(g, "Мы отбились...");
    } else {
        // Neither a card waiting nor a cover: counted as the player's take.
        PlayerTakes(g, "Наше...");
    }
}

// ---------------------------------------------------------------------------------
// Every hand slot shows what it holds. The take steps and the close-up have just filled
// some of them; a slot left empty shows blank.
void ShowPlayerHand(Game& g) {
    for (int slot = 1; slot <= kPlayerHandSlots; ++slot)
        ShowCardOrBlank(g.screen, HandSlotControl(slot), g.playerHand[slot]);
}

// ---------------------------------------------------------------------------------
// A hand whose every slot is taken cannot hold the rest of the table: those cards leave
// play with the cleared table, as beaten cards do, instead of lingering unseen in the
// table rows where the next round's cards would overwrite them.
void ClearWhatNoHandHolds(Game& g) {
    ClearOverflowRows(g, g.tableComputerAttack, g.tablePlayerDefence);
}

}  // namespace

// =================================================================================
// EndRound: what the action button does, and how every other round ends.
void EndRound(Game& g) {
    StepScope step(g);

    g.text.ClearText();

    // The human has just covered: the full table stays in view for a moment, no text.
    if (g.playMode == kPlayModeHuman && g.playerRole == kPlayerDefends && g.playerDefenceCard > 0) {
        g.pauses.Wait(PlayerCoveredPause());
        g.scratch = kLongWaitEnd;
    }
    // Between two computers every round end starts with a short wait.
    if (g.playMode == kPlayModeTwoComputers) {
        g.pauses.Wait(TwoComputerRoundEndPause());
        g.scratch = kShortWaitEnd;
    }

    // The computer takes when its latest cover is missing, and also whenever any card of
    // the player's attack still lies uncovered: such a card is never beaten.
    const bool latestOpen = g.defenceCard == 0 && g.playerAttackCard > 0;
    const bool pairOpen = AnyAttackUncovered(g.tablePlayerAttack, g.tableComputerDefence);
    const bool computerTakes = g.playerRole == kPlayerAttacks && (latestOpen || pairOpen);
    if (computerTakes) ComputerTakes(g);

    ClearTablePlaces(g.screen);
    g.playerAttackPair = 1;
    g.computerDefencePair = 1;

    // After the computer's take the round goes straight on to the player's take steps.
    if (!computerTakes) {
        if (g.playerRole == kPlayerAttacks && g.defenceCard > 0 && g.playerAttackCard == 0)
            ComputerCovered(g);
        else
            PlayerOutcome(g);
    }

    // Whatever the outcome: the player's take steps (with an empty table of the
    // computer's attack only the close-up moves anything), and the hand on screen.
    TellTake(g, Seat::Player, PlayerTakesTable, &GameState::tableComputerAttack,
             &GameState::tablePlayerDefence);
    PlayerTakesTable(g);
    ClearWhatNoHandHolds(g);
    ShowPlayerHand(g);

    g.computerCardCount = static_cast<Field>(g.computerHand.CountNonZero());
    ShowFan(g.screen, g.computerCardCount);

    // The refill starts the next round inside this call; the tests below see the state
    // that play has left (play that decided the game has ended the chain already).
    if (g.computerCardCount > 0) RefillFromStock(g);

    EndOfGameTests(g, AfterResult::ShowAndStop);
}

}  // namespace durak
