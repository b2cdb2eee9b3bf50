// Card codes: every card is one small integer, 50 × suit + rank.
//
// Suits: 0 spades, 1 clubs, 2 diamonds, 3 hearts. Ranks: 6..10, 11 jack, 12 queen,
// 13 king, 14 ace. 0 marks an empty slot and passes none of the tests below, so a
// scan over hand slots skips empty slots without a check of its own.
#pragma once

#include <cstdint>

namespace durak {

using CardCode = std::int16_t;

constexpr int kNoCard = 0;

// --- Tests on codes -------------------------------------------------------------

// Suit s (0..3) holds the codes 50·s+6 .. 50·s+14, tested as the open band (50·s, 50·s+15).
constexpr bool InSuit(int c, int s) { return 50 * s < c && c < 50 * s + 15; }

namespace detail {
// Suit (0..3) of a code by arithmetic: the band of suit s is 50·s+1 .. 50·s+14; -1 outside.
constexpr int SuitByBands(int c) {
    if (c <= 0 || c >= 165) return -1;
    const int r = c % 50;
    return (r >= 1 && r <= 14) ? c / 50 : -1;
}
// Every code 0..164 looked up at once, since the rules ask for suits in every scan;
// codes outside that range lie in no band and read the extra last entry. The look-up
// clamps instead of branching: the codes met in a blind draw differ at every try.
constexpr int kCodeRange = 165;
struct CodeFacts {
    std::int8_t suit[kCodeRange + 1];
    std::int8_t picture[kCodeRange + 1];  // picture index 1..40 of a card, 0 for no card
    std::uint64_t bit[kCodeRange + 1];    // one bit a card (9 × suit + rank − 6), 0 for no card
    std::int16_t cardOfPicture[41];       // the card of picture index 0..40, 0 for none
};
constexpr CodeFacts MakeCodeFacts() {
    CodeFacts f{};
    for (int c = 0; c <= kCodeRange; ++c) {
        const int s = SuitByBands(c), r = c % 50;
        const bool card = s >= 0 && r >= 6;
        f.suit[c] = static_cast<std::int8_t>(s);
        f.picture[c] = static_cast<std::int8_t>(s < 0 ? 0 : 10 * s + (r >= 11 ? r - 10 : r));
        f.bit[c] = card ? std::uint64_t{1} << (9 * s + r - 6) : 0;
        if (card) f.cardOfPicture[f.picture[c]] = static_cast<std::int16_t>(c);
    }
    return f;
}
inline constexpr CodeFacts kCodeFacts = MakeCodeFacts();
constexpr unsigned Entry(int c) {
    const auto u = static_cast<unsigned>(c);
    return u < static_cast<unsigned>(kCodeRange) ? u : static_cast<unsigned>(kCodeRange);
}
}  // namespace detail

// Suit (0..3) of a card, or -1 when c lies in no suit band (0 among them): the band of
// suit s is 50·s+1 .. 50·s+14.
constexpr int SuitOf(int c) { return detail::kCodeFacts.suit[detail::Entry(c)]; }

// One of the 36 real cards.
constexpr bool IsCard(int c) { return SuitOf(c) >= 0; }

// One bit for each of the 36 cards (9 × suit + rank − 6); 0 for a code of no card.
constexpr std::uint64_t CardBit(int c) { return detail::kCodeFacts.bit[detail::Entry(c)]; }

// Suit number 1..4 (spades, clubs, diamonds, hearts) of a card; 0 for no card.
constexpr int SuitNumberOf(int c) { return SuitOf(c) + 1; }

// The code just above the highest card of suit number n (1..4): 15, 65, 115, 165.
constexpr int SuitUpperBound(int suitNumber) { return 50 * (suitNumber - 1) + 15; }

// c beats a in the same suit: a < c < top of a's band. False when a is no card.
constexpr bool HigherInSuit(int a, int c) {
    const int s = SuitOf(a);
    return s >= 0 && a < c && c < 50 * s + 15;
}

// The trump suit (0..3) read off the trump card; -1 when the trump card is no card.
constexpr int TrumpSuit(int trumpCard) { return SuitOf(trumpCard); }

constexpr bool IsTrump(int c, int trumpCard) {
    const int t = TrumpSuit(trumpCard);
    return t >= 0 && InSuit(c, t);
}

// Adding rule: the two codes differ by a whole number of suits. Equal codes do not
// count, and 0 never matches a card (the other card would have to be 50, 100 or 150).
constexpr bool SameRank(int a, int b) {
    const int d = b - a;
    return d == -150 || d == -100 || d == -50 || d == 50 || d == 100 || d == 150;
}

// --- Picture numbering -----------------------------------------------------------
//
// PictureIndex N = 10·suit + k, k = rank − 10 for jack..ace (1..4), k = rank for 6..10.
// k = 5 names no card: 5, 15, 25 and 35 are the blank pictures. The random draws of
// the deal and the stock pick a card by picking such a number.

constexpr bool IsBlankIndex(int n) { return n == 5 || n == 15 || n == 25 || n == 35; }

// Picture number 1..40 of a card; 0 when c is not one of the 36 cards.
constexpr int PictureIndexOf(int c) { return detail::kCodeFacts.picture[detail::Entry(c)]; }

// The card of picture number n; 0 for the blanks and for anything outside 1..40.
constexpr CardCode CardOfPictureIndex(int n) {
    return static_cast<unsigned>(n) <= 40u ? detail::kCodeFacts.cardOfPicture[n] : 0;
}

}  // namespace durak
