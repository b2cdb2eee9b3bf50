#include "sim/card_ledger.h"

#include <array>

#include "cards/card_code.h"

namespace durak::sim {

namespace {
std::uint64_t BitOf(int c);
}

void CardLedger::NewDeal() {
    beaten_ = duplicate_ = lost_ = 0;
    haveLast_ = false;
    dealing_ = true;
    strays_ = 0;
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

void CardLedger::Beaten(const OneBased<6>& attack, const OneBased<6>& cover) {
    for (int k = 1; k <= 6; ++k) {
        beaten_ |= BitOf(attack[k]) | BitOf(cover[k]);
    }
}

namespace {

// Bit 0..35 of each card code; bit 36 for 0 and every value that is no card.
constexpr int kNoCardBit = 36;
constexpr auto kBitOfCode = [] {
    std::array<std::uint8_t, 166> bits{};
    for (int c = 0; c < 166; ++c)
        bits[static_cast<std::size_t>(c)] =
            static_cast<std::uint8_t>(IsCard(c) ? 9 * SuitOf(c) + c % 50 - 6 : kNoCardBit);
    return bits;
}();

std::uint64_t BitOf(int c) {
    return std::uint64_t{1} << ((c > 0 && c < 166) ? kBitOfCode[static_cast<std::size_t>(c)] : kNoCardBit);
}

int CodeOfBit(int bit) { return 50 * (bit / 9) + bit % 9 + 6; }

}  // namespace

void CardLedger::Check(const GameState& s) {
    // Most steps move no card: when hands, table and the drawn cards are as at the last
    // look, nothing new can be wrong (beaten cards only ever grow).
    if (haveLast_ && Unchanged(s)) return;
    Remember(s);

    // Each card marks its bit once; a bit already marked is a card in a second place.
    std::uint64_t placed = 0, twice = 0;
    auto mark = [&](const auto& row) {
        for (int c : row) {
            const std::uint64_t bit = BitOf(c);
            twice |= placed & bit;
            placed |= bit;
        }
    };
    mark(s.playerHand);
    mark(s.computerHand);
    mark(s.tablePlayerAttack);
    mark(s.tableComputerDefence);
    mark(s.tableComputerAttack);
    mark(s.tablePlayerDefence);

    std::uint64_t drawn = 0;  // cards out of the stock; the trump card stays on display
    for (int k = 1; k <= 36; ++k)
        if (k != 13) drawn |= BitOf(s.seenCards[k]);

    const std::uint64_t cards = (std::uint64_t{1} << kNoCardBit) - 1;
    placed &= cards;
    twice &= cards;
    drawn &= cards;
    const std::uint64_t newTwice = twice & ~duplicate_;
    const std::uint64_t newLost = drawn & ~placed & ~beaten_ & ~lost_;
    const std::uint64_t strays = placed & ~drawn;
    if ((newTwice | newLost | strays) == 0) return;

    duplicate_ |= newTwice;
    lost_ |= newLost;
    for (int bit = 0; bit < 36; ++bit) {
        const std::uint64_t m = std::uint64_t{1} << bit;
        if (newTwice & m) Note("card " + std::to_string(CodeOfBit(bit)) + " in two places");
        if (newLost & m) Note("card " + std::to_string(CodeOfBit(bit)) + " lost");
    }
    // A card that never left the stock, or the trump card, turned up in play.
    if (strays) {
        ++strays_;
        Note("a card from outside play turned up");
    }
}

bool CardLedger::Unchanged(const GameState& s) const {
    return s.playerHand == last_.player && s.computerHand == last_.computer &&
           s.tablePlayerAttack == last_.a && s.tableComputerDefence == last_.d &&
           s.tableComputerAttack == last_.k && s.tablePlayerDefence == last_.e &&
           s.seenCards == last_.seen;
}

void CardLedger::Remember(const GameState& s) {
    last_ = {s.playerHand, s.computerHand, s.tablePlayerAttack, s.tableComputerDefence,
             s.tableComputerAttack, s.tablePlayerDefence, s.seenCards};
    haveLast_ = true;
}

void CardLedger::Note(const std::string& fault) {
    if (firstFault_.empty()) firstFault_ = fault + ", at " + lastStep_;
}

}  // namespace durak::sim
