#include "ui/random_sources.h"

#include <chrono>
#include <cstring>

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

void ClockRandom::ReseedFromClock() {
    // The next state depends on the old one and the clock: never a restart.
    engine_.seed(engine_() ^ (ClockTicks() * 0x9E3779B97F4A7C15ULL));
}

double ClockRandom::Draw() { return ToUnit(engine_()); }

// The generator's constants (the 64-bit Mersenne Twister of the C++ standard library).
// Its turn and its tempering are the same operations on every word, so they are done on
// two words at once (the machine's 128-bit registers, which every x86-64 has).
namespace mt {
constexpr int kMiddle = 156;
constexpr std::uint64_t kTwist = 0xB5026F5AA96619E9ULL;
constexpr std::uint64_t kUpper = ~std::uint64_t{0} << 31, kLower = ~kUpper;
constexpr std::uint64_t kSeedFactor = 6364136223846793005ULL;

template <typename W>
W Mix(W upperOf, W lowerOf, W with) {
    const W y = (upperOf & kUpper) | (lowerOf & kLower);
    return with ^ (y >> 1) ^ ((W{} - (y & 1)) & kTwist);
}

template <typename W>
W Temper(W y) {
    y ^= (y >> 29) & 0x5555555555555555ULL;
    y ^= (y << 17) & 0x71D67FFFEDA60000ULL;
    y ^= (y << 37) & 0xFFF7EEE000000000ULL;
    return y ^ (y >> 43);
}

using Pair = std::uint64_t __attribute__((vector_size(16)));
Pair Load(const std::uint64_t* at) {
    Pair p;
    std::memcpy(&p, at, sizeof p);
    return p;
}
void Store(std::uint64_t* at, Pair p) { std::memcpy(at, &p, sizeof p); }
}  // namespace mt

SeededRandom::SeededRandom(std::uint64_t seed) : RandomSource(true) {
    state_[0] = seed;
    for (int i = 1; i < kStateWords; ++i) {
        const std::uint64_t prev = state_[i - 1];
        state_[i] = mt::kSeedFactor * (prev ^ (prev >> 62)) + static_cast<std::uint64_t>(i);
    }
}

void SeededRandom::Turn() {
    using mt::Load, mt::Mix, mt::Pair, mt::Store;
    constexpr int n = kStateWords, m = mt::kMiddle;
    std::uint64_t* x = state_;
    // Each new word needs its old right neighbour and the word m places on: in the first
    // part an old one, in the second one made in the first part, so two at a time is safe.
    int i = 0;
    for (; i < n - m; i += 2) Store(x + i, Mix(Load(x + i), Load(x + i + 1), Load(x + i + m)));
    for (; i + 1 < n - 1; i += 2)
        Store(x + i, Mix(Load(x + i), Load(x + i + 1), Load(x + i + m - n)));
    for (; i < n - 1; ++i) x[i] = Mix(x[i], x[i + 1], x[i + m - n]);
    x[n - 1] = Mix(x[n - 1], x[0], x[m - 1]);
    for (int k = 0; k < n; k += 2) {
        const Pair y = mt::Temper(Load(x + k)) >> 11;  // 53 bits: exact as a signed number
        ready_[k] = static_cast<double>(static_cast<std::int64_t>(y[0])) * 0x1.0p-53;
        ready_[k + 1] = static_cast<double>(static_cast<std::int64_t>(y[1])) * 0x1.0p-53;
    }
}

double SeededRandom::Draw() {
    Turn();
    Ahead(ready_ + 1, ready_ + kStateWords);
    return ready_[0];
}

}  // namespace durak
