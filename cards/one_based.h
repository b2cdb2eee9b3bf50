// A small fixed array indexed 1..N, so that hand slot 1 is written hand[1] as the
// rules count it. The index is checked in debug builds.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

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
    // No entry holds a card.
    bool AllZero() const { return CountNonZero() == 0; }
    // The first entry from..to that holds no card; 0 when every one holds a card.
    int FirstEmpty(int from = 1, int to = N) const {
        for (int i = from; i <= to; ++i)
            if ((*this)[i] == 0) return i;
        return 0;
    }
    // True when some entry from..to equals x.
    bool Contains(int x, int from = 1, int to = N) const {
        for (int i = from; i <= to; ++i)
            if ((*this)[i] == x) return true;
        return false;
    }
};

}  // namespace durak
