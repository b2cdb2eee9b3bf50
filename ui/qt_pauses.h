// The waits of the game in real time. A wait holds the running move for its whole
// length while the window stays live: it handles the window's events until its one
// timer ends it, so it paints what the move has changed and handles timers and window
// events the moment they come, but no user input, and wakes for nothing else. A close
// of the window ends the wait, and the move, at once.
#pragma once

#include <functional>

#include "ports/ports.h"
#include "ui/input_gate.h"

namespace durak::qt {

class QtPauses : public Pauses {
public:
    // `gate` eats the input that comes during the wait; `refresh` schedules the repaint
    // of whatever changed; `stopped` tells whether the window was closed, and then the
    // wait throws ChainStopped.
    QtPauses(InputGate& gate, std::function<void()> refresh, std::function<bool()> stopped);

    void Wait(const Pause& pause) override;

    // How many waits were started.
    long long Waits() const { return waits_; }
    // Whether a wait runs now.
    bool InWait() const { return inWait_; }

private:
    InputGate& gate_;
    std::function<void()> refresh_;
    std::function<bool()> stopped_;
    long long waits_ = 0;
    bool inWait_ = false;
};

}  // namespace durak::qt
