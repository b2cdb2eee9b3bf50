// The headless simulator: plays many games without a window, through the same game
// steps as the window, on a screen that shows nothing and pauses that take no time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace durak::sim {

enum class SimMode {
    TwoComputers,  // every game as "Новая" plays it between two computers
    Human,         // the bottom seat clicks random hand slots and the button
    Mixed,         // clicks, plus random menu choices at random moments
};

// Faults the ledger must catch, planted on purpose into the first game by the tests of
// the ledger itself; a normal run plants none.
enum class PlantedFault {
    None,
    DropCard,       // a card of the player's hand vanishes
    DoubleCard,     // a card of the player's hand appears in a second slot as well
    ClearUncovered, // a card of the hand is laid uncovered and cleared as beaten
    Resurrect,      // a beaten card comes back into the player's hand
};

struct SimOptions {
    std::int64_t games = 1000;
    std::uint64_t seed = 1;
    SimMode mode = SimMode::TwoComputers;
    int pace = 1;  // two-computer games: 1 fast, 300 medium, 600 slow
    std::ostream* trace = nullptr;  // when set: the first game, step by step
    int eventsPerGame = 5000;       // a game that needs more clicks counts as a runaway
    PlantedFault plant = PlantedFault::None;
};

struct SimReport {
    std::int64_t games = 0;       // games dealt
    std::int64_t player = 0;      // won by the bottom seat
    std::int64_t computer = 0;    // won by the computer
    std::int64_t draw = 0;
    std::int64_t unfinished = 0;  // the chain ended without a result; a click was needed
    std::int64_t abandoned = 0;   // replaced by "Новая" before a result
    std::int64_t duplicates = 0;  // cards found in two places at once
    std::int64_t lost = 0;        // cards gone missing
    std::int64_t uncovered = 0;   // cards that left play without being beaten
    std::int64_t resurrected = 0; // cards back in play after they had left it
    std::int64_t overflow = 0;    // cards no slot of a full hand could hold (not a fault)
    std::int64_t afterResult = 0; // moves made after a result stood
    std::int64_t runaway = 0;     // games stopped by a guard
    std::int64_t events = 0;      // menu choices and clicks
    std::int64_t steps = 0;       // game steps run
    int maxDepth = 0;             // deepest nesting of game steps
    double seconds = 0;           // wall-clock time of the games
    double cpuSeconds = 0;        // CPU time of the games (games_per_s is per CPU-second)
    double windowSeconds = 0;     // what the waits would have lasted in the window

    bool Clean() const {
        return duplicates == 0 && lost == 0 && uncovered == 0 && resurrected == 0 &&
               afterResult == 0 && runaway == 0;
    }
};

SimReport Simulate(const SimOptions& options);

// The report's last line: games=... player=... ... games_per_s=...
std::string SummaryLine(const SimReport& report);

}  // namespace durak::sim
