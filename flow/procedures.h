// The game's steps, each a free function over the one Game. They call one another
// directly: a step returns only when everything it started has returned.
#pragma once

#include <functional>

#include "flow/game.h"

namespace durak {

// flow/new_game.cpp: shuffle, deal, turn up the trump; between two computers the
// automatic player leads at once.
void NewGame(Game& g);

// flow/end_round.cpp: the action button, and every other end of a round.
void EndRound(Game& g);

// flow/refill.cpp: both hands drawn up from the stock; starts the next round.
void RefillFromStock(Game& g);

// flow/results.cpp: the result, the computer's count, the statistics, its cards face up.
void ShowResults(Game& g);
void ComputerWon(Game& g);
// "Мы выиграли", "Комп выиграл" or "Ничья" on the status line: the game is decided.
void AnnounceResult(Game& g, const char* message);
// The end-of-game tests in their order, each announcing its result. Where they end a
// round or a move, the statistics follow each result and then GameOver ends the chain;
// inside the statistics themselves only the results are printed.
enum class AfterResult { ShowAndStop, Nothing };
void EndOfGameTests(Game& g, AfterResult then);
// The computer holds no card when it should play: "Комп выиграл", the results, GameOver.
[[noreturn]] void ComputerHasNoCardLeft(Game& g);

// flow/event_chain.cpp: the chain of moves one event starts. Between two computers it
// does not come to rest before the game has a result.
void RunEventChain(Game& g, const std::function<void(Game&)>& first);

// seats/player_attack.cpp: the bottom seat leads or adds.
void PlayerAttack(Game& g);

// seats/player_defence.cpp: the bottom seat covers the computer's card.
void PlayerDefend(Game& g);
// The two tests of one selected card; each, when the card covers, takes it out of the
// hand into playerDefenceCard. Returns true when the card covered.
bool CoverSuitTest(Game& g);
bool CoverTrumpTest(Game& g);
// The player's cover (defenceCard), just taken from hand slot `takenFrom`, goes over the
// computer's card of the current pair, both after the player's own test and after the
// computer's follow-up check. Returns false when nothing is laid: the cover is one left
// from an earlier move (`takenFrom` 0), or no covering place is left.
bool LayPlayerCover(Game& g, int takenFrom, Field coverBefore);

// seats/computer_defence.cpp: the computer covers the player's card.
void ComputerDefend(Game& g);

// seats/computer_attack.cpp: the computer leads or adds, and what follows its card.
void ComputerAttack(Game& g);
void ComputerFollowUp(Game& g);
// The end of the follow-up between two computers: the wait, then a renewed reply of the
// automatic player, or the forced end of the round once the renewed replies run out.
void RenewedReply(Game& g);

}  // namespace durak
