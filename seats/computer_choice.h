// What the computer plays. Each choice reads the state and names the hand slot of the card
// it picks, 0 when it finds none; it changes nothing. The computer's moves
// (computer_defence.cpp, computer_attack.cpp) take the chosen card out of the hand and lay
// it. To change which card the computer covers, leads or adds, change this file.
#pragma once

#include "cards/game_state.h"

namespace durak {

// The cover of playerAttackCard: the first higher card of its suit in slot order, else
// (only while defenceCard is still 0) the first trump of any rank. Never the lowest card
// on purpose: the first in slot order wins.
int CoverSlot(const GameState& s);

// Whether the lead needs a random start suit: only while the computer holds a card
// outside the trump suit (trumpSuitIcon).
bool LeadNeedsStartSuit(const GameState& s);

// The lead: the first card in slot order of suit number `startSuit`, else of a later
// suit, never of the trump suit; suits below the start suit are not looked at. With
// nothing but trumps in hand, the first trump, whatever the start suit.
int LeadSlot(const GameState& s, int startSuit);

// The addition: the first card of the rank of the player's latest cover (defenceCard,
// else playerDefenceCard), trumps included. With no cover (0) the first empty slot
// matches and gives no card. A player who holds no card is given nothing more.
int AdditionSlot(const GameState& s);

}  // namespace durak
