// One event's chain of moves.
//
// A menu choice, a click or the button starts a chain of game steps that call one
// another; the event is over when the chain has returned. Between two computers the
// chain returns when the automatic player found no answer to the computer's card and
// its renewed replies are not yet used up. Left there, the game would stand still
// until somebody clicked, though one "Новая" is meant to play the whole game: so the
// event goes on as the follow-up ends, with its wait and a renewed reply (or, once
// they are used up, the forced end of the round), again and again until the game has
// its result. Once the result stands, GameOver ends the chain wherever it is.

#include "flow/procedures.h"

namespace durak {

namespace {

// Between two computers the chain came to rest in an open game, the computer's card
// waiting for the automatic player's answer.
bool TwoComputersWaiting(const Game& g) {
    return g.playMode == kPlayModeTwoComputers && !g.decided && g.playerRole == kPlayerDefends;
}

}  // namespace

void RunEventChain(Game& g, const std::function<void(Game&)>& first) {
    g.chain.steps = 0;
    try {
        first(g);
        while (TwoComputersWaiting(g)) RenewedReply(g);
    } catch (const GameOver&) {
        // The result is shown; the game keeps the state it has now.
    }
}

}  // namespace durak
