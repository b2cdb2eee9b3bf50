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
        static_assert(N >= 4 && N <= 64);
        std::uint64_t empty = 0;
#if defined(__SSE2__)
        // Eight entries a block, read straight from the row; a row that is not a whole
        // number of blocks ends with one overlapping the block before (a row shorter than
        // a block: two overlapping halves).
        const auto zeros = [this](int at, bool half) {
            const auto* p = reinterpret_cast<const __m128i*>(v.data() + at);
            const __m128i block = half ? _mm_loadl_epi64(p) : _mm_loadu_si128(p);
            const __m128i zero = _mm_cmpeq_epi16(block, _mm_setzero_si128());
            return static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_packs_epi16(zero, _mm_setzero_si128())) &
                                              (half ? 0x0F : 0xFF));
        };
        if constexpr (N >= 8) {
            for (int at = 0; at + 8 <= N; at += 8) empty |= zeros(at, false) << at;
            if constexpr (N % 8 != 0) empty |= zeros(N - 8, false) << (N - 8);
        } else {
            empty = zeros(0, true) | zeros(N - 4, true) << (N - 4);
        }
#else
        for (int i = 0; i < N; ++i) empty |= static_cast<std::uint64_t>(v[static_cast<std::size_t>(i)] == 0) << i;
#endif
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
