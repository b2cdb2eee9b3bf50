// The waits of the game in real time. A wait holds the running move for its whole
// length while the window stays live: it sleeps in short slices and between them
// paints what the move has changed and handles timers and window events, but no
// user input. A close of the window ends the wait, and the move, at once.
#pragma once

#include <chrono>
#include <functional>

#include "ui/ports.h"
#include "ui/qt/input_gate.h"

namespace durak::qt {

class QtPauses : public Pauses {
public:
    // The longest sleep between two looks at the window.
    static constexpr std::chrono::milliseconds kSlice{10};

    // `gate` eats the input that comes during the wait; `refresh` schedules the repaint
    // of whatever changed; `stopped` tells whether the window was closed, and then the
    // wait throws ChainStopped.
    QtPauses(InputGate& gate, std::function<void()> refresh, std::function<bool()> stopped);

    void Wait(const Pause& pause) override;

    // How many waits were started.
    long long Waits() const { return waits_; }

private:
    InputGate& gate_;
    std::function<void()> refresh_;
    std::function<bool()> stopped_;
    long long waits_ = 0;
};

}  // namespace durak::qt
