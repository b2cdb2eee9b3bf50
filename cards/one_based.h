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
    std::uint64_t EmptyMask() const { return EqualMask(nullptr, false); }
    // Bit k−1 set for each entry k that differs from entry k of `other`.
    std::uint64_t DiffersFrom(const OneBased& other) const { return EqualMask(&other, true); }

    // Bit k−1 set for each entry k equal to entry k of `other` (to 0 without one), or for
    // each entry not equal when `unequal`. Eight entries a block, read straight from the
    // rows; a row that is not a whole number of blocks ends with one overlapping the
    // block before (a row shorter than a block: two overlapping halves).
    std::uint64_t EqualMask(const OneBased* other, bool unequal) const {
        static_assert(N >= 4 && N <= 64);
        std::uint64_t mask = 0;
#if defined(__SSE2__)
        const auto block = [this, other, unequal](int at, bool half) {
            const auto load = [half](const std::int16_t* from) {
                const auto* p = reinterpret_cast<const __m128i*>(from);
                return half ? _mm_loadl_epi64(p) : _mm_loadu_si128(p);
            };
            const __m128i a = load(v.data() + at);
            const __m128i b = other ? load(other->v.data() + at) : _mm_setzero_si128();
            const int equal =
                _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(a, b), _mm_setzero_si128()));
            return static_cast<std::uint64_t>((unequal ? ~equal : equal) & (half ? 0x0F : 0xFF));
        };
        if constexpr (N >= 8) {
            for (int at = 0; at + 8 <= N; at += 8) mask |= block(at, false) << at;
            if constexpr (N % 8 != 0) mask |= block(N - 8, false) << (N - 8);
        } else {
            mask = block(0, true) | block(N - 4, true) << (N - 4);
        }
#else
        for (std::size_t i = 0; i < v.size(); ++i) {
            const bool equal = v[i] == (other ? other->v[i] : 0);
            mask |= static_cast<std::uint64_t>(equal != unequal) << i;
        }
#endif
        return mask;
    }
    // True when some entry from..to equals x.
    bool Contains(int x, int from = 1, int to = N) const {
        for (int i = from; i <= to; ++i)
            if ((*this)[i] == x) return true;
        return false;
    }
};

}  // namespace durak
