// The simulator's bookkeeping of where every card is. After every game step it checks
// that no card lies in two places at once and that no card has left play except as a
// beaten card cleared from the table.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>

#include "flow/game.h"

namespace durak::sim {

class CardLedger : public PlayWatcher {
public:
    // A new deal: everything counted so far belongs to the previous game.
    void NewDeal();

    void Step(const GameState& state, const char* step) override;
    void Beaten(const OneBased<6>& attack, const OneBased<6>& cover) override;

    // Checks the state as it stands (also called by the simulator after each event).
    void Check(const GameState& state);

    // Distinct cards of the current game found in two places, and lost.
    int Duplicates() const { return static_cast<int>(duplicate_.count()); }
    int Lost() const { return static_cast<int>(lost_.count()); }
    // A description of the first fault of the current game, for the trace.
    const std::string& FirstFault() const { return firstFault_; }
    const char* LastStep() const { return lastStep_; }

private:
    static int Bit(int code);  // 0..35 for a card

    std::bitset<36> beaten_, duplicate_, lost_;
    std::string firstFault_;
    const char* lastStep_ = "";
};

}  // namespace durak::sim
