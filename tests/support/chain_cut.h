// The step log of a chain that can also cut the chain at a named step: the step is
// logged and then not run, so a test reads what led up to it without depending on it.
#pragma once

#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/step_log.h"

namespace durak::fakes {

// Thrown when the chain reaches a step it is cut at.
struct ChainCut {
    std::string step;
};

class CutLog : public StepLog {
public:
    CutLog(TestTable& t, std::initializer_list<const char*> cutAt)
        : StepLog(t), cuts_(cutAt.begin(), cutAt.end()) {}

    void Step(const GameState& s, const char* step) override {
        StepLog::Step(s, step);
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
        const Seen* s = First(step);
        if (s == nullptr) throw std::logic_error("step never entered: " + step);
        return *s;
    }
    // The steps entered, in order.
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const auto& s : seen) out.push_back(s.step);
        return out;
    }

private:
    std::set<std::string> cuts_;
};

// Runs `step` and returns the name of the step the chain was cut at ("" if none, also
// when the chain ended at a result).
template <typename Step>
std::string RunToCut(Step step) {
    try {
        step();
    } catch (const ChainCut& cut) {
        return cut.step;
    } catch (const GameOver&) {
    }
    return "";
}

}  // namespace durak::fakes
