// The computer covers the player's attack card.
//
// One covering pass picks a card by a fixed slot scan (the first higher card of the
// attack suit, else the first trump; computer_choice.cpp) and lays it beside the attack
// card. The pass runs three times in a chain: the first pass still sees the cover of the
// previous pair in defenceCard and so cannot reach for a trump; it recognises that old
// cover at the table and clears it, and the second pass then chooses again with the
// trump scan. The third pass carries what happens next: the player's next click, the
// computer taking, or between two computers a pause and the automatic player's next card.

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "flow/pauses.h"
#include "seats/computer_choice.h"

namespace durak {

namespace {

// How one pass left its choice and placement.
enum class PassEnd {
    Counted,       // the hand was counted: the normal end of a pass
    Cleared,       // the card equals the previous pair's cover: cleared, not counted
    NoAttackCard,  // there is nothing to cover
};

// --- Placement ---------------------------------------------------------------------

// The pair whose covering place comes next: from the pair cursor on, filled pairs 1..5
// are stepped over; pair 6 takes the card whatever it holds. 0 when the cursor is past
// the sixth pair.
int NextCoverPair(const Game& g) {
    int p = g.computerDefencePair;
    if (p < 1) return 0;
    while (p < kPairs && g.tableComputerDefence[p] != 0) ++p;
    return p <= kPairs ? p : 0;
}

// The pair of the card being covered, when it lies on the table; 0 otherwise.
int PairOfAttackCard(const Game& g) {
    for (int k = 1; k <= kPairs; ++k)
        if (g.tablePlayerAttack[k] == g.playerAttackCard) return k;
    return 0;
}

// Lay defenceCard into the next covering place. A card equal to the cover of the
// previous pair is that old cover still held in defenceCard: it is cleared instead of
// placed. The cover always lies beside the card it beats: after a card the computer
// could not cover, the cursor lags behind the attack, and the next cover would land in
// the column of the uncovered card. Returns false when the card was cleared.
bool PlaceCover(Game& g, int pass, int takenFrom, int coverBefore) {
    int k = NextCoverPair(g);
    const int own = PairOfAttackCard(g);
    if (k != 0 && own != 0) k = own;
    // Six pairs are covered, or the card's own place already holds a cover: there is no
    // place for this one. The card just chosen goes back where it came from, so no card
    // ever leaves the game here.
    if (k == 0 || (k == own && g.tableComputerDefence[k] != 0)) {
        if (takenFrom != 0) {
            g.computerHand[takenFrom] = g.defenceCard;
            g.defenceCard = static_cast<Field>(coverBefore);
        }
        return true;
    }
    if (k > 1 && g.tableComputerDefence[k - 1] == g.defenceCard) {
        g.defenceCard = 0;
        return false;
    }
    ShowCard(g.screen, kComputerDefencePlace[k], g.defenceCard);
    g.tableComputerDefence[k] = g.defenceCard;
    TellCardDown(g, Seat::Computer, Lay::Cover, g.defenceCard);
    g.computerDefencePair = static_cast<Field>(pass == kCoveringPasses ? k + 1 : k);
    return true;
}

// Steps 2 to 5 of a pass: choose, place and count.
PassEnd ChooseAndPlace(Game& g, int pass) {
    if (g.playerAttackCard <= 0) return PassEnd::NoAttackCard;

    if (SuitOf(g.playerAttackCard) >= 0) {
        const int coverBefore = g.defenceCard;
        const int takenFrom = CoverSlot(g);
        if (takenFrom != 0) {
            g.defenceCard = g.computerHand[takenFrom];
            g.computerHand[takenFrom] = 0;
        }
        // Found nothing: defenceCard keeps what it held, 0 or the previous pair's cover,
        // which the placement recognises and clears so that the next pass chooses again.
        if (!PlaceCover(g, pass, takenFrom, coverBefore)) return PassEnd::Cleared;
    }
    return PassEnd::Counted;
}

// The computer's card count and its fan (a count of 0 keeps the fan as it is).
void CountHand(Game& g) {
    g.computerCardCount = static_cast<Field>(g.computerHand.CountNonZero());
    ShowFan(g.screen, g.computerCardCount);
}

// --- Continuation --------------------------------------------------------------------

// The lines a covering move ends with at the human's table.
void PrintClosingLines(Game& g) {
    g.text.PrintLine();
    g.text.PrintLine();
    MoveTextPen(g, kComputerLine);
    g.text.PrintLine();
}

// After the third pass: what follows the computer's cover (or its failure to cover).
void Continue(Game& g) {
    if (g.playMode == kPlayModeTwoComputers) {
        // Let the watcher see the cover, then the automatic player adds again, until
        // the continuation counter forces the round to end.
        g.screen.ShowWindow();
        g.text.PrintEmptyLines(kLongLoop);
        g.pauses.Wait(DefendContinuationPause(g.delayFactor));
        g.scratch = kShortWaitEnd;
        if (g.autoContinueCount <= kAutoContinueLimit) {
            ++g.autoContinueCount;
            PlayerAttack(g);
        } else {
            g.autoContinueCount = 0;
            EndRound(g);
        }
        return;
    }

    // Nothing covers: the computer takes at once.
    if (g.defenceCard == 0) EndRound(g);
    // Covered: the attack card is answered, so the button declares the table beaten.
    if (g.defenceCard > 0) g.playerAttackCard = 0;
    PrintClosingLines(g);
}

// --- The covering pass ---------------------------------------------------------------

// One covering pass; pass 1 runs pass 2, pass 2 runs pass 3, the last pass continues.
void DefendPass(Game& g, int pass) {
    StepScope step(g);

    PassEnd end = PassEnd::Counted;
    if (pass == 1) {
        g.text.PrintLine({kDefenceStartMark});
        end = ChooseAndPlace(g, pass);
    } else if (g.defenceCard <= 0) {
        end = ChooseAndPlace(g, pass);
    }
    if (end == PassEnd::Counted) CountHand(g);

    if (pass == kCoveringPasses) {
        // Without an attack card only the closing lines are printed, in either mode.
        if (end == PassEnd::NoAttackCard) {
            PrintClosingLines(g);
        } else {
            Continue(g);
        }
        return;
    }

    g.text.PrintLine();
    if (!(end == PassEnd::NoAttackCard && g.defenceCard == 0)) g.text.PrintLine();
    DefendPass(g, pass + 1);
}

}  // namespace

// The computer covers playerAttackCard: three chained passes, then the pen goes back
// to the computer's line.
void ComputerDefend(Game& g) {
    StepScope step(g);
    DefendPass(g, 1);
    MoveTextPen(g, kComputerLine);
    g.text.PrintLine();
}

}  // namespace durak
