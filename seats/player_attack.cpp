// The bottom seat attacks: it leads the first card of a round or adds a card whose
// rank already lies on the table, and then lets the computer cover it. Between two
// computers the bottom seat picks its hand slot at random and ends the round after a
// pause when the slot gives it nothing to put down.

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"
#include "flow/pauses.h"
#include "seats/player_rules.h"
#include "seats/table_rules.h"

namespace durak {

// Any card may open a round; a card may be added when its rank lies on the table, among
// the attack cards or the computer's covers. Either needs a free place among the six
// pairs: a seventh card would push the card of pair 1 off the table, so it is refused
// like a card of the wrong rank.
bool MayPutDown(const GameState& s, int c) {
    if (!AttackPlaceLeft(s.tablePlayerAttack, s.playerAttackPair)) return false;
    const bool leading = s.tablePlayerAttack[1] == kNoCard;
    return leading || RankOnTable(c, s.tablePlayerAttack, s.tableComputerDefence);
}

namespace {

// The chosen card leaves the hand and becomes the card the computer has to cover.
void TakeFromHand(Game& g, int s, int c) {
    g.playerAttackCard = static_cast<Field>(c);
    g.playerHand[s] = kNoCard;
    ClearSlot(g.screen, HandSlotControl(s));
}

// The card goes into the next attack place; the pair cursor wraps after the sixth.
void PutDown(Game& g) {
    const int pair = g.playerAttackPair;
    ShowCard(g.screen, kPlayerAttackPlace[pair], g.playerAttackCard);
    g.tablePlayerAttack[pair] = g.playerAttackCard;
    g.playerAttackPair = static_cast<Field>(pair == kPairs ? 1 : pair + 1);
    TellCardDown(g, Seat::Player, pair == 1 ? Lay::Lead : Lay::Add, g.playerAttackCard);
}

// The automatic player has nothing more to put down: a pause so that the table can be
// followed, then the round ends.
void CloseAutomaticRound(Game& g) {
    g.pauses.Wait(AutoLeadClosingPause(g.delayFactor));
    g.scratch = kShortWaitEnd;
    g.playerAttackCard = kNoCard;
    EndRound(g);
}

}  // namespace

// ---------------------------------------------------------------------------------
// PlayerAttack: the bottom seat leads or adds one card.
// ---------------------------------------------------------------------------------
void PlayerAttack(Game& g) {
    StepScope step(g);
    const bool automatic = g.playMode == kPlayModeTwoComputers;

    g.text.ClearAndPrintStatus("Мы ходим");
    g.computerAttackCard = kNoCard;

    // The computer has shed all its cards: the game is over, nothing is played.
    if (g.computerCardCount == 0) {
        g.text.ClearText();
        g.text.MoveTextPen(TextLayer::kStatusLineX, TextLayer::kStatusLineY);
        ShowResults(g);
        throw GameOver();
    }

    // Which slot to play. The automatic player draws blindly among slots 1..11 (a draw
    // of 0 names no slot and is made again). A low shared counter left by the shuffle or
    // the stock makes it draw again, each time from the start of the move.
    bool emptyClick = false;
    if (automatic) {
        do {
            g.random.Reseed();
            g.selectedSlot = static_cast<Field>(RandomBelow(g.random, kAutoSlotDrawRange));
        } while (g.selectedSlot == 0);
        if (g.scratch < kAutoLeadRedrawsBelow) {
            ++g.scratch;
            PlayerAttack(g);
            return;
        }
        g.scratch = 0;
    } else {
        emptyClick = PlayerCardIn(g, g.selectedSlot) == kNoCard;
    }

    if (!emptyClick) {
        const int s = g.selectedSlot;
        const int c = PlayerCardIn(g, s);
        if (MayPutDown(g, c)) {
            TakeFromHand(g, s, c);
            PutDown(g);
        } else if (automatic) {
            CloseAutomaticRound(g);
            return;
        } else {
            return;  // refused: the card stays in the hand, nothing else happens
        }
    }

    // The human's card (or the card still standing after a click on an empty slot) is
    // the computer's to cover.
    if (!automatic) {
        ComputerDefend(g);
        return;
    }

    // The automatic player may have put down its last card: then it has won (the
    // computer holds cards here, so that is the only end these tests can find).
    EndOfGameTests(g, AfterResult::ShowAndStop);
    if (g.playerAttackCard > 0) {
        ComputerDefend(g);
        return;
    }
    // It led from an empty slot: nothing lies on the table, the round ends.
    g.text.PrintLine();
    CloseAutomaticRound(g);
}

}  // namespace durak
