// Random sources for the game's draws.
#pragma once

#include <cstdint>
#include <random>

#include "ui/ports.h"

namespace durak {

// The source the window uses: seeded once from the system's entropy and the clock.
// "Re-seed from the clock" stirs the clock into the running state instead of starting
// over, so draws made within one clock tick still differ.
class ClockRandom : public RandomSource {
public:
    ClockRandom();
    void ReseedFromClock() override;
    double Draw() override;

private:
    std::mt19937_64 engine_;
};

// A repeatable source for the simulator: the same seed gives the same games. Re-seeding
// changes nothing, so the clock plays no part.
//
// Its numbers are those of the standard 64-bit Mersenne Twister seeded with `seed`, each
// turned into [0, 1) as the window's source does. A game draws about a thousand of them,
// so they are made a whole state (312 numbers) at a time, ready for use: a draw is then
// one read, without a call.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed);
    void ReseedFromClock() override {}
    double Draw() override;

    static constexpr int kStateWords = 312;

private:
    // The next 312 words of the generator, tempered and made values in [0, 1).
    void Turn();

    std::uint64_t state_[kStateWords];
    double ready_[kStateWords];
};

}  // namespace durak
