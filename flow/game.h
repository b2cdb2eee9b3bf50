// One game at the table: the single game state together with the four things the
// game talks to. Every game step is a free function over a Game; one Game lives as
// long as the window, and tests and the simulator build their own with fakes.
#pragma once

#include <cstddef>
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
// Besides the nesting, the guard watches the stack itself: the bytes one level takes
// differ from build to build (a sanitizer build takes several times more), so the
// limit is set in bytes, from the stack the chain really runs on.
struct ChainMeter {
    int depth = 0;
    int maxDepth = 0;             // deepest nesting seen since the Game was made
    std::int64_t steps = 0;       // steps of the current event
    int depthLimit = 20000;
    std::int64_t stepLimit = 5'000'000;
    // The stack: where the current event's chain began, how far it may reach, and the
    // most it has used since the Game was made. A budget of 0 leaves the stack unwatched.
    std::uintptr_t stackBase = 0;
    std::size_t stackBudget = 0;
    std::size_t maxStackUsed = 0;
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
    virtual void Beaten(const GameState& state, const OneBased<6>& attack,
                        const OneBased<6>& cover) {
        (void)state;
        (void)attack;
        (void)cover;
    }
    // Right before cards that no slot of a full hand could take leave play with the table.
    virtual void Overflow(const OneBased<6>& attack, const OneBased<6>& cover) {
        (void)attack;
        (void)cover;
    }
    // A result has just been announced: from here on nothing may move.
    virtual void Result(const GameState& state) { (void)state; }
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
    // A result ("Мы выиграли", "Комп выиграл", "Ничья") stands: the game plays no
    // further move. Kept beside the game's own fields, not among them; a new deal clears
    // it. Every step that has started another one looks at it when that returns: the
    // steps still pending in a decided game make no move, print nothing, wait no more.
    bool decided = false;

    GameState& state() { return *this; }
    const GameState& state() const { return *this; }
};

// Beaten cards leave play: the two rows of one attack are cleared, and a watcher is told
// which cards went.
inline void ClearBeatenRows(Game& g, OneBased<6>& attack, OneBased<6>& cover) {
    if (g.watcher) g.watcher->Beaten(g, attack, cover);
    attack.Clear();
    cover.Clear();
}

// Cards that no slot of the taking hand could hold leave play with the cleared table.
inline void ClearOverflowRows(Game& g, OneBased<6>& attack, OneBased<6>& cover) {
    if (attack.AllZero() && cover.AllZero()) return;
    if (g.watcher) g.watcher->Overflow(attack, cover);
    attack.Clear();
    cover.Clear();
}

// An attack card lies on the table without a cover in its pair.
inline bool AnyAttackUncovered(const OneBased<6>& attack, const OneBased<6>& cover) {
    for (int k = 1; k <= 6; ++k)
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
        const std::size_t used = StackUsed(m);
        if (used > m.maxStackUsed) m.maxStackUsed = used;
        if (m.depth > m.depthLimit || m.steps > m.stepLimit ||
            (m.stackBudget != 0 && used > m.stackBudget)) {
            --m.depth;
            throw ChainRunaway("a chain of moves did not end");
        }
    }
    ~StepScope() { --g_.chain.depth; }

    // Bytes of stack between the start of the event's chain and this step (the stack
    // grows downwards on every machine the game is built for).
    static std::size_t StackUsed(const ChainMeter& m) {
        const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        return m.stackBase > here ? m.stackBase - here : 0;
    }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

private:
    Game& g_;
};

// Called by every event (menu choice, click) before it starts its chain: the step count
// and the stack are measured from here.
inline void BeginEvent(Game& g) {
    g.chain.steps = 0;
    g.chain.stackBase = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
}

}  // namespace durak
