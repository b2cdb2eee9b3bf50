// A new game: erase text and table, shuffle a deck by random draws, deal six cards to
// each seat, turn up the trump and make the player the attacker of the first round.

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/procedures.h"

namespace durak {

namespace {

// Hide the holders and the face-up slots, blank the table and hand slots 7..12, and
// bring the fan back. Hand slots 1..6 and the trump slot get new pictures from the deal.
void ResetDisplay(Screen& screen) {
    for (int holder = kFirstCardHolder; holder <= kLastCardHolder; ++holder)
        screen.SetVisible(holder, false);
    for (int holder : {kFanHolder12, kFanHolder5, kFanHolder4, kFanHolder3, kFanHolder2,
                       kFanHolder1, kFanHolder6, kFanHolder9, kFanHolder10})
        screen.SetVisible(holder, false);
    ClearTablePlaces(screen);
    for (int s = kFrontSlots + 1; s <= kPlayerHandSlots; ++s) ClearSlot(screen, HandSlotControl(s));
    for (int icon = kSuitIconHolder1; icon <= kSuitIconHolder4; ++icon) screen.SetVisible(icon, false);
    for (int k = 1; k <= kFrontSlots; ++k) screen.SetVisible(kComputerFaceUpSlot1 + k - 1, false);
    screen.SetVisible(kComputerFanSlot, true);
}

// Fill the deck with distinct cards, one random draw at a time. Blank pictures are drawn
// again for free; a draw of 0 or 41 names no card and offers the previous draw's card
// again, which the duplicate test then usually rejects. At most kShuffleLimit draws are
// counted, so a deck may end with its last entries still empty.
void Shuffle(Game& g) {
    int filled = 0;  // the deck is empty when the shuffle starts and fills from entry 1 on
    for (;;) {
        g.random.Reseed();
        const int r = RandomBelow(g.random, kShuffleDrawRange);
        g.scratch = static_cast<Field>(r);
        if (IsBlankIndex(r)) continue;
        if (r >= 1 && r <= kLastPictureNumber) {
            g.drawnCard = CardOfPictureIndex(r);
        } else {
            g.scratch = (r == 0) ? kRawZeroNote : kRawFortyOneNote;
        }
        if (g.shuffleAttempts > kShuffleLimit) return;
        ++g.shuffleAttempts;
        // Empty entries take part, so a card of 0 is refused while the deck has room.
        if (g.deck.Contains(g.drawnCard)) continue;
        const int entry = ++filled;
        g.deck[entry] = g.drawnCard;
        if (entry == kDeckSize || g.shuffleAttempts > kShuffleLimit) return;
    }
}

}  // namespace

void NewGame(Game& g) {
    StepScope step(g);

    // A new game has no result yet, whatever the last one ended with.
    g.decided = false;
    g.text.ClearText();
    g.deck.Clear();
    g.seenCards.Clear();
    g.shuffleAttempts = 1;
    g.playerHand.Clear(kFrontSlots + 1, kPlayerHandSlots);
    ResetDisplay(g.screen);

    Shuffle(g);

    // The player's six cards, face up, and the computer's six as a fan.
    for (int k = 1; k <= kFrontSlots; ++k) {
        g.playerHand[k] = g.deck[k];
        ShowCard(g.screen, HandSlotControl(k), g.playerHand[k]);
    }
    ShowFan(g.screen, kFrontSlots);
    for (int k = 1; k <= kFrontSlots; ++k) g.computerHand[k] = g.deck[kFrontSlots + k];

    // The computer's codes at the right of the table, until the next ClearText.
    MoveTextPen(g, kComputerCodesLine);
    g.text.Print({g.computerHand[1]});
    for (int k = 2; k <= kFrontSlots; ++k) {
        g.text.MoveTextPen(kComputerCodesLine.x, kComputerCodesLine.y + kComputerCodesLineStep * (k - 1));
        g.text.PrintLine({g.computerHand[k]});
    }

    g.playerAttackPair = g.computerDefencePair = g.computerAttackPair = g.playerDefencePair = 1;
    g.playerRole = kPlayerAttacks;

    g.trumpCard = g.deck[kTrumpEntry];
    ShowCard(g.screen, kTrumpSlot, g.trumpCard);  // also replaces a suit icon left over

    for (int k = 1; k <= kFrontSlots; ++k) g.seenCards[k] = g.playerHand[k];
    for (int k = 1; k <= kFrontSlots; ++k) g.seenCards[kFrontSlots + k] = g.computerHand[k];
    g.seenCards[kTrumpEntry] = g.trumpCard;

    // Nothing of an earlier game may reach a hand later: the whole table, the latest
    // cards and the statistics start from 0. The player's last attack card goes too, so
    // neither the button nor an empty-slot click acts on a card of the old game.
    g.tablePlayerAttack.Clear();
    g.tableComputerDefence.Clear();
    g.tableComputerAttack.Clear();
    g.tablePlayerDefence.Clear();
    g.defenceCard = g.computerAttackCard = g.playerDefenceCard = 0;
    g.playerAttackCard = 0;
    g.autoDefendTries = 0;
    g.playerDefendedCount = g.computerDefendedCount = 0;
    g.playerTookCount = g.computerTookCount = 0;
    g.computerHand.Clear(kFrontSlots + 1, kComputerHandSlots);
    g.playerHand.Clear(kFrontSlots + 1, kPlayerHandSlots);

    g.computerCardCount = kFrontSlots;
    g.dealtCount = kDealtAtStart;
    if (g.watcher) g.watcher->Dealt(g);

    // Between two computers the automatic player leads at once; the whole game runs
    // inside this call.
    if (g.playMode == kPlayModeTwoComputers) PlayerAttack(g);
}

}  // namespace durak
