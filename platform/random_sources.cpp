#include "platform/random_sources.h"

#include <chrono>

namespace durak {

namespace {
std::uint64_t ClockTicks() {
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

// 53 random bits as a double in [0, 1).
double ToUnit(std::uint64_t bits) { return static_cast<double>(bits >> 11) * 0x1.0p-53; }
}  // namespace

ClockRandom::ClockRandom() {
    std::random_device device;
    std::seed_seq seq{device(), device(), device(), device(),
                      static_cast<unsigned>(ClockTicks()), static_cast<unsigned>(ClockTicks() >> 32)};
    engine_.seed(seq);
}

void ClockRandom::Reseed() {
    // The next state depends on the old one and the clock: never a restart.
    engine_.seed(engine_() ^ (ClockTicks() * 0x9E3779B97F4A7C15ULL));
}

double ClockRandom::Next() { return ToUnit(engine_()); }

double SeededRandom::Next() { return ToUnit(engine_()); }

}  // namespace durak
