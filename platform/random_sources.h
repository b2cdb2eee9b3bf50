// Random sources for the game's draws. Both draw from the standard 64-bit Mersenne
// Twister and turn its 53 high bits into a number in [0, 1).
#pragma once

#include <cstdint>
#include <random>

#include "ports/ports.h"

namespace durak {

// The source the window uses: seeded once from the system's entropy and the clock.
// "Re-seed from the clock" stirs the clock into the running state instead of starting
// over, so draws made within one clock tick still differ.
class ClockRandom : public RandomSource {
public:
    ClockRandom();
    void Reseed() override;
    double Next() override;

private:
    std::mt19937_64 engine_;
};

// A repeatable source for the simulator and the tests: the same seed gives the same
// games. Re-seeding changes nothing, so the clock plays no part.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    void Reseed() override {}
    double Next() override;

private:
    std::mt19937_64 engine_;
};

}  // namespace durak
