// The simulator's bookkeeping of all 36 cards. Every card is in exactly one place: the
// stock (never drawn), the trump card on display, a hand or the table, or out of play.
// A card leaves play as beaten only from a covered pair; cards no slot of a full hand
// could hold leave with the table and are counted apart. After every game step the
// ledger checks that no card lies in two places, none has gone missing, none left play
// uncovered, none came back once out of play, and nothing moved after a result.
#pragma once

#include <array>
#include <string>

#include "flow/game.h"

namespace durak::sim {

// Every card's code lies below this.
constexpr int kCodes = 165;

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
    int Duplicates() const;
    int Lost() const { return Count(lost_); }
    int Uncovered() const { return Count(uncovered_); }
    int Resurrected() const { return Count(resurrected_); }
    // Not a fault: cards that left play with the table because the taking hand was full.
    int Overflowed() const { return Count(overflow_); }
    // Steps after which a card or a statistic had moved although a result stood.
    int AfterResult() const { return afterResult_; }

    // A description of the first fault of the current game, for the trace.
    const std::string& FirstFault() const { return firstFault_; }

private:
    // A set of cards, by code.
    using Cards = std::array<bool, kCodes>;
    static int Count(const Cards& cards);
    void Report(int card, Cards& faults, const char* what);
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

    // Cards that have left play, by the way they went.
    Cards beaten_{}, overflow_{}, uncovered_{};
    // Cards found at fault, each reported once.
    Cards duplicate_{}, lost_{}, resurrected_{};
    Cards strayed_{};  // cards of the stock, or the trump card, seen in play
    int afterResult_ = 0;
    std::string firstFault_;
    const char* lastStep_ = "";
};

}  // namespace durak::sim
