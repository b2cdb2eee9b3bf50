#include "sim/card_ledger.h"

#include <cstdint>

#include "cards/card_code.h"

namespace durak::sim {

namespace {

// How often each code lies in the rows given, by code; a code of no card is counted
// too, but no card's count is ever read there.
template <typename... Rows>
std::array<std::uint8_t, kCodes> Tally(const Rows&... rows) {
    std::array<std::uint8_t, kCodes> times{};
    const auto add = [&times](const auto& row) {
        for (int c : row)
            if (c > 0 && c < kCodes) ++times[static_cast<std::size_t>(c)];
    };
    (add(rows), ...);
    return times;
}

// A cover beats its attack card: a higher card of the same suit, or any trump (also a
// lower one, as the game allows).
bool Beats(int cover, int attack, int trumpCard) {
    if (!IsCard(cover) || !IsCard(attack)) return false;
    if (SuitOf(cover) == SuitOf(attack) && cover > attack) return true;
    return IsTrump(cover, trumpCard);
}

}  // namespace

int CardLedger::Count(const Cards& cards) {
    int n = 0;
    for (bool in : cards) n += in;
    return n;
}

int CardLedger::Duplicates() const {
    int n = 0;
    for (std::size_t c = 0; c < kCodes; ++c) n += duplicate_[c] || strayed_[c];
    return n;
}

void CardLedger::NewDeal() {
    beaten_ = overflow_ = uncovered_ = Cards{};
    duplicate_ = lost_ = resurrected_ = strayed_ = Cards{};
    afterResult_ = 0;
    resultStands_ = false;
    dealing_ = true;
    firstFault_.clear();
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
        if (!IsCard(attack[k]) && !IsCard(cover[k])) continue;
        Cards& gone = Beats(cover[k], attack[k], state.trumpCard) ? beaten_ : uncovered_;
        for (int c : {attack[k], cover[k]})
            if (IsCard(c)) gone[static_cast<std::size_t>(c)] = true;
        if (&gone == &uncovered_)
            Note("card " + std::to_string(IsCard(attack[k]) ? attack[k] : cover[k]) +
                 " left play uncovered");
    }
}

void CardLedger::Overflow(const OneBased<6>& attack, const OneBased<6>& cover) {
    for (int k = 1; k <= 6; ++k)
        for (int c : {attack[k], cover[k]})
            if (IsCard(c)) overflow_[static_cast<std::size_t>(c)] = true;
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

// Every card counted afresh: where it lies now, against where it has been.
void CardLedger::Check(const GameState& s) {
    // Once a result stands nothing moves: each change is one move too many.
    if (resultStands_) {
        const Snapshot now = Take(s);
        if (!(now == atResult_)) {
            ++afterResult_;
            atResult_ = now;
            Note("a move after the result");
        }
    }

    const auto placed = Tally(s.playerHand, s.computerHand, s.tablePlayerAttack,
                              s.tableComputerDefence, s.tableComputerAttack, s.tablePlayerDefence);
    const auto drawn = Tally(s.seenCards);  // the deal, the trump card, the stock's draws
    const int trump = s.seenCards[13];

    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 6; rank <= 14; ++rank) {
            const int c = 50 * suit + rank;
            const auto at = static_cast<std::size_t>(c);
            const bool inPlay = placed[at] > 0;
            // Out of the stock into play; the trump card stays on display.
            const bool outOfStock = drawn[at] > (c == trump ? 1 : 0);
            const bool gone = beaten_[at] || overflow_[at] || uncovered_[at];
            if (placed[at] > 1 && !duplicate_[at]) Report(c, duplicate_, " in two places");
            if (inPlay && gone && !resurrected_[at])
                Report(c, resurrected_, " back in play after it had left");
            if (outOfStock && !inPlay && !gone && !lost_[at]) Report(c, lost_, " lost");
            // A card still in the stock, or the trump card, in a hand or on the table.
            if (inPlay && !outOfStock && !strayed_[at])
                Report(c, strayed_, " in play but never drawn");
        }
    }
}

// A fault of a card seen for the first time: counted once, and named if it is the first.
void CardLedger::Report(int card, Cards& faults, const char* what) {
    faults[static_cast<std::size_t>(card)] = true;
    Note("card " + std::to_string(card) + what);
}

void CardLedger::Note(const std::string& fault) {
    if (firstFault_.empty()) firstFault_ = fault + ", at " + lastStep_;
}

}  // namespace durak::sim
