#include "sim/simulator.h"

#include <chrono>
#include <ctime>
#include <cstdio>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>
#include <string_view>
#include <vector>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/input_dispatch.h"
#include "flow/procedures.h"
#include "sim/card_ledger.h"
#include "flow/menu_events.h"
#include "platform/pause_durations.h"
#include "platform/random_sources.h"

namespace durak::sim {

namespace {

// --- The platform without a window ---------------------------------------------

// A screen nobody looks at: every call does nothing.
class BlindScreen : public Screen {
public:
    void SetPicture(int, int) override {}
    void SetVisible(int, bool) override {}
    void ShowWindow() override {}
};

// Waits take no time here; what they would have lasted in the window is added up.
class InstantPauses : public Pauses {
public:
    void Wait(const Pause& p) override {
        waited += PauseDuration(p);
        if (trace) *trace << "      (pause " << static_cast<int>(p.kind) << ")\n";
    }
    std::ostream* trace = nullptr;
    std::chrono::nanoseconds waited{0};
};

// --- The trace: every step, every card that moved, every text printed ------------

// Where each card lies: "P3" hand slot 3, "C12", "A1" … for the four table rows.
std::map<int, std::string> Places(const GameState& s) {
    std::map<int, std::string> at;
    auto note = [&](const char* row, int k, int c) {
        if (IsCard(c)) at[c] += std::string(at[c].empty() ? "" : "+") + row + std::to_string(k);
    };
    for (int k = 1; k <= 12; ++k) note("P", k, s.playerHand[k]);
    for (int k = 1; k <= 16; ++k) note("C", k, s.computerHand[k]);
    for (int k = 1; k <= 6; ++k) {
        note("A", k, s.tablePlayerAttack[k]);
        note("D", k, s.tableComputerDefence[k]);
        note("K", k, s.tableComputerAttack[k]);
        note("E", k, s.tablePlayerDefence[k]);
    }
    return at;
}

class TracingLedger : public CardLedger {
public:
    TracingLedger(const Game& g, std::ostream& out) : g_(g), out_(out) {}

    void Step(const GameState& state, const char* step) override {
        Report(state);
        CardLedger::Step(state, step);
        out_ << std::string(static_cast<std::size_t>(2 * std::min(g_.chain.depth, 40)), ' ')
             << StepName(step) << "\n";
    }
    // Moves and texts since the last look.
    void Report(const GameState& state) {
        auto now = Places(state);
        for (const auto& [card, where] : now) {
            auto it = before_.find(card);
            if (it == before_.end()) {
                out_ << "      card " << card << " -> " << where << "\n";
            } else if (it->second != where) {
                out_ << "      card " << card << " " << it->second << " -> " << where << "\n";
            }
        }
        for (const auto& [card, where] : before_)
            if (!now.count(card)) out_ << "      card " << card << " " << where << " -> off\n";
        before_ = std::move(now);
        const auto& runs = g_.text.Runs();
        if (runs.size() < shownRuns_) shownRuns_ = 0;  // the text was cleared
        for (; shownRuns_ < runs.size(); ++shownRuns_) {
            const auto& r = runs[shownRuns_];
            out_ << "      text (" << r.x << ", " << r.y << ") \"" << r.text << "\"\n";
        }
    }

private:
    const Game& g_;
    std::ostream& out_;
    std::map<int, std::string> before_;
    std::size_t shownRuns_ = 0;
};

// --- Faults planted on purpose, for the tests of the ledger ------------------------

// Stands between the game and the ledger and, once in the first game, breaks the rules
// the ledger is there to guard. Every call is passed on to the ledger after the harm.
class FaultPlanter : public PlayWatcher {
public:
    FaultPlanter(Game& g, PlantedFault fault, PlayWatcher& ledger)
        : g_(g), fault_(fault), ledger_(ledger) {}

    void Step(const GameState& state, const char* step) override {
        if (!done_ && std::string_view(step).find("RefillFromStock") != std::string_view::npos)
            Plant();
        ledger_.Step(state, step);
    }
    void Beaten(const GameState& state, const OneBased<6>& attack,
                const OneBased<6>& cover) override {
        for (int k = 1; k <= 6 && beaten_ == 0; ++k)
            if (attack[k] != 0 && cover[k] != 0) beaten_ = attack[k];
        ledger_.Beaten(state, attack, cover);
    }
    void Overflow(const OneBased<6>& attack, const OneBased<6>& cover) override {
        ledger_.Overflow(attack, cover);
    }
    void CardDown(const GameState& state, Seat seat, Lay lay, int card) override {
        ledger_.CardDown(state, seat, lay, card);
    }
    void Took(const GameState& state, Seat seat, const std::vector<int>& cards) override {
        ledger_.Took(state, seat, cards);
    }
    void Drew(const GameState& state, Seat seat, int card) override { ledger_.Drew(state, seat, card); }
    void Dealt(const GameState& state) override { ledger_.Dealt(state); }
    void Result(const GameState& state) override { ledger_.Result(state); }

private:
    void Plant() {
        const int from = FirstCardSlot();
        const int free = FirstFreeSlot();
        if (from == 0 || free == 0) return;
        switch (fault_) {
            case PlantedFault::None: return;
            case PlantedFault::DropCard: g_.playerHand[from] = 0; break;
            case PlantedFault::DoubleCard: g_.playerHand[free] = g_.playerHand[from]; break;
            case PlantedFault::ClearUncovered: {
                int pair = 1;
                while (pair < 6 && (g_.tablePlayerAttack[pair] || g_.tableComputerDefence[pair])) ++pair;
                g_.tablePlayerAttack[pair] = g_.playerHand[from];
                g_.tableComputerDefence[pair] = 0;
                g_.playerHand[from] = 0;
                ClearBeatenRows(g_, g_.tablePlayerAttack, g_.tableComputerDefence);
                break;
            }
            case PlantedFault::Resurrect:
                if (beaten_ == 0) return;  // wait for the first beaten pair
                g_.playerHand[free] = static_cast<Field>(beaten_);
                break;
        }
        done_ = true;
    }
    int FirstCardSlot() const {
        for (int k = 1; k <= 12; ++k)
            if (g_.playerHand[k] != 0) return k;
        return 0;
    }
    int FirstFreeSlot() const {
        for (int k = 12; k >= 1; --k)
            if (g_.playerHand[k] == 0) return k;
        return 0;
    }

    Game& g_;
    PlantedFault fault_;
    PlayWatcher& ledger_;
    int beaten_ = 0;  // a card seen leaving play as beaten
    bool done_ = false;
};

// CPU time the program has used: what the games cost, whatever else the machine runs.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// --- Playing ------------------------------------------------------------------------

enum class Outcome { None, Player, Computer, Draw };

// A game is over when a result stands on the status line and a hand is empty.
Outcome Result(const Game& g) {
    const bool playerEmpty = g.playerHand.AllZero();
    const bool computerEmpty = g.computerHand.AllZero();
    if (!playerEmpty && !computerEmpty) return Outcome::None;
    const auto shown = [&](const char* message) { return g.text.HasRunAt(50, 6420, message); };
    if (!shown("Мы выиграли") && !shown("Комп выиграл") && !shown("Ничья")) return Outcome::None;
    if (playerEmpty && computerEmpty) return Outcome::Draw;
    return playerEmpty ? Outcome::Player : Outcome::Computer;
}

class Table {
public:
    explicit Table(const SimOptions& o)
        : options_(o), random_(o.seed), chooser_(o.seed * 0x9E3779B97F4A7C15ULL + 1),
          g_(screen_, text_, pauses_, random_) {
        if (o.trace) {
            tracer_ = std::make_unique<TracingLedger>(g_, *o.trace);
            pauses_.trace = o.trace;
        }
        ledger_ = tracer_ ? tracer_.get() : &plainLedger_;
        g_.watcher = ledger_;
        if (o.plant != PlantedFault::None) {
            planter_ = std::make_unique<FaultPlanter>(g_, o.plant, *ledger_);
            g_.watcher = planter_.get();
        }
        Form_Load(g_);
        if (o.mode == SimMode::TwoComputers) {
            if (o.pace == kPaceMedium) MenuMediumGame(g_);
            else if (o.pace == kPaceSlow) MenuSlowGame(g_);
            else MenuFastGame(g_);
        }
    }

    SimReport Run() {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = CpuSeconds();
        while (report_.games < options_.games) PlayGame();
        report_.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        report_.cpuSeconds = CpuSeconds() - cpuStart;
        report_.maxDepth = g_.chain.maxDepth;
        report_.windowSeconds = std::chrono::duration<double>(pauses_.waited).count();
        return report_;
    }

private:
    // One game from "Новая" until its result, a guard, or the next "Новая".
    void PlayGame() {
        ++report_.games;
        if (report_.games == 2 && (tracer_ || planter_)) {  // only the first game
            g_.watcher = ledger_ = &plainLedger_;
            pauses_.trace = nullptr;
        }
        // Mixed play: each game starts in a mode of its own, against the computer or
        // between two computers at one of the paces (and may be switched later).
        if (options_.mode == SimMode::Mixed) {
            static constexpr ClickEvent kModes[] = {MenuOneComputer, MenuFastGame,
                                                    MenuMediumGame, MenuSlowGame};
            RunEvent(Chance(0.5) ? kModes[0] : kModes[1 + Pick(3)], false);
        }
        const bool tracing = tracer_ && ledger_ == tracer_.get();
        if (tracing) *options_.trace << "== game 1: Новая\n";
        ledger_->NewDeal();
        settled_ = false;
        result_ = false;
        bool clickedAfterChain = false;

        RunEvent(MenuNewGame);
        Settle();
        for (int events = 0; !settled_; ++events) {
            if (events >= options_.eventsPerGame) {
                ++report_.runaway;
                break;
            }
            if (options_.mode == SimMode::Mixed && Chance(0.03)) {
                if (PlayMenu()) {
                    ++report_.abandoned;  // "Новая": the next deal replaces this game
                    break;
                }
                Settle();
                continue;
            }
            // A chain of moves between two computers came to rest before the game had a
            // result. (A menu choice that only switched the mode moved nothing.)
            if (g_.playMode == kPlayModeTwoComputers && movesRan_ && !clickedAfterChain) {
                ++report_.unfinished;
                clickedAfterChain = true;
            }
            Click();
            Settle();
        }
        if (settled_ && result_) PressAfterResult();
        report_.duplicates += ledger_->Duplicates();
        report_.lost += ledger_->Lost();
        report_.uncovered += ledger_->Uncovered();
        report_.resurrected += ledger_->Resurrected();
        report_.overflow += ledger_->Overflowed();
        report_.afterResult += ledger_->AfterResult();
        if (tracing && !ledger_->FirstFault().empty())
            *options_.trace << "   fault: " << ledger_->FirstFault() << "\n";
    }

    // A finished game stays finished: the button and two hand slots, pressed once more,
    // must move nothing (the ledger counts every move after the result).
    void PressAfterResult() {
        RunEvent(Image70_Click);
        RunEvent(ClickEventOf(HandSlotControl(1 + Pick(12))));
        RunEvent(ClickEventOf(HandSlotControl(1 + Pick(12))));
    }

    // A random menu choice; true for "Новая".
    bool PlayMenu() {
        switch (Pick(8)) {
            case 0: return true;
            case 1: RunEvent(MenuOneComputer, false); break;
            case 2: RunEvent(MenuTwoComputers, false); break;
            case 3: RunEvent(MenuFastGame, false); break;
            case 4: RunEvent(MenuMediumGame, false); break;
            case 5: RunEvent(MenuSlowGame, false); break;
            default: RunEvent(MenuAuthor, false); break;
        }
        return false;
    }

    // The button now and then, otherwise a hand slot, mostly one that holds a card.
    void Click() {
        if (Chance(0.12)) {
            RunEvent(Image70_Click);
            return;
        }
        int slot = 1 + Pick(12);
        if (Chance(0.8)) {
            for (int tries = 0; tries < 12 && g_.playerHand[slot] == 0; ++tries)
                slot = slot % 12 + 1;
        }
        RunEvent(ClickEventOf(HandSlotControl(slot)));
    }

    // `playsMoves`: the event starts a chain of game steps (a menu choice of the mode or
    // the credit line does not).
    void RunEvent(ClickEvent event, bool playsMoves = true) {
        ++report_.events;
        movesRan_ = playsMoves;
        try {
            event(g_);
        } catch (const ChainRunaway& stop) {
            ++report_.runaway;
            settled_ = true;
            if (tracer_ && ledger_ == tracer_.get())
                *options_.trace << "   runaway: " << stop.what() << "\n";
        }
        report_.steps += g_.chain.steps;  // each event starts counting from 0
        ledger_->Check(g_);
        if (tracer_ && ledger_ == tracer_.get()) tracer_->Report(g_);
    }

    // After each event: is the game over?
    void Settle() {
        if (settled_) return;
        switch (Result(g_)) {
            case Outcome::None: return;
            case Outcome::Player: ++report_.player; break;
            case Outcome::Computer: ++report_.computer; break;
            case Outcome::Draw: ++report_.draw; break;
        }
        settled_ = true;
        result_ = true;
        if (tracer_ && ledger_ == tracer_.get())
            *options_.trace << "== game 1 over: " << g_.text.Dump();
    }

    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(chooser_) < p; }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(chooser_); }

private:
    const SimOptions& options_;
    SeededRandom random_;
    std::mt19937_64 chooser_;
    BlindScreen screen_;
    TextLayer text_;
    InstantPauses pauses_;
    Game g_;
    CardLedger plainLedger_;
    std::unique_ptr<TracingLedger> tracer_;
    std::unique_ptr<FaultPlanter> planter_;
    CardLedger* ledger_ = nullptr;
    SimReport report_;
    bool settled_ = true;
    bool result_ = false;  // the game ended with a result, not by a guard or "Новая"
    bool movesRan_ = false;  // the latest event started a chain of game steps
};

}  // namespace

SimReport Simulate(const SimOptions& options) {
    Table table(options);
    return table.Run();
}

std::string SummaryLine(const SimReport& r) {
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.0f", r.cpuSeconds > 0 ? r.games / r.cpuSeconds : 0.0);
    std::ostringstream out;
    out << "games=" << r.games << " player=" << r.player << " computer=" << r.computer
        << " draw=" << r.draw << " unfinished=" << r.unfinished << " duplicates=" << r.duplicates
        << " lost=" << r.lost << " uncovered=" << r.uncovered << " resurrected=" << r.resurrected
        << " overflow=" << r.overflow << " after_result=" << r.afterResult
        << " runaway=" << r.runaway << " max_depth=" << r.maxDepth << " games_per_s=" << rate;
    return out.str();
}

}  // namespace durak::sim
