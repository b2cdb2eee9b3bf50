// The game's view of the platform: three small interfaces the game calls and the
// window (or a test, or the headless simulator) implements. The text layer is not a
// port but a plain model (text_layer.h) that the window paints.
#pragma once

#include <cstdint>

namespace durak {

// The picture slots of the window, named by their control numbers (Image41 is 41).
class Screen {
public:
    virtual ~Screen() = default;
    // Slot `slot` shows the picture of holder `holder`; holder 5 is the blank picture.
    virtual void SetPicture(int slot, int holder) = 0;
    virtual void SetVisible(int slot, bool visible) = 0;
    // Make the window visible, bring it to the front and activate it.
    virtual void ShowWindow() = 0;
};

// The waits between the visible steps of a move. Each wait is one call that carries its
// whole composition, counted in the game's own units; the platform turns the counts into
// real time (pause_durations.h).
enum class PauseKind {
    PlayerCovered,        // round end after the player's cover, one human at the table
    TwoComputerRoundEnd,  // start of every round end between two computers
    ComputerTook,         // after "Комп взял.."
    AutoLeadClosing,      // the automatic player put down nothing; the round ends
    DefendContinuation,   // after the computer's cover, between two computers
    FollowUpWait,         // after the automatic player's reply to the computer's card
};

struct Pause {
    PauseKind kind;
    std::int64_t slowTurns = 0;   // turns of the pace loop
    std::int64_t fastTurns = 0;   // turns of the plain counting loop
    std::int64_t emptyLines = 0;  // empty lines printed during the wait
};

class Pauses {
public:
    virtual ~Pauses() = default;
    virtual void Wait(const Pause& pause) = 0;
};

// Uniform random numbers in [0, 1) that can be re-seeded from the clock.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Re-seeds from the clock; a source with a fixed seed (the simulator's) ignores it.
    virtual void Reseed() = 0;
    virtual double Next() = 0;
};

// The next value times k, rounded down: a random integer 0..k-1.
inline int RandomBelow(RandomSource& random, int k) {
    double v = random.Next();
    if (!(v >= 0.0)) v = 0.0;  // guards against a NaN from a faulty source
    int r = static_cast<int>(v * k);
    return r >= k ? k - 1 : r;
}

}  // namespace durak
