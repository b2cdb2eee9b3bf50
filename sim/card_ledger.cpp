#include "sim/card_ledger.h"

#include <array>
#include <cstring>

#include "cards/card_code.h"

namespace durak::sim {

int CardLedger::Bit(int code) { return 9 * SuitOf(code) + code % 50 - 6; }

void CardLedger::NewDeal() {
    beaten_.reset();
    duplicate_.reset();
    lost_.reset();
    firstFault_.clear();
}

void CardLedger::Step(const GameState& state, const char* step) {
    lastStep_ = step;
    // A new deal starts here: what lies about now belongs to the game it replaces.
    if (std::strstr(step, "NewGame") != nullptr) {
        NewDeal();
        return;
    }
    Check(state);
}

void CardLedger::Beaten(const OneBased<6>& attack, const OneBased<6>& cover) {
    for (int k = 1; k <= 6; ++k) {
        if (IsCard(attack[k])) beaten_.set(Bit(attack[k]));
        if (IsCard(cover[k])) beaten_.set(Bit(cover[k]));
    }
}

void CardLedger::Check(const GameState& s) {
    std::array<int, 36> places{};
    auto count = [&](int code) {
        if (IsCard(code)) ++places[Bit(code)];
    };
    for (int c : s.playerHand) count(c);
    for (int c : s.computerHand) count(c);
    for (int c : s.tablePlayerAttack) count(c);
    for (int c : s.tableComputerDefence) count(c);
    for (int c : s.tableComputerAttack) count(c);
    for (int c : s.tablePlayerDefence) count(c);

    for (int b = 0; b < 36; ++b) {
        if (places[b] > 1 && !duplicate_[b]) {
            duplicate_.set(b);
            if (firstFault_.empty())
                firstFault_ = "card in two places, at " + std::string(lastStep_);
        }
    }
    // Every card that left the stock (the trump card stays on display) must be in a hand,
    // on the table, or among the beaten cards.
    for (int k = 1; k <= 36; ++k) {
        if (k == 13) continue;
        const int c = s.seenCards[k];
        if (!IsCard(c)) continue;
        const int b = Bit(c);
        if (places[b] == 0 && !beaten_[b] && !lost_[b]) {
            lost_.set(b);
            if (firstFault_.empty())
                firstFault_ = "card " + std::to_string(c) + " lost, at " + std::string(lastStep_);
        }
    }
}

}  // namespace durak::sim
