// The computer attacks: it leads a round, adds cards of the rank of the player's
// latest cover, and after each of its cards hands the move to the player's reply.
//
// Which card it leads or adds is chosen in computer_choice.cpp; here the card leaves the
// hand, goes onto the table and the move goes on. The lead's random start suit is drawn
// here, before the choice. A round holds six pairs: with six attack cards on the table
// the computer adds nothing more.

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "flow/pauses.h"
#include "seats/computer_choice.h"
#include "seats/table_rules.h"

namespace durak {

namespace {

// --- Choice ------------------------------------------------------------------------

// The pair the computer's next card goes to: a cursor of 1 or less names pair 1, and
// makes the choice a lead.
int NextAttackPair(const GameState& s) { return s.computerAttackPair < 1 ? 1 : s.computerAttackPair; }

// Take the card of a hand slot as the computer's card.
void TakeFromSlot(Game& g, int slot) {
    g.computerAttackCard = g.computerHand[slot];
    g.computerHand[slot] = 0;
}

// The lead's hand slot. The trump suit is read off the trump card first; the random
// start suit is drawn only when the hand holds a card outside it (0 is drawn again).
int ChooseLead(Game& g) {
    if (IsCard(g.trumpCard)) g.trumpSuitIcon = static_cast<Field>(SuitNumberOf(g.trumpCard));
    if (LeadNeedsStartSuit(g)) {
        do {
            g.random.Reseed();
            g.leadStartSuit = static_cast<Field>(RandomBelow(g.random, kStartSuitDrawRange));
        } while (g.leadStartSuit == 0);
    }
    return LeadSlot(g, g.leadStartSuit);
}

// The computer's card for this move, in computerAttackCard: a lead on an empty table,
// else an addition; a choice that finds nothing is tried once more. Returns true when a
// card has just left the hand and is to be laid on the table.
bool ChooseAttackCard(Game& g) {
    g.attackRetried = 0;
    if (!AttackPlaceLeft(g.tableComputerAttack, NextAttackPair(g))) {
        g.computerAttackCard = 0;  // six pairs: the computer adds nothing
        return false;
    }
    // An old card counts as chosen only while it still lies on the table: once the
    // player has taken it, placing it again would put one card in two places. At a lead
    // the row is empty, so a lead that finds nothing plays nothing, never a card of an
    // earlier round.
    if (!g.tableComputerAttack.Contains(g.computerAttackCard)) g.computerAttackCard = 0;
    for (;;) {
        const int slot = NextAttackPair(g) == 1 ? ChooseLead(g) : AdditionSlot(g);
        if (slot != 0) TakeFromSlot(g, slot);  // with no cover to match, an empty slot: no card
        // An addition that finds nothing leaves computerAttackCard as it is. The
        // computer's latest card, still lying on the table, then counts as its card for
        // this move: there is no second try, the player answers that card again, and it
        // is not laid on the table a second time.
        if (slot == 0 && g.computerAttackCard != 0) return false;
        if (g.computerAttackCard != 0) return true;
        if (g.attackRetried != 0) return false;
        g.attackRetried = 1;
    }
}

// --- Placement ---------------------------------------------------------------------

// Put the card just chosen into the next attack place; the first card of a round is also
// printed as a number where the pen stands. After pair 6 the cursor goes to `afterSix`.
void PlaceAttackCard(Game& g, int afterSix) {
    const int k = NextAttackPair(g);
    if (k > kPairs) return;  // the choice gives no card when no place is left
    if (k == 1) g.text.PrintLine({g.computerAttackCard});
    ShowCard(g.screen, kComputerAttackPlace[k], g.computerAttackCard);
    g.tableComputerAttack[k] = g.computerAttackCard;
    g.computerAttackPair = static_cast<Field>(k == kPairs ? afterSix : k + 1);
    TellCardDown(g, Seat::Computer, k == 1 ? Lay::Lead : Lay::Add, g.computerAttackCard);
}

// --- The follow-up's covering check ----------------------------------------------------

// Once more the selected hand card is tried against the computer's card. Returns true
// when a cover was laid and the computer may add a card; false when the move goes
// straight on to the player's reply.
bool CoverCheckAgain(Game& g) {
    const int suit = SuitNumberOf(g.computerAttackCard);
    if (suit > 0) g.attackSuitNumber = static_cast<Field>(suit);

    const Field coverBefore = g.playerDefenceCard;
    bool taken = CoverSuitTest(g);
    if (g.playerDefenceCard == 0) taken = CoverTrumpTest(g);

    g.defenceCard = g.playerDefenceCard;
    if (g.playerDefenceCard == 0) return false;
    if (!LayPlayerCover(g, taken ? g.selectedSlot : 0, coverBefore)) return false;

    if (!g.playerHand.AllZero()) g.attackPhase = kNothingToCover;
    g.text.PrintLine();
    g.playerAttackCard = 0;
    return true;
}

// --- End of the follow-up ----------------------------------------------------------------

// The two-computer wait after the automatic player's reply.
void FollowUpWait(Game& g) {
    // The pen goes to (50, 50) and one empty line is printed, over and over: the same
    // as doing it once.
    MoveTextPen(g, kFollowUpWaitPen);
    g.text.PrintLine();
    g.pauses.Wait(FollowUpPause(g.delayFactor));
    g.scratch = kShortWaitEnd;
}

// No card: the round ends. A card: the player answers it; between two computers the
// automatic player gets renewed replies until the counter forces the round to end.
void EndOfMove(Game& g) {
    if (g.computerAttackCard == 0) {
        MoveTextPen(g, kComputerLine);
        g.text.PrintLine({"Комп не пошел"});
        EndRound(g);
    }
    if (g.computerAttackCard > 0) {
        g.attackPhase = kComputerCardDown;
        g.playerDefenceCard = 0;
    }
    MoveTextPen(g, kMoveEndPen);

    ++g.autoDefendTries;
    if (g.autoDefendTries <= kDefendTriesLimit) PlayerDefend(g);
    g.screen.ShowWindow();
    if (g.playMode != kPlayModeTwoComputers) return;

    RenewedReply(g);
}

}  // namespace

// Between two computers, after the automatic player's reply: a wait, then the reply
// once more, until the renewed replies are used up and the round is ended.
void RenewedReply(Game& g) {
    FollowUpWait(g);
    g.autoDefendTries = 0;
    if (g.autoReplyCount < kRenewedRepliesLimit) {
        ++g.autoReplyCount;
        PlayerDefend(g);
    }
    if (g.autoReplyCount >= kRenewedRepliesLimit) {
        g.autoReplyCount = 0;
        EndRound(g);
    }
}

// The computer leads or adds a card; with no card to play the round ends.
void ComputerAttack(Game& g) {
    StepScope step(g);

    g.playerAttackCard = 0;
    if (g.playerRole == kPlayerAttacks) return;

    if (ChooseAttackCard(g)) PlaceAttackCard(g, kPairs + 1);
    if (g.computerAttackCard == 0) EndRound(g);
    if (g.computerAttackCard > 0) g.attackPhase = kComputerCardDown;
    ComputerFollowUp(g);
}

// What follows each card of the computer: the emptied hand slots are blanked, the
// selected card is tried once more, after such a cover the computer may add again, and
// then the player replies.
void ComputerFollowUp(Game& g) {
    StepScope step(g);

    for (int s = 1; s <= kPlayerHandSlots; ++s)
        if (g.playerHand[s] == 0) ClearSlot(g.screen, HandSlotControl(s));

    // The round has already ended inside this move (the turn has passed to the
    // player): nothing is left to cover or to add, and the round is not ended twice. The
    // covering check is not made either: it would lay a cover of the finished round, or
    // a card of the player's hand, onto the table again.
    if (g.playerRole == kPlayerAttacks) return;

    bool mayAdd = true;
    if (g.attackPhase != kNothingToCover) mayAdd = CoverCheckAgain(g);
    if (mayAdd && ChooseAttackCard(g)) PlaceAttackCard(g, 1);
    EndOfMove(g);
}

}  // namespace durak
