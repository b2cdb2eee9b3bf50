// What the rules let the player put down, asked without moving a card: by the player's
// own moves, and by a screen reader that tells why a card stayed in the hand.
#pragma once

#include "cards/game_state.h"

namespace durak {

// The card may go onto the table as an attack: a free place among the six pairs, and
// then any card leads a round, and an added card needs its rank on the table.
bool MayPutDown(const GameState& s, int card);

// The card beats the computer's card: a higher card of the suit attacked (the suit of the
// computer's latest card, or of its earlier one when the latest is in no suit), or any
// trump but the computer's card itself.
bool CoversBySuit(const GameState& s, int card);
bool CoversByTrump(const GameState& s, int card);

// Why a click on the player's hand slot `slot` leaves its card where it is, at the
// player's table; None when the rules let the card be played (or the click does something
// else: no card there, the game over, nothing waiting to be covered).
enum class Refusal {
    None,
    TableFull,       // six pairs lie on the table already
    RankNotOnTable,  // an added card of a rank that lies nowhere on the table
    DoesNotCover,    // neither higher in the suit attacked nor a trump
    NoPlaceForCover, // six covers lie on the table already
};
Refusal WhyRefused(const GameState& s, int slot);

}  // namespace durak
