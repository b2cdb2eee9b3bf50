// Drawing from the stock at the end of a round, and the start of the next one.
//
// There is no stock list: the stock is every card that seenCards does not hold. A draw
// picks a random picture number, and an unseen card goes into the first empty front
// slot, the player's slots 1..6 before the computer's 1..6. The trump card is among the
// seen cards from the deal on, so it is never drawn; once the stock is used up the trump
// slot shows the trump suit's icon instead.

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"

namespace durak {

namespace {

// ---------------------------------------------------------------------------------
// A random picture number naming a card: 0 and the blank pictures are drawn again at
// once and not counted. The raw number stays in scratch.
int DrawPictureNumber(Game& g) {
    for (;;) {
        const int n = RandomBelow(g.random, kStockDrawRange);
        g.scratch = static_cast<Field>(n);
        if (CardOfPictureIndex(n) != 0) return n;
    }
}

// ---------------------------------------------------------------------------------
// The drawn card goes into the first empty front slot, the player's before the
// computer's, and is recorded as seen. With all twelve front slots full it stays in
// the stock.
void PlaceDrawnCard(Game& g) {
    Seat seat = Seat::Player;
    if (const int slot = g.playerHand.FirstEmpty(1, kFrontSlots)) {
        g.playerHand[slot] = g.drawnCard;
    } else if (const int slotToo = g.computerHand.FirstEmpty(1, kFrontSlots)) {
        g.computerHand[slotToo] = g.drawnCard;
        seat = Seat::Computer;
    } else {
        return;
    }
    if (g.watcher) g.watcher->Drew(g, seat, g.drawnCard);
    ++g.dealtCount;
    if (const int entry = g.seenCards.FirstEmpty(kFirstDrawEntry, kDeckSize)) g.seenCards[entry] = g.drawnCard;
}

// ---------------------------------------------------------------------------------
// Every front slot of both hands holds a card, or every card has left the stock: no
// further draw can change anything.
bool NothingLeftToDraw(const GameState& s) {
    if (s.dealtCount >= kAllDrawn) return true;
    return s.playerHand.FirstEmpty(1, kFrontSlots) == 0 && s.computerHand.FirstEmpty(1, kFrontSlots) == 0;
}

// ---------------------------------------------------------------------------------
// At most kDrawAttemptLimit counted draws; a seen card is simply drawn again. The player's front
// slots are shown after every draw of an unseen card. Once nothing is left to draw the
// remaining draws would change nothing, so the loop ends there.
void DrawLoop(Game& g) {
    g.drawAttempts = 1;
    g.random.Reseed();
    while (!NothingLeftToDraw(g)) {
        const int n = DrawPictureNumber(g);
        if (g.drawAttempts > kDrawAttemptLimit) return;  // this last draw is dropped
        ++g.drawAttempts;
        g.drawnCard = CardOfPictureIndex(n);
        if (g.seenCards.Contains(g.drawnCard)) continue;
        PlaceDrawnCard(g);
        for (int k = 1; k <= kFrontSlots; ++k) ShowCard(g.screen, HandSlotControl(k), g.playerHand[k]);
    }
}

// ---------------------------------------------------------------------------------
// The computer's count as it stood before the draws, at the top right, then its fan.
void ShowCountBefore(Game& g, Field countBefore) {
    g.text.PrintLine();
    MoveTextPen(g, kCardCountLine);
    g.text.PrintLine({"Карт-", countBefore});

    g.computerCardCount = static_cast<Field>(g.computerHand.CountNonZero());
    ShowFan(g.screen, g.computerCardCount);
}

// ---------------------------------------------------------------------------------
// The cursors of both attacks start again at pair 1 and no hand slot is selected. The
// player's front cards are printed under the hand.
void ResetRound(Game& g) {
    g.playerAttackPair = 1;
    g.computerDefencePair = 1;
    g.computerAttackPair = 1;
    g.playerDefencePair = 1;
    g.selectedSlot = 0;
    MoveTextPen(g, kHandNumbersLine);
    g.text.PrintLine({g.playerHand[1], g.playerHand[2], g.playerHand[3], g.playerHand[4],
                      g.playerHand[5], g.playerHand[6]});
}

// ---------------------------------------------------------------------------------
// The variables of the round just ended. The computer's latest card stays: when the
// computer has just led, that card lies on the table and the player's cover must be
// compared with it. Pairs of the player's attack still on the table (a round between
// two computers ended while every card was covered) leave play as beaten cards.
void ClearRoundVariables(Game& g) {
    MoveTextPen(g, kMoveEndPen);
    g.playerDefenceCard = 0;
    ClearBeatenRows(g, g.tablePlayerAttack, g.tableComputerDefence);
    g.defenceCard = 0;
    g.autoDefendTries = 0;
}

}  // namespace

// =================================================================================
// RefillFromStock: both hands drawn up from the stock; the next round begins.
void RefillFromStock(Game& g) {
    StepScope step(g);
    const Field countBefore = g.computerCardCount;

    // The stock picture goes with its last card (it is hidden all game anyway).
    if (g.dealtCount > kLastCardDealt) ClearSlot(g.screen, kStockSlot);

    if (g.dealtCount > kStockUsedUp) {
        // Nothing left to draw: the trump suit's icon replaces the trump card. The suit is
        // read off the trump card itself, so the icon is right even before the computer
        // has led in this game.
        const int suit = SuitNumberOf(g.trumpCard);
        if (suit >= 1) g.trumpSuitIcon = static_cast<Field>(suit);
        SuitIcon(g.screen, suit);
    } else {
        DrawLoop(g);
        ShowCountBefore(g, countBefore);
    }

    ResetRound(g);

    // Every one of the player's twelve slots counts: a card in slot 11 or 12 is still a
    // card to play.
    // (The round end that called the refill announces the result right after, with the
    // statistics.)
    if (g.playerHand.AllZero()) {
        g.text.ClearAndPrintStatus("Мы выиграли");
        return;
    }

    // With fewer than three cards left the player sees the score so far; play goes on.
    g.playerCardCount = static_cast<Field>(g.playerHand.CountNonZero());
    if (g.playerCardCount < kScoreShownBelowCards) ShowResults(g);

    // The computer attacks: it leads at once, inside this call.
    if (g.playerRole == kPlayerDefends) {
        g.attackPhase = kNothingToCover;
        g.playerDefencePair = 1;
        PlayerDefend(g);
    }

    ClearRoundVariables(g);

    // Between two computers the automatic player leads at once.
    if (g.playerRole == kPlayerAttacks && g.playMode == kPlayModeTwoComputers) PlayerAttack(g);

    if (g.computerCardCount == 0) ComputerHasNoCardLeft(g);
}

}  // namespace durak
