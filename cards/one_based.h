// A small fixed array indexed 1..N, so that hand slot 1 is written hand[1] as the
// rules count it. The index is checked in debug builds.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace durak {

template <int N>
struct OneBased {
    std::array<std::int16_t, N> v{};

    std::int16_t& operator[](int i) {
        assert(i >= 1 && i <= N);
        return v[static_cast<std::size_t>(i - 1)];
    }
    std::int16_t operator[](int i) const {
        assert(i >= 1 && i <= N);
        return v[static_cast<std::size_t>(i - 1)];
    }
    static constexpr int size() { return N; }
    bool operator==(const OneBased&) const = default;

    auto begin() { return v.begin(); }
    auto end() { return v.end(); }
    auto begin() const { return v.begin(); }
    auto end() const { return v.end(); }

    void Clear() { v.fill(0); }
    // Entries from..to (inclusive) set to 0.
    void Clear(int from, int to) {
        for (int i = from; i <= to; ++i) (*this)[i] = 0;
    }
    // Number of entries holding a card (non-zero).
    int CountNonZero() const {
        int n = 0;
        for (auto x : v) n += (x != 0);
        return n;
    }
    // Sum of the entries; card codes are positive, so > 0 means "holds a card".
    int Sum() const {
        int s = 0;
        for (auto x : v) s += x;
        return s;
    }
    // No entry holds a card: the entries are looked at eight bytes at a time.
    bool AllZero() const {
        std::uint64_t any = 0;
        std::size_t i = 0;
        for (; i + 4 <= v.size(); i += 4) {
            std::uint64_t word;
            std::memcpy(&word, &v[i], sizeof word);
            any |= word;
        }
        for (; i < v.size(); ++i) any |= static_cast<std::uint16_t>(v[i]);
        return any == 0;
    }
    // Bit k−1 set for each entry k that holds no card (is 0): which slots are empty, for
    // every slot at once, so a search for the first empty slot needs no guess per slot.
    std::uint64_t EmptyMask() const {
        static_assert(N <= 64);
        constexpr int kBlocks = (N + 7) / 8;
        std::int16_t padded[8 * kBlocks] = {};
        std::memcpy(padded, v.data(), sizeof v);
        std::uint64_t empty = 0;
#if defined(__SSE2__)
        for (int b = 0; b < kBlocks; ++b) {
            __m128i block;
            std::memcpy(&block, padded + 8 * b, sizeof block);
            const __m128i zero = _mm_cmpeq_epi16(block, _mm_setzero_si128());
            empty |= static_cast<std::uint64_t>(
                         _mm_movemask_epi8(_mm_packs_epi16(zero, _mm_setzero_si128())) & 0xFF)
                     << (8 * b);
        }
#else
        for (int i = 0; i < 8 * kBlocks; ++i) empty |= static_cast<std::uint64_t>(padded[i] == 0) << i;
#endif
        if constexpr (N < 64) empty &= (std::uint64_t{1} << N) - 1;  // the padding is no slot
        return empty;
    }
    // True when some entry from..to equals x.
    bool Contains(int x, int from = 1, int to = N) const {
        for (int i = from; i <= to; ++i)
            if ((*this)[i] == x) return true;
        return false;
    }
};

}  // namespace durak
