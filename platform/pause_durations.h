// How long the game's loop turns last in real time: the one table of durations.
//
//   slow turn           1 s / (29000 × 1250)   so a round-end wait lasts 1.0 s
//   fast turn           10 ms / 21000          so 12 × 21000 fast turns last 120 ms
//   empty printed line  100 ms / 29000         so 29000 empty lines last 100 ms
#pragma once

#include <chrono>

#include "ports/ports.h"

namespace durak {

constexpr double kSlowTurnNs = 1e9 / (29000.0 * 1250.0);
constexpr double kFastTurnNs = 1e7 / 21000.0;
constexpr double kEmptyLineNs = 1e8 / 29000.0;

constexpr std::chrono::nanoseconds PauseDuration(const Pause& p) {
    const double ns = static_cast<double>(p.slowTurns) * kSlowTurnNs +
                      static_cast<double>(p.fastTurns) * kFastTurnNs +
                      static_cast<double>(p.emptyLines) * kEmptyLineNs;
    return std::chrono::nanoseconds(static_cast<long long>(ns + 0.5));
}

}  // namespace durak
