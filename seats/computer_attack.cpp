// The computer attacks: it leads a round, adds cards of the rank of the player's
// latest cover, and after each of its cards hands the move to the player's reply.
//
// The lead draws a random start suit and takes the first card of that suit or a later
// one in hand-slot order, never a trump while it holds anything else. An addition takes
// the first card of the cover's rank, trumps included. A round holds six pairs: with
// six attack cards on the table the computer adds nothing more.

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "flow/pauses.h"

namespace durak {

namespace {

// How many times the follow-up lets the player's reply run within one run of moves,
// and how many renewed replies between two computers come before a forced round end.
constexpr int kDefendTriesLimit = 26;
constexpr int kRenewedRepliesLimit = 8;

// --- Choice ------------------------------------------------------------------------

// A free attack place is left this round: fewer than six attack cards lie on the
// table and the pair cursor names one of the six places.
bool AttackPlaceLeft(const GameState& s) {
    return s.tableComputerAttack.CountNonZero() < 6 && s.computerAttackPair <= 6;
}

// Take the card of a hand slot as the computer's card.
void TakeFromSlot(Game& g, int slot) {
    g.computerAttackCard = g.computerHand[slot];
    g.computerHand[slot] = 0;
}

// The lead: the first card of the start suit or a later one, skipping trumps.
void ChooseLead(Game& g) {
    // Nothing of the previous round is led again, e.g. the card the player just took.
    g.computerAttackCard = 0;

    if (IsCard(g.trumpCard)) g.trumpSuitIcon = static_cast<Field>(SuitNumberOf(g.trumpCard));
    const int trumps = g.trumpSuitIcon - 1;  // -1 when no suit is the trump suit

    // With nothing but trumps in hand the lead takes the first trump: a lead that
    // skipped trumps would find nothing, and the rounds would repeat without end.
    bool onlyTrumps = true;
    for (int slot = 1; slot <= 16; ++slot) {
        const int c = g.computerHand[slot];
        if (c != 0 && !InSuit(c, trumps)) onlyTrumps = false;
    }
    if (onlyTrumps) {
        for (int slot = 1; slot <= 16; ++slot) {
            if (InSuit(g.computerHand[slot], trumps)) {
                TakeFromSlot(g, slot);
                return;
            }
        }
        return;
    }

    do {
        g.random.Reseed();
        g.leadStartSuit = static_cast<Field>(RandomBelow(g.random, 5));
    } while (g.leadStartSuit == 0);

    for (int n = g.leadStartSuit; n <= 4; ++n) {
        if (n == g.trumpSuitIcon) continue;
        for (int slot = 1; slot <= 16; ++slot) {
            if (InSuit(g.computerHand[slot], n - 1)) {
                TakeFromSlot(g, slot);
                return;
            }
        }
    }
}

// First slot whose value equals the cover or has its rank; 0 when none. An empty slot
// equals a cover of 0, so with no cover the scan stops at the first empty slot.
int SlotOfRank(const GameState& s, int cover) {
    for (int slot = 1; slot <= 16; ++slot) {
        const int c = s.computerHand[slot];
        if (c == cover || SameRank(c, cover)) return slot;
    }
    return 0;
}

// The addition: a card of the rank of the latest cover, trumps included.
void ChooseAddition(Game& g) {
    // A player who has shed every card is attacked no more: with the player's hand empty
    // the addition finds nothing, as when the computer holds no card of the cover's rank.
    // The round then ends as covered, and with the stock used up the player has won.
    if (g.playerHand.AllZero()) return;
    int slot = SlotOfRank(g, g.defenceCard);
    if (slot == 0) slot = SlotOfRank(g, g.playerDefenceCard);
    if (slot != 0) TakeFromSlot(g, slot);
}

// The computer's card: a lead on an empty table, else an addition; tried twice. An
// addition that finds nothing leaves computerAttackCard as it was: its old card, already
// on the table, then counts as chosen and is not placed again.
void ChooseAttackCard(Game& g) {
    g.attackRetried = 0;
    if (!AttackPlaceLeft(g)) {
        g.computerAttackCard = 0;  // six pairs: the computer adds nothing
        return;
    }
    // An old card counts as chosen only while it still lies on the table: once the
    // player has taken it, placing it again would put one card in two places.
    if (!g.tableComputerAttack.Contains(g.computerAttackCard)) g.computerAttackCard = 0;
    for (;;) {
        if (g.computerAttackPair <= 1) {
            ChooseLead(g);
        } else {
            ChooseAddition(g);
        }
        if (g.computerAttackCard != 0 || g.attackRetried != 0) return;
        g.attackRetried = 1;
    }
}

// --- Placement ---------------------------------------------------------------------

// Put computerAttackCard into the next attack place. The lead is also printed as a
// number. A card equal to the previous pair's card is the old card already lying there.
// After pair 6 the cursor goes to `afterSix`.
void PlaceAttackCard(Game& g, int afterSix) {
    if (g.computerAttackCard == 0) return;
    const int k = g.computerAttackPair;
    if (k <= 1) {
        g.text.PrintLine({g.computerAttackCard});
        ShowCard(g.screen, kComputerAttackPlace[1], g.computerAttackCard);
        g.tableComputerAttack[1] = g.computerAttackCard;
        g.computerAttackPair = 2;
        TellCardDown(g, Seat::Computer, Lay::Lead, g.computerAttackCard);
        return;
    }
    if (k > 6) return;  // the choice gives no card when no place is left
    if (g.tableComputerAttack[k - 1] == g.computerAttackCard) return;
    ShowCard(g.screen, kComputerAttackPlace[k], g.computerAttackCard);
    g.tableComputerAttack[k] = g.computerAttackCard;
    g.computerAttackPair = static_cast<Field>(k == 6 ? afterSix : k + 1);
    TellCardDown(g, Seat::Computer, Lay::Add, g.computerAttackCard);
}

// --- The follow-up's covering check ----------------------------------------------------

// Put the player's cover, just taken from the selected slot, into the next covering place. Returns false
// when nothing is placed: the cover equals the previous pair's one, or no covering place
// is left (the card then goes back into the hand slot it came from).
bool PlacePlayerCover(Game& g, int coverBefore) {
    const int k = g.playerDefencePair;
    if (k < 1 || k > 6) {
        const int slot = g.selectedSlot;
        g.playerHand[slot] = g.playerDefenceCard;
        ShowCard(g.screen, HandSlotControl(slot), g.playerDefenceCard);
        g.playerDefenceCard = static_cast<Field>(coverBefore);
        g.defenceCard = g.playerDefenceCard;
        return false;
    }
    if (k >= 2 && g.tablePlayerDefence[k - 1] == g.playerDefenceCard) return false;
    ShowCard(g.screen, kPlayerDefencePlace[k], g.defenceCard);
    g.tablePlayerDefence[k] = g.defenceCard;
    g.playerDefencePair = static_cast<Field>(k == 6 ? 1 : k + 1);
    TellCardDown(g, Seat::Player, Lay::Cover, g.defenceCard);
    return true;
}

// Once more the selected hand card is tried against the computer's card. Returns true
// when a cover was laid and the computer may add a card; false when the move goes
// straight on to the player's reply.
bool CoverCheckAgain(Game& g) {
    const int suit = SuitNumberOf(g.computerAttackCard);
    if (suit > 0) g.attackSuitNumber = static_cast<Field>(suit);

    const int coverBefore = g.playerDefenceCard;
    bool taken = CoverSuitTest(g);
    if (g.playerDefenceCard == 0) taken = CoverTrumpTest(g);

    g.defenceCard = g.playerDefenceCard;
    if (g.playerDefenceCard == 0) return false;
    // A cover left from an earlier move already lay on the table (it may be beaten or in
    // the hand by now): it is not put down a second time, as after a cover already placed.
    if (!taken) return false;
    if (!PlacePlayerCover(g, coverBefore)) return false;

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
    g.text.MoveTextPen(50, 50);
    g.text.PrintLine();
    g.pauses.Wait(FollowUpPause(g.delayFactor));
    g.scratch = kShortWaitEnd;
}

// No card: the round ends. A card: the player answers it; between two computers the
// automatic player gets renewed replies until the counter forces the round to end.
void EndOfMove(Game& g) {
    if (g.computerAttackCard == 0) {
        g.text.MoveTextPen(50, 500);
        g.text.PrintLine({"Комп не пошел"});
        EndRound(g);
    }
    if (g.computerAttackCard > 0) {
        g.attackPhase = kComputerCardDown;
        g.playerDefenceCard = 0;
    }
    g.text.MoveTextPen(50, 170);

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

    ChooseAttackCard(g);
    PlaceAttackCard(g, 7);
    if (g.computerAttackCard == 0) EndRound(g);
    if (g.computerAttackCard > 0) g.attackPhase = kComputerCardDown;
    ComputerFollowUp(g);
}

// What follows each card of the computer: the emptied hand slots are blanked, the
// selected card is tried once more, after such a cover the computer may add again, and
// then the player replies.
void ComputerFollowUp(Game& g) {
    StepScope step(g);

    for (int s = 1; s <= 12; ++s)
        if (g.playerHand[s] == 0) ClearSlot(g.screen, HandSlotControl(s));

    // The round has already ended inside this move (the turn has passed to the
    // player): nothing is left to cover or to add, and the round is not ended twice. The
    // covering check is not made either: it would lay a cover of the finished round, or
    // a card of the player's hand, onto the table again.
    if (g.playerRole == kPlayerAttacks) return;

    bool mayAdd = true;
    if (g.attackPhase != kNothingToCover) mayAdd = CoverCheckAgain(g);
    if (mayAdd) {
        ChooseAttackCard(g);
        PlaceAttackCard(g, 1);
    }
    EndOfMove(g);
}

}  // namespace durak
