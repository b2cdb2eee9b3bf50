// The one record of everything the game knows. Every game step reads and writes
// these fields directly; which step clears which field is part of how the steps
// cooperate, so nothing here has behaviour of its own. All fields start at 0.
#pragma once

#include <cstdint>

#include "cards/numbers.h"
#include "cards/one_based.h"

namespace durak {

using Field = std::int16_t;

struct GameState {
    // Settings chosen in the menus.
    Field playMode = 0;     // kPlayModeHuman or kPlayModeTwoComputers
    Field delayFactor = 0;  // 0 no pace chosen, kPaceFast, kPaceMedium or kPaceSlow

    // The deal.
    OneBased<kDeckSize> deck;       // the shuffled deck in draw order; 0 where the shuffle stopped
    Field shuffleAttempts = 0;
    Field drawnCard = 0;     // card of the latest random draw (shuffle and stock)
    Field scratch = 0;       // shared working counter: raw draws, wait counters, redraws

    // Hands.
    OneBased<kPlayerHandSlots> playerHand;    // slots 1..6 in Image41..46, 7..12 in Image78..83
    OneBased<kComputerHandSlots> computerHand;  // never shown face up except at the end of a game
    Field computerCardCount = 0;
    Field playerCardCount = 0;

    // Trump and stock.
    Field trumpCard = 0;
    Field trumpSuitIcon = 0;  // suit number 1..4 of the trump card
    Field dealtCount = 0;     // cards gone from the stock into hands (trump not counted)
    OneBased<kDeckSize> seenCards;   // 1..13 the deal and the trump, 14..36 the stock's draws
    Field drawAttempts = 0;

    // The table: pair k (1..6) is one column.
    OneBased<kPairs> tablePlayerAttack;
    OneBased<kPairs> tableComputerDefence;
    OneBased<kPairs> tableComputerAttack;
    OneBased<kPairs> tablePlayerDefence;
    Field playerAttackPair = 0;
    Field computerDefencePair = 0;
    Field computerAttackPair = 0;
    Field playerDefencePair = 0;

    // Moves and turn.
    Field playerRole = 0;   // kPlayerAttacks, kPlayerDefends; kNoGameYet before a game
    Field attackPhase = 0;  // kNothingToCover or kComputerCardDown
    Field selectedSlot = 0;
    Field playerAttackCard = 0;
    Field defenceCard = 0;
    Field computerAttackCard = 0;
    Field playerDefenceCard = 0;
    Field attackRetried = 0;
    Field leadStartSuit = 0;
    Field attackSuitNumber = 0;

    // Counters of the two-computer continuations.
    Field autoContinueCount = 0;
    Field autoDefendTries = 0;
    Field autoReplyCount = 0;

    // Statistics of the current game.
    Field playerDefendedCount = 0;
    Field computerDefendedCount = 0;
    Field playerTookCount = 0;
    Field computerTookCount = 0;
};

// The card in the player's hand slot s; a number outside 1..12 names no slot and so no card.
inline int PlayerCardIn(const GameState& s, int slot) {
    return (slot >= 1 && slot <= kPlayerHandSlots) ? s.playerHand[slot] : 0;
}

}  // namespace durak
