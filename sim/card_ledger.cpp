#include "sim/card_ledger.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstring>

#include "cards/card_code.h"

namespace durak::sim {

namespace {

// One bit for each of the 36 cards: bits 0..35, as the game's own CardBit numbers them
// (0 for a code of no card).
constexpr std::uint64_t kAllCards = (std::uint64_t{1} << 36) - 1;

int CodeOfBit(int bit) { return 50 * (bit / 9) + bit % 9 + 6; }

template <typename Row>
std::uint64_t BitsOf(const Row& row) {
    std::uint64_t bits = 0;
    for (int c : row) bits |= CardBit(c);
    return bits & kAllCards;
}

// A cover beats its attack card: a higher card of the same suit, or any trump (also a
// lower one, as the game allows).
bool Beats(int cover, int attack, int trumpCard) {
    if (!IsCard(cover) || !IsCard(attack)) return false;
    if (SuitOf(cover) == SuitOf(attack) && cover > attack) return true;
    return IsTrump(cover, trumpCard);
}

// Card index 0..35 of every code the game can hold (as the game's own CardBit numbers
// the cards), and 36 for a code of no card.
constexpr int kNoCardIndex = 36;
constexpr auto kIndexOfCode = [] {
    std::array<std::uint8_t, 165> index{};
    for (int c = 0; c < 165; ++c) {
        const std::uint64_t bit = CardBit(c);
        index[static_cast<std::size_t>(c)] =
            static_cast<std::uint8_t>(bit ? std::countr_zero(bit) : kNoCardIndex);
    }
    return index;
}();

int IndexOf(int code) {
    return static_cast<unsigned>(code) < kIndexOfCode.size()
               ? kIndexOfCode[static_cast<std::size_t>(code)]
               : kNoCardIndex;
}

}  // namespace

void CardLedger::NewDeal() {
    beaten_ = overflow_ = uncovered_ = 0;
    duplicate_ = lost_ = resurrected_ = 0;
    strayed_ = 0;
    afterResult_ = 0;
    // Every row is read afresh: against empty rows, each card of the next look is new.
    last_ = GameState{};
    placed_ = {};
    drawn_ = {};
    resultStands_ = false;
    dealing_ = true;
    firstFault_.clear();
}

// A card in, a card out, without a test of which card: entries mostly change between
// empty and a card, at random. Index 36 takes the codes of no card; its count means
// nothing (it may wrap) and its bit is masked off where the counts are read.
inline void CardLedger::Counts::Add(int code) {
    const int i = IndexOf(code);
    const std::uint64_t bit = std::uint64_t{1} << i;
    twice |= bit & (std::uint64_t{0} - (of[i] != 0));
    cards |= bit;
    ++of[i];
}

inline void CardLedger::Counts::Remove(int code) {
    const int i = IndexOf(code);
    const std::uint64_t bit = std::uint64_t{1} << i;
    --of[i];
    cards &= ~(bit & (std::uint64_t{0} - (of[i] == 0)));
    twice &= ~(bit & (std::uint64_t{0} - (of[i] <= 1)));
}

// Whether two rows of `Bytes` bytes differ, as straight-line code: sixteen bytes at a
// time, the last block overlapping the one before where the row is not a whole number
// of blocks (a row shorter than a block is read as two overlapping words).
using Block = std::uint64_t __attribute__((vector_size(16)));

template <std::size_t Bytes, std::size_t... I>
std::uint64_t BlockDiff(const unsigned char* p, const unsigned char* q, std::index_sequence<I...>) {
    const auto at = [&](std::size_t offset) {
        Block a, b;
        std::memcpy(&a, p + offset, 16);
        std::memcpy(&b, q + offset, 16);
        return a ^ b;
    };
    const Block d = (at(16 * I) | ... | at(Bytes - 16));
    return d[0] | d[1];
}

template <std::size_t Bytes>
std::uint64_t Diff(const void* a, const void* b) {
    const auto* p = static_cast<const unsigned char*>(a);
    const auto* q = static_cast<const unsigned char*>(b);
    if constexpr (Bytes >= 16) {
        return BlockDiff<Bytes>(p, q, std::make_index_sequence<Bytes / 16>{});
    } else {
        static_assert(Bytes >= 8);
        std::uint64_t a0, a1, b0, b1;
        std::memcpy(&a0, p, 8);
        std::memcpy(&b0, q, 8);
        std::memcpy(&a1, p + Bytes - 8, 8);
        std::memcpy(&b1, q + Bytes - 8, 8);
        return (a0 ^ b0) | (a1 ^ b1);
    }
}

template <int N>
std::uint64_t RowDiff(const OneBased<N>& now, const OneBased<N>& last) {
    return Diff<sizeof now.v>(now.v.data(), last.v.data());
}

// A changed row: the entries that differ move their cards in the counts. The quick
// whole-row test comes first: most rows of a changed look are unchanged, and telling
// that costs less than finding which entries differ (5 % of a headless game).
template <int N>
inline void CardLedger::Refresh(OneBased<N>& last, const OneBased<N>& now, Counts& counts) {
    if (RowDiff(now, last) == 0) return;
    for (std::uint64_t changed = now.DiffersFrom(last); changed != 0; changed &= changed - 1) {
        const auto i = static_cast<std::size_t>(std::countr_zero(changed));
        counts.Remove(last.v[i]);
        counts.Add(now.v[i]);
    }
    last = now;
}

// The hands lie side by side in the game's state, and so do the four table rows.
static_assert(offsetof(GameState, computerHand) == offsetof(GameState, playerHand) + sizeof(OneBased<12>));
static_assert(offsetof(GameState, tableComputerDefence) == offsetof(GameState, tablePlayerAttack) + sizeof(OneBased<6>));
static_assert(offsetof(GameState, tableComputerAttack) == offsetof(GameState, tableComputerDefence) + sizeof(OneBased<6>));
static_assert(offsetof(GameState, tablePlayerDefence) == offsetof(GameState, tableComputerAttack) + sizeof(OneBased<6>));
constexpr std::size_t kHandsBytes = sizeof(OneBased<12>) + sizeof(OneBased<16>);
constexpr std::size_t kTableBytes = 4 * sizeof(OneBased<6>);

void CardLedger::Step(const GameState& state, const char* step) {
    lastStep_ = step;
    // The first step of a new deal sees the table of the game it replaces.
    if (dealing_) {
        dealing_ = false;
        return;
    }
    Check(state);
}

// Only a whole pair, a cover that beats its attack card, leaves as beaten. Anything else
// in the rows being cleared leaves play uncovered: the fault this ledger exists for.
void CardLedger::Beaten(const GameState& state, const OneBased<6>& attack,
                        const OneBased<6>& cover) {
    Check(state);
    for (int k = 1; k <= 6; ++k) {
        const std::uint64_t pair = (CardBit(attack[k]) | CardBit(cover[k])) & kAllCards;
        if (pair == 0) continue;
        if (Beats(cover[k], attack[k], state.trumpCard)) {
            beaten_ |= pair;
            continue;
        }
        uncovered_ |= pair;
        Note("card " + std::to_string(IsCard(attack[k]) ? attack[k] : cover[k]) +
             " left play uncovered");
    }
}

void CardLedger::Overflow(const OneBased<6>& attack, const OneBased<6>& cover) {
    overflow_ |= BitsOf(attack) | BitsOf(cover);
}

void CardLedger::Result(const GameState& state) {
    Check(state);
    atResult_ = Take(state);
    resultStands_ = true;
}

CardLedger::Snapshot CardLedger::Take(const GameState& s) {
    return {s.playerHand,
            s.computerHand,
            s.tablePlayerAttack,
            s.tableComputerDefence,
            s.tableComputerAttack,
            s.tablePlayerDefence,
            s.seenCards,
            {s.playerTookCount, s.computerTookCount},
            {s.playerDefendedCount, s.computerDefendedCount}};
}

void CardLedger::Check(const GameState& s) {
    // Most steps move no card: when hands, table, drawn cards and score are as at the last
    // look, nothing new can be wrong; all rows are compared at once.
    const Field score[4] = {s.playerTookCount, s.computerTookCount, s.playerDefendedCount,
                            s.computerDefendedCount};
    const std::uint64_t moved = Diff<kHandsBytes>(&s.playerHand, &last_.playerHand) |
                                Diff<kTableBytes>(&s.tablePlayerAttack, &last_.tablePlayerAttack) |
                                RowDiff(s.seenCards, last_.seenCards) | Diff<sizeof score>(score, score_);
    if (moved == 0) return;
    Refresh(last_.playerHand, s.playerHand, placed_);
    Refresh(last_.computerHand, s.computerHand, placed_);
    Refresh(last_.tablePlayerAttack, s.tablePlayerAttack, placed_);
    Refresh(last_.tableComputerDefence, s.tableComputerDefence, placed_);
    Refresh(last_.tableComputerAttack, s.tableComputerAttack, placed_);
    Refresh(last_.tablePlayerDefence, s.tablePlayerDefence, placed_);
    Refresh(last_.seenCards, s.seenCards, drawn_);
    std::memcpy(score_, score, sizeof score);

    // Once a result stands nothing moves: each change is one move too many.
    if (resultStands_) {
        const Snapshot now = Take(s);
        if (!(now == atResult_)) {
            ++afterResult_;
            atResult_ = now;
            Note("a move after the result");
        }
    }

    // A card in two rows, or twice in one, lies in two places.
    const std::uint64_t placed = placed_.cards & kAllCards, twice = placed_.twice & kAllCards;

    // Out of the stock into play; the trump card (entry 13) stays on display.
    std::uint64_t drawn = drawn_.cards & kAllCards;
    const std::uint64_t trump = CardBit(s.seenCards[13]) & kAllCards;
    if ((drawn_.twice & trump) == 0) drawn &= ~trump;

    const std::uint64_t gone = beaten_ | overflow_ | uncovered_;
    const std::uint64_t newTwice = twice & ~duplicate_;
    const std::uint64_t newBack = placed & gone & ~resurrected_;
    const std::uint64_t newLost = drawn & ~placed & ~gone & ~lost_;
    // A card still in the stock, or the trump card, in a hand or on the table.
    const std::uint64_t strays = placed & ~drawn & ~strayed_;
    if ((newTwice | newBack | newLost | strays) == 0) return;

    strayed_ |= strays;
    duplicate_ |= newTwice;
    resurrected_ |= newBack;
    lost_ |= newLost;
    for (int bit = 0; bit < 36; ++bit) {
        const std::uint64_t m = std::uint64_t{1} << bit;
        const std::string card = "card " + std::to_string(CodeOfBit(bit));
        if (newTwice & m) Note(card + " in two places");
        if (newBack & m) Note(card + " back in play after it had left");
        if (newLost & m) Note(card + " lost");
        if (strays & m) Note(card + " in play but never drawn");
    }
}

void CardLedger::Note(const std::string& fault) {
    if (firstFault_.empty()) firstFault_ = fault + ", at " + lastStep_;
}

}  // namespace durak::sim
