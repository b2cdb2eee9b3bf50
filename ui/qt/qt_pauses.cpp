#include "ui/qt/qt_pauses.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>
#include <thread>

#include "flow/game.h"
#include "ui/pause_durations.h"

namespace durak::qt {

QtPauses::QtPauses(InputGate& gate, std::function<void()> refresh,
                   std::function<bool()> stopped)
    : gate_(gate), refresh_(std::move(refresh)), stopped_(std::move(stopped)) {}

// Sleep in slices until the wait's real duration has passed. Before each slice the
// window catches up: changed text is repainted, pending paints and timers run, and
// window events are handled. User input is not handled: the input gate eats it. Input
// is not merely left waiting in the queue (ExcludeUserInputEvents would do that),
// because the window system then holds a close request back with it, and a close must
// end the game at once.
void QtPauses::Wait(const Pause& pause) {
    using Clock = std::chrono::steady_clock;
    ++waits_;
    InputGate::ClosedScope closed(gate_);
    const Clock::time_point end = Clock::now() + PauseDuration(pause);
    for (;;) {
        if (refresh_) refresh_();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (stopped_ && stopped_()) throw ChainStopped("the window was closed");
        const Clock::duration left = end - Clock::now();
        if (left <= Clock::duration::zero()) return;
        std::this_thread::sleep_for(std::min<Clock::duration>(left, kSlice));
    }
}

}  // namespace durak::qt
