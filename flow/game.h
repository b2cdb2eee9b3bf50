// One game at the table: the single game state together with the four things the
// game talks to. Every game step is a free function over a Game; one Game lives as
// long as the window, and tests and the simulator build their own with fakes.
#pragma once

#include <cstdint>
#include <source_location>
#include <stdexcept>

#include "cards/game_state.h"
#include "ui/ports.h"
#include "ui/text_layer.h"

namespace durak {

// Thrown to end a running chain of moves at once: the window was closed during a
// wait, or a chain ran past its guard. The event that started the chain catches it.
class ChainStopped : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class ChainRunaway : public ChainStopped {
public:
    using ChainStopped::ChainStopped;
};

// How deep the game steps of one event are nested, and how many ran. The nested calls
// of a two-computer game go one level deeper per move; the guard stops a chain that
// would never end instead of letting it exhaust the stack.
struct ChainMeter {
    int depth = 0;
    int maxDepth = 0;             // deepest nesting seen since the Game was made
    std::int64_t steps = 0;       // steps of the current event
    int depthLimit = 20000;
    std::int64_t stepLimit = 5'000'000;
};

// Watches the game from outside, for the simulator's card ledger and for tests. The
// game calls it, never the other way round; a Game without a watcher pays nothing.
class PlayWatcher {
public:
    virtual ~PlayWatcher() = default;
    // At the start of every game step; `step` names the procedure.
    virtual void Step(const GameState& state, const char* step) {
        (void)state;
        (void)step;
    }
    // Right before beaten cards leave play: the attack and cover rows about to be cleared.
    virtual void Beaten(const OneBased<6>& attack, const OneBased<6>& cover) {
        (void)attack;
        (void)cover;
    }
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

    GameState& state() { return *this; }
    const GameState& state() const { return *this; }
};

// Beaten cards leave play: the two rows of one attack are cleared, and a watcher is told
// which cards went.
inline void ClearBeatenRows(Game& g, OneBased<6>& attack, OneBased<6>& cover) {
    if (g.watcher) g.watcher->Beaten(attack, cover);
    attack.Clear();
    cover.Clear();
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

// Called by every event (menu choice, click) before it starts its chain.
inline void BeginEvent(Game& g) { g.chain.steps = 0; }

}  // namespace durak
