// Moving the table into the hand of the seat that takes it, at the end of a round.
#pragma once

#include "cards/game_state.h"

namespace durak {

// The computer takes the player's attack row and its own covers into its hand.
void ComputerTakesTable(GameState& s);

// The player takes the computer's attack row and its own covers, then its hand is
// closed up towards slots 1..6. With an empty table only the close-up has any effect.
void PlayerTakesTable(GameState& s);

}  // namespace durak
