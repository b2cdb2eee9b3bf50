// A watcher for tests: every game step of a chain with the state and the display it
// started from, so a test can read what one step handed to the next before later steps
// changed it.
#pragma once

#include <string>
#include <vector>

#include "support/fakes.h"

namespace durak::fakes {

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

    explicit StepLog(TestTable& t) : t_(t) { t.g.watcher = this; }
    ~StepLog() override { t_.g.watcher = nullptr; }

    void Step(const GameState& s, const char* step) override {
        seen.push_back({Name(step), s, t_.text.Dump(), t_.text.PenX(), t_.text.PenY(),
                        t_.pauses.waits.size(), t_.screen.log.size(), t_.random.reseeds,
                        t_.random.values.size()});
    }

    // The first run of a step, or nullptr when it did not run.
    const Seen* First(const std::string& step) const {
        for (const auto& s : seen)
            if (s.step == step) return &s;
        return nullptr;
    }
    // The first step run from inside the step under test, or nullptr.
    const Seen* Next() const { return seen.size() > 1 ? &seen[1] : nullptr; }

    std::vector<Seen> seen;

private:
    // "void durak::ComputerDefend(Game&)" -> "ComputerDefend"
    static std::string Name(const char* full) {
        std::string s(full);
        s = s.substr(0, s.find('('));
        const auto colon = s.rfind("::");
        if (colon != std::string::npos) return s.substr(colon + 2);
        return s.substr(s.rfind(' ') + 1);
    }

    TestTable& t_;
};

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
