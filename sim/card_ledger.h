// The simulator's bookkeeping of all 36 cards. Every card is in exactly one place: the
// stock (never drawn), the trump card on display, a hand or the table, or out of play.
// A card leaves play as beaten only from a covered pair; cards no slot of a full hand
// could hold leave with the table and are counted apart. After every game step the
// ledger checks that no card lies in two places, none has gone missing, none left play
// uncovered, none came back once out of play, and nothing moved after a result.
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
    void Beaten(const GameState& state, const OneBased<6>& attack,
                const OneBased<6>& cover) override;
    void Overflow(const OneBased<6>& attack, const OneBased<6>& cover) override;
    void Result(const GameState& state) override;

    // Checks the state as it stands (also called by the simulator after each event).
    void Check(const GameState& state);

    // Faults of the current game, each card counted once.
    int Duplicates() const { return std::popcount(duplicate_ | strayed_); }
    int Lost() const { return std::popcount(lost_); }
    int Uncovered() const { return std::popcount(uncovered_); }
    int Resurrected() const { return std::popcount(resurrected_); }
    // Not a fault: cards that left play with the table because the taking hand was full.
    int Overflowed() const { return std::popcount(overflow_); }
    // Steps after which a card or a statistic had moved although a result stood.
    int AfterResult() const { return afterResult_; }

    // A description of the first fault of the current game, for the trace.
    const std::string& FirstFault() const { return firstFault_; }
    const char* LastStep() const { return lastStep_; }

private:
    void Note(const std::string& fault);

    // What the ledger compares with the state at the result: where the cards are, and
    // the score.
    struct Snapshot {
        OneBased<12> player;
        OneBased<16> computer;
        OneBased<6> a, d, k, e;
        OneBased<36> seen;
        Field took[2] = {0, 0};
        Field defended[2] = {0, 0};
        bool operator==(const Snapshot&) const = default;
    };
    static Snapshot Take(const GameState& s);
    Snapshot atResult_;
    bool dealing_ = false;
    bool resultStands_ = false;

    // Where the cards stand, kept up to date from what each step changed. Every row of
    // places (a hand, a table row, the drawn cards) is kept as at the last look; a step
    // that left a row as it was costs a comparison of a few words, and of a changed row
    // only the entries that differ are read. Each card's count over the hands and the
    // table (and apart from them, over the drawn cards) tells at once which cards lie in
    // two places.
    struct Counts {
        std::uint8_t of[37] = {};     // by card index; index 36 takes every code of no card
        std::uint64_t cards = 0;      // cards counted at least once
        std::uint64_t twice = 0;      // cards counted more than once
        void Add(int code);
        void Remove(int code);
    };
    template <int N>
    void Refresh(OneBased<N>& last, const OneBased<N>& now, Counts& counts);
    // The rows as at the last look, where the game keeps them: rows that lie side by
    // side in the game's state are compared as one.
    GameState last_;
    Counts placed_;  // hands and table
    Counts drawn_;   // the deal, the trump card and the stock's draws
    Field score_[4] = {0, 0, 0, 0};

    // One bit a card (9 × suit + rank − 6).
    std::uint64_t beaten_ = 0, overflow_ = 0, uncovered_ = 0;
    std::uint64_t duplicate_ = 0, lost_ = 0, resurrected_ = 0;
    std::uint64_t strayed_ = 0;  // cards of the stock, or the trump card, seen in play
    int afterResult_ = 0;
    std::string firstFault_;
    const char* lastStep_ = "";
};

}  // namespace durak::sim
