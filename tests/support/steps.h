// The steps of a chain as a watcher sees them, each with the state and the display it
// started from, so a test reads what one step handed to the next before later steps
// changed it. The log is also the one way to cut a chain at a named step: the step is
// logged and then not run, so a test reads what led up to it without depending on it.
#pragma once

#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace durak::fakes {

// Thrown when the chain reaches a step it is cut at.
struct ChainCut {
    std::string step;
};

class StepLog : public PlayWatcher {
public:
    struct Seen {
        std::string step;  // "ComputerDefend"
        GameState state;
        std::string text;  // TextLayer::Dump()
        std::int64_t penX, penY;
        std::size_t waits, screenOps;  // how many had been recorded
        int reseeds;
        std::size_t randomLeft;
    };

    // Logs every step of the table's game; a step named in `cutAt` ends the chain there.
    explicit StepLog(TestTable& t, std::initializer_list<const char*> cutAt = {})
        : t_(t), cuts_(cutAt.begin(), cutAt.end()) {
        t.g.watcher = this;
    }
    ~StepLog() override { t_.g.watcher = nullptr; }
    StepLog(const StepLog&) = delete;
    StepLog& operator=(const StepLog&) = delete;

    void Step(const GameState& s, const char* step) override {
        seen.push_back({std::string(StepName(step)), s, t_.text.Dump(), t_.text.PenX(),
                        t_.text.PenY(), t_.pauses.waits.size(), t_.screen.log.size(),
                        t_.random.reseeds, t_.random.values.size()});
        if (cuts_.count(seen.back().step)) throw ChainCut{seen.back().step};
    }

    // How often a step was entered.
    int Count(const std::string& step) const {
        int n = 0;
        for (const auto& s : seen) n += (s.step == step);
        return n;
    }
    // The first run of a step; a test fault when it did not run.
    const Seen& At(const std::string& step) const {
        for (const auto& s : seen)
            if (s.step == step) return s;
        throw std::logic_error("step never entered: " + step);
    }
    // The first step run from inside the step under test; a test fault when none ran.
    const Seen& Next() const {
        if (seen.size() < 2) throw std::logic_error("no step ran from inside the first");
        return seen[1];
    }
    // The steps entered, in order.
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const auto& s : seen) out.push_back(s.step);
        return out;
    }

    std::vector<Seen> seen;

private:
    TestTable& t_;
    std::set<std::string> cuts_;
};

// Runs `step` as an event runs it (PlayStep) and returns the name of the step the chain
// was cut at; "" when it was not cut (also when it ended at a result).
inline std::string RunToCut(Game& g, void (*step)(Game&)) {
    try {
        PlayStep(g, step);
    } catch (const ChainCut& cut) {
        return cut.step;
    }
    return "";
}

// True when `slot` was given `holder` among the first `upTo` screen changes.
inline bool Shown(const RecordingScreen& screen, int slot, int holder, std::size_t upTo) {
    for (std::size_t i = 0; i < upTo && i < screen.log.size(); ++i) {
        const auto& op = screen.log[i];
        if (op.kind == RecordingScreen::Op::Picture && op.slot == slot && op.value == holder)
            return true;
    }
    return false;
}

// True when `slot` got any change among the first `upTo` screen changes.
inline bool Touched(const RecordingScreen& screen, int slot, std::size_t upTo) {
    for (std::size_t i = 0; i < upTo && i < screen.log.size(); ++i)
        if (screen.log[i].slot == slot) return true;
    return false;
}

}  // namespace durak::fakes
