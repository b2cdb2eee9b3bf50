// Card codes: every card is one small integer, 50 × suit + rank.
//
// Suits: 0 spades, 1 clubs, 2 diamonds, 3 hearts. Ranks: 6..10, 11 jack, 12 queen,
// 13 king, 14 ace. 0 marks an empty slot and passes none of the tests below, so a
// scan over hand slots skips empty slots without a check of its own.
#pragma once

namespace durak {

constexpr int kNoCard = 0;

// --- Tests on codes -------------------------------------------------------------

// Suit s (0..3) holds the codes 50·s+6 .. 50·s+14, tested as the open band (50·s, 50·s+15).
constexpr bool InSuit(int c, int s) { return 50 * s < c && c < 50 * s + 15; }

// Suit (0..3) of the band c lies in, or -1 when c lies in no suit band (0 among them):
// the band of suit s is 50·s+1 .. 50·s+14.
constexpr int SuitOf(int c) {
    if (c <= 0 || c >= 200) return -1;
    const int r = c % 50;
    return r >= 1 && r <= 14 ? c / 50 : -1;
}

// One of the 36 real cards: in a suit band, with a rank from 6 to 14.
constexpr bool IsCard(int c) { return SuitOf(c) >= 0 && c % 50 >= 6; }

// Suit number 1..4 (spades, clubs, diamonds, hearts) of a card; 0 for no card.
constexpr int SuitNumberOf(int c) { return SuitOf(c) + 1; }

// The code just above the highest card of suit number n (1..4): 15, 65, 115, 165.
constexpr int SuitUpperBound(int suitNumber) { return 50 * (suitNumber - 1) + 15; }

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
constexpr int PictureIndexOf(int c) {
    if (!IsCard(c)) return 0;
    const int rank = c % 50;
    return 10 * SuitOf(c) + (rank >= 11 ? rank - 10 : rank);
}

// The card of picture number n; 0 for the blanks and for anything outside 1..40.
constexpr int CardOfPictureIndex(int n) {
    if (n < 1 || n > 40 || IsBlankIndex(n)) return 0;
    const int k = n % 10 == 0 ? 10 : n % 10;  // 1..4 jack..ace, 6..10 as they are
    const int suit = (n - 1) / 10;
    return 50 * suit + (k <= 4 ? k + 10 : k);
}

}  // namespace durak
