// The bottom seat covers the computer's card: a higher card of the same suit, or else
// any trump. A covering card goes over the computer's card in the current pair and the
// computer may then add; a card that does not cover stays in the hand. Between two
// computers the bottom seat draws hand slots blindly and tries again a limited number
// of times. This step is also the way into the computer's attack at the start of a
// round.

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "seats/player_rules.h"
#include "seats/table_rules.h"

namespace durak {

namespace {

// The card covers: it leaves the hand and becomes the player's cover.
void TakeCover(Game& g, int c) {
    g.playerDefenceCard = static_cast<Field>(c);
    g.playerHand[g.selectedSlot] = kNoCard;
    ClearSlot(g.screen, HandSlotControl(g.selectedSlot));
}

// The card taken out of the hand goes back into its slot: it has not covered.
void ReturnCover(Game& g, int slot, Field coverBefore) {
    g.playerHand[slot] = g.playerDefenceCard;
    ShowCard(g.screen, HandSlotControl(slot), g.playerDefenceCard);
    g.playerDefenceCard = coverBefore;
    g.defenceCard = g.playerDefenceCard;
}

}  // namespace

// ---------------------------------------------------------------------------------
// CoversBySuit: a higher card of the suit being attacked (attackSuitNumber, which the
// move reads off the computer's latest card before it tests).
// ---------------------------------------------------------------------------------
bool CoversBySuit(const GameState& s, int c) {
    const int suit = s.attackSuitNumber;
    return c != kNoCard && suit >= 1 && suit <= kSuitNumbers && s.computerAttackCard < c &&
           c < SuitUpperBound(suit);
}

// ---------------------------------------------------------------------------------
// CoversByTrump: a trump; any trump covers, also a lower one. A card never covers
// itself: after the player has taken the computer's card it may be in the hand while
// computerAttackCard still names it, and covering it with itself would put the one card
// on the table twice.
// ---------------------------------------------------------------------------------
bool CoversByTrump(const GameState& s, int c) {
    return c != kNoCard && c != s.computerAttackCard && IsTrump(c, s.trumpCard);
}

// ---------------------------------------------------------------------------------
// CoverSuitTest, CoverTrumpTest: the selected card covers so, and leaves the hand.
// ---------------------------------------------------------------------------------
bool CoverSuitTest(Game& g) {
    const int c = PlayerCardIn(g, g.selectedSlot);
    if (!CoversBySuit(g, c)) return false;
    TakeCover(g, c);
    return true;
}

bool CoverTrumpTest(Game& g) {
    const int c = PlayerCardIn(g, g.selectedSlot);
    if (!CoversByTrump(g, c)) return false;
    TakeCover(g, c);
    return true;
}

// ---------------------------------------------------------------------------------
// WhyRefused: the tests of the player's two moves, asked in the order the moves ask
// them, without moving a card.
// ---------------------------------------------------------------------------------
Refusal WhyRefused(const GameState& s, int slot) {
    const int c = PlayerCardIn(s, slot);
    if (c == kNoCard || s.computerCardCount == 0) return Refusal::None;
    if (s.playerRole == kPlayerAttacks) {
        if (MayPutDown(s, c)) return Refusal::None;
        return AttackPlaceLeft(s.tablePlayerAttack, s.playerAttackPair) ? Refusal::RankNotOnTable
                                                                        : Refusal::TableFull;
    }
    if (s.playerRole != kPlayerDefends || s.attackPhase == kNothingToCover) return Refusal::None;
    GameState asked = s;  // the suit attacked, as the move reads it before its tests
    if (SuitOf(s.computerAttackCard) >= 0)
        asked.attackSuitNumber = static_cast<Field>(SuitNumberOf(s.computerAttackCard));
    // A trump is tried only while no cover is held from an earlier move, as in the move.
    const bool trump = s.playerDefenceCard == 0 && CoversByTrump(asked, c);
    if (!CoversBySuit(asked, c) && !trump) return Refusal::DoesNotCover;
    return s.playerDefencePair >= 1 && s.playerDefencePair <= kPairs ? Refusal::None : Refusal::NoPlaceForCover;
}

// ---------------------------------------------------------------------------------
// LayPlayerCover: one placement for every cover of the player. The covers fill the pairs
// in order from a row that every round end empties, and after the sixth cover the cursor
// stands past the table (7): a further cover has no place and goes back into its slot,
// so no cover ever pushes the one of pair 1 off the table.
// ---------------------------------------------------------------------------------
bool LayPlayerCover(Game& g, int takenFrom, Field coverBefore) {
    // A cover left from an earlier move counts as found, but it already lies on the table
    // or went with the beaten cards: it is not put down a second time.
    if (takenFrom == 0) return false;

    const int k = g.playerDefencePair;
    if (k < 1 || k > kPairs) {
        ReturnCover(g, takenFrom, coverBefore);
        return false;
    }
    ShowCard(g.screen, kPlayerDefencePlace[k], g.defenceCard);
    g.playerDefencePair = static_cast<Field>(k + 1);
    g.tablePlayerDefence[k] = g.defenceCard;
    // The next pair's entry is cleared of anything an earlier round could have left there.
    if (k < kPairs) g.tablePlayerDefence[k + 1] = kNoCard;
    TellCardDown(g, Seat::Player, Lay::Cover, g.defenceCard);
    return true;
}

// ---------------------------------------------------------------------------------
// PlayerDefend: the bottom seat answers the computer's card, then the computer goes on.
// ---------------------------------------------------------------------------------
void PlayerDefend(Game& g) {
    StepScope step(g);

    // The cover held before this move: 0, or one left from an earlier move.
    const Field coverBefore = g.playerDefenceCard;
    int takenFrom = 0;  // the hand slot a cover was taken from in this move

    // The automatic player's new draws start the move again from here.
    for (;;) {
        // The computer holds no card: it has won, and says so at every call.
        if (g.computerCardCount == 0) ComputerHasNoCardLeft(g);

        // Nothing waits to be covered: the computer leads or adds at once.
        if (g.attackPhase == kNothingToCover) {
            ComputerAttack(g);
            return;
        }

        // A card in no suit leaves the suit of the computer's earlier card in place.
        if (SuitOf(g.computerAttackCard) >= 0)
            g.attackSuitNumber = static_cast<Field>(SuitNumberOf(g.computerAttackCard));

        // The automatic player picks blindly: 0..11, so slot 12 is never drawn and 0
        // names no slot.
        if (g.playMode == kPlayModeTwoComputers) {
            g.random.Reseed();
            g.selectedSlot = static_cast<Field>(RandomBelow(g.random, kAutoSlotDrawRange));
        }

        if (CoverSuitTest(g)) takenFrom = g.selectedSlot;

        if (g.playerDefenceCard == 0 && g.playMode == kPlayModeTwoComputers &&
            g.autoDefendTries <= kAutoDefendRedrawLimit) {
            ++g.autoDefendTries;
            continue;
        }
        break;
    }

    // A trump is tried only when no card of the suit covered (between two computers
    // only on the last slot drawn).
    if (g.playerDefenceCard == 0 && CoverTrumpTest(g)) takenFrom = g.selectedSlot;

    g.defenceCard = g.playerDefenceCard;
    if (g.defenceCard == 0) return;  // nothing covers: the hand and the table stay
    if (!LayPlayerCover(g, takenFrom, coverBefore)) return;

    // The computer's card is covered; the computer may add while the player still
    // holds a card to answer it with.
    g.computerAttackCard = kNoCard;
    if (!g.playerHand.AllZero()) g.attackPhase = kNothingToCover;
    g.text.PrintLine();
    ComputerAttack(g);
}

}  // namespace durak
