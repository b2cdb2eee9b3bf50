// Ends a chain when it reaches the named step, keeping the state it had there: a test
// looks at what led up to a step without depending on what the step itself does.
#pragma once

#include <string>
#include <string_view>

#include "flow/game.h"

namespace durak::fakes {

class StopAtStep : public PlayWatcher {
public:
    explicit StopAtStep(std::string step) : name_("::" + std::move(step) + "(") {}
    void Step(const GameState& s, const char* step) override {
        if (std::string_view(step).find(name_) == std::string_view::npos) return;
        reached = true;
        seen = s;
        throw ChainStopped("stopped at " + name_);
    }
    bool reached = false;
    GameState seen;

private:
    std::string name_;
};


}  // namespace durak::fakes
