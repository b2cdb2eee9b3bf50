#include "sim/card_ledger.h"

#include <cstring>
#include <utility>

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

}  // namespace

void CardLedger::NewDeal() {
    beaten_ = overflow_ = uncovered_ = 0;
    duplicate_ = lost_ = resurrected_ = 0;
    strayed_ = 0;
    afterResult_ = 0;
    player_.valid = computer_.valid = a_.valid = d_.valid = k_.valid = e_.valid = false;
    seen_.valid = false;
    resultStands_ = false;
    dealing_ = true;
    firstFault_.clear();
}

// Two rows hold the same entries: compared eight bytes at a time, all words at once.
template <std::size_t... Word>
bool SameWords(const unsigned char* p, const unsigned char* q, std::index_sequence<Word...>) {
    const auto word = [](const unsigned char* at) {
        std::uint64_t w;
        std::memcpy(&w, at, sizeof w);
        return w;
    };
    return ((word(p + 8 * Word) ^ word(q + 8 * Word)) | ... | 0) == 0;
}

template <std::size_t Bytes>
bool SameBytes(const void* a, const void* b) {
    static_assert(Bytes % 4 == 0);
    const auto* p = static_cast<const unsigned char*>(a);
    const auto* q = static_cast<const unsigned char*>(b);
    if (!SameWords(p, q, std::make_index_sequence<Bytes / 8>{})) return false;
    if constexpr (Bytes % 8 != 0) return std::memcmp(p + Bytes - 4, q + Bytes - 4, 4) == 0;
    return true;
}

template <int N>
inline bool CardLedger::Row<N>::Refresh(const OneBased<N>& now) {
    if (valid && SameBytes<sizeof last.v>(now.v.data(), last.v.data())) return false;
    last = now;
    valid = true;
    cards = twice = 0;
    for (int c : now) {
        const std::uint64_t bit = CardBit(c);
        twice |= cards & bit;
        cards |= bit;
    }
    cards &= kAllCards;
    twice &= kAllCards;
    return true;
}

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
    // look, nothing new can be wrong. Each row that did change is read once more.
    bool changed = player_.Refresh(s.playerHand);
    changed |= computer_.Refresh(s.computerHand);
    changed |= a_.Refresh(s.tablePlayerAttack);
    changed |= d_.Refresh(s.tableComputerDefence);
    changed |= k_.Refresh(s.tableComputerAttack);
    changed |= e_.Refresh(s.tablePlayerDefence);
    changed |= seen_.Refresh(s.seenCards);
    const Field score[4] = {s.playerTookCount, s.computerTookCount, s.playerDefendedCount,
                            s.computerDefendedCount};
    if (std::memcmp(score, score_, sizeof score) != 0) {
        std::memcpy(score_, score, sizeof score);
        changed = true;
    }
    if (!changed) return;

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
    std::uint64_t placed = 0, twice = 0;
    for (const auto& [cards, within] : {std::pair{player_.cards, player_.twice},
                                       std::pair{computer_.cards, computer_.twice},
                                       std::pair{a_.cards, a_.twice}, std::pair{d_.cards, d_.twice},
                                       std::pair{k_.cards, k_.twice}, std::pair{e_.cards, e_.twice}}) {
        twice |= within | (placed & cards);
        placed |= cards;
    }

    // Out of the stock into play; the trump card (entry 13) stays on display.
    std::uint64_t drawn = seen_.cards;
    const std::uint64_t trump = CardBit(s.seenCards[13]) & kAllCards;
    if ((seen_.twice & trump) == 0) drawn &= ~trump;

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
