// The simulator's bookkeeping of where every card is. After every game step it checks
// that no card lies in two places at once and that no card has left play except as a
// beaten card cleared from the table.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

#include "flow/game.h"

namespace durak::sim {

class CardLedger : public PlayWatcher {
public:
    // A new deal is about to start (right before "Новая"): everything counted so far
    // belongs to the previous game, and the next step, the deal itself, is not checked.
    void NewDeal();

    void Step(const GameState& state, const char* step) override;
    void Beaten(const OneBased<6>& attack, const OneBased<6>& cover) override;

    // Checks the state as it stands (also called by the simulator after each event).
    void Check(const GameState& state);

    // Distinct cards of the current game found in two places, and lost.
    int Duplicates() const { return std::popcount(duplicate_); }
    int Lost() const { return std::popcount(lost_) + strays_; }
    // A description of the first fault of the current game, for the trace.
    const std::string& FirstFault() const { return firstFault_; }
    const char* LastStep() const { return lastStep_; }

private:
    void Note(const std::string& fault);

    struct Snapshot {
        OneBased<12> player;
        OneBased<16> computer;
        OneBased<6> a, d, k, e;
        OneBased<36> seen;
        bool operator==(const Snapshot&) const = default;
    };
    bool Unchanged(const GameState& s) const;
    void Remember(const GameState& s);
    Snapshot last_;
    bool haveLast_ = false;
    bool dealing_ = false;

    // One bit a card (9 × suit + rank − 6).
    std::uint64_t beaten_ = 0, duplicate_ = 0, lost_ = 0;
    int strays_ = 0;  // steps at which a card not drawn from the stock was in play
    std::string firstFault_;
    const char* lastStep_ = "";
};

}  // namespace durak::sim
