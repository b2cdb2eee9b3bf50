// One game at the table: the single game state together with the four things the
// game talks to. Every game step is a free function over a Game; one Game lives as
// long as the window, and tests and the simulator build their own with fakes.
#pragma once

#include <cstdint>
#include <source_location>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "cards/card_code.h"
#include "cards/game_state.h"
#include "ports/ports.h"
#include "ports/text_layer.h"

namespace durak {

// Thrown to end a running chain of moves at once: the window was closed during a
// wait, a chain ran past its guard, or the game has its result. The event that started
// the chain catches it.
class ChainStopped : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class ChainRunaway : public ChainStopped {
public:
    using ChainStopped::ChainStopped;
};
// The result stands on the window and its statistics with it: whatever the event's chain
// still had to play is not played (RunEventChain catches it).
class GameOver : public ChainStopped {
public:
    GameOver() : ChainStopped("the game has its result") {}
};

// How deep the game steps of one event are nested, and how many ran. The nested calls
// of a two-computer game go one level deeper per move; the guard stops a chain that
// would never end instead of letting it exhaust the stack.
struct ChainMeter {
    // The deepest game seen nests 522 levels; the limit leaves almost ten times that. A
    // level takes about 150 bytes of stack in the optimized builds and 500 in the
    // sanitizer build, so even there the limit uses under a third of the main thread's
    // 8 MiB (measured in each build by WholeRound.TwoComputerChainsFitTheStackWithinTheGuard).
    static constexpr int kDepthLimit = 5000;
    int depth = 0;
    int maxDepth = 0;             // deepest nesting seen since the Game was made
    std::int64_t steps = 0;       // steps of the current event
    int depthLimit = kDepthLimit;
    std::int64_t stepLimit = 5'000'000;
};

// The two seats at the table: the bottom one ("Мы") and the computer at the top.
enum class Seat { Player, Computer };
// How a card comes onto the table: the first card of a round, an added card, or a cover.
enum class Lay { Lead, Add, Cover };

// Watches the game from outside, for the simulator's card ledger, for tests and for a
// screen reader's account of the play. The game calls it, never the other way round; a
// Game without a watcher pays nothing.
class PlayWatcher {
public:
    virtual ~PlayWatcher() = default;
    // At the start of every game step; `step` names the procedure.
    virtual void Step(const GameState& /*state*/, const char* /*step*/) {}
    // A card has just been put on the table and shown there.
    virtual void CardDown(const GameState& /*state*/, Seat /*seat*/, Lay /*lay*/, int /*card*/) {}
    // A new game has just been dealt: both hands and the trump card.
    virtual void Dealt(const GameState& /*state*/) {}
    // At the end of a round these cards of the table go into the seat's hand: told as the
    // take is announced, right before the cards move.
    virtual void Took(const GameState& /*state*/, Seat /*seat*/, const std::vector<int>& /*cards*/) {}
    // A card has just been drawn from the stock into the seat's hand.
    virtual void Drew(const GameState& /*state*/, Seat /*seat*/, int /*card*/) {}
    // Right before beaten cards leave play: the attack and cover rows about to be cleared.
    virtual void Beaten(const GameState& /*state*/, const OneBased<kPairs>& /*attack*/,
                        const OneBased<kPairs>& /*cover*/) {}
    // Right before cards that no slot of a full hand could take leave play with the table.
    virtual void Overflow(const OneBased<kPairs>& /*attack*/, const OneBased<kPairs>& /*cover*/) {}
    // A result has just been announced: from here on nothing may move.
    virtual void Result(const GameState& /*state*/) {}
};

struct Game : GameState {
    Game(Screen& screen, TextLayer& text, Pauses& pauses, RandomSource& random)
        : screen(screen), text(text), pauses(pauses), random(random) {}

    Screen& screen;
    TextLayer& text;
    Pauses& pauses;
    RandomSource& random;
    ChainMeter chain;
    PlayWatcher* watcher = nullptr;
    // A result ("Мы выиграли", "Комп выиграл", "Ничья") stands: the game takes no
    // further move. Kept beside the game's own fields, not among them; a new deal clears
    // it. Once the result is shown GameOver ends the chain, so the steps still pending
    // in a decided game make no move, print nothing, wait no more.
    bool decided = false;
};

// The procedure's own name ("EndRound") out of the name a watcher is given for a step, as
// the compiler spells it ("void durak::EndRound(durak::Game&)").
constexpr std::string_view StepName(std::string_view step) {
    const auto paren = step.find('(');
    if (paren != std::string_view::npos) step = step.substr(0, paren);
    const auto colon = step.rfind(':');
    if (colon != std::string_view::npos) step = step.substr(colon + 1);
    const auto space = step.rfind(' ');
    if (space != std::string_view::npos) step = step.substr(space + 1);
    return step;
}

// The pen goes to one of the places the game prints at.
inline void MoveTextPen(Game& g, PenPosition at) { g.text.MoveTextPen(at.x, at.y); }

// A card has just been put on the table: a watcher hears who put it there and how. A
// place "filled" with no card (the computer found no cover, the automatic player led from
// an empty slot) brought no card down.
inline void TellCardDown(Game& g, Seat seat, Lay lay, int card) {
    if (g.watcher && IsCard(card)) g.watcher->CardDown(g, seat, lay, card);
}

// Beaten cards leave play: the two rows of one attack are cleared, and a watcher is told
// which cards went.
inline void ClearBeatenRows(Game& g, OneBased<kPairs>& attack, OneBased<kPairs>& cover) {
    if (g.watcher) g.watcher->Beaten(g, attack, cover);
    attack.Clear();
    cover.Clear();
}

// Cards that no slot of the taking hand could hold leave play with the cleared table.
inline void ClearOverflowRows(Game& g, OneBased<kPairs>& attack, OneBased<kPairs>& cover) {
    if (attack.AllZero() && cover.AllZero()) return;
    if (g.watcher) g.watcher->Overflow(attack, cover);
    attack.Clear();
    cover.Clear();
}

// An attack card lies on the table without a cover in its pair.
inline bool AnyAttackUncovered(const OneBased<kPairs>& attack, const OneBased<kPairs>& cover) {
    for (int k = 1; k <= kPairs; ++k)
        if (attack[k] != 0 && cover[k] == 0) return true;
    return false;
}

// Opened at the top of every game step: counts the nesting and stops a runaway chain.
class StepScope {
public:
    explicit StepScope(Game& g, std::source_location where = std::source_location::current())
        : g_(g) {
        ChainMeter& m = g_.chain;
        ++m.depth;
        ++m.steps;
        if (m.depth > m.maxDepth) m.maxDepth = m.depth;
        if (g_.watcher) g_.watcher->Step(g_, where.function_name());
        if (m.depth > m.depthLimit || m.steps > m.stepLimit) {
            --m.depth;
            throw ChainRunaway("a chain of moves did not end");
        }
    }
    ~StepScope() { --g_.chain.depth; }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

private:
    Game& g_;
};

}  // namespace durak
