#include "ui/qt/qt_pauses.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <utility>

#include "flow/game.h"
#include "ui/pause_durations.h"

namespace durak::qt {

QtPauses::QtPauses(InputGate& gate, std::function<void()> refresh,
                   std::function<bool()> stopped)
    : gate_(gate), refresh_(std::move(refresh)), stopped_(std::move(stopped)) {}

// The window's events run in a loop of the wait's own until its timer fires: changed
// text is repainted, paints, timers and window events are handled as they come, and in
// between the program sleeps. User input is not handled: the input gate eats it. Input
// is not merely left waiting in the queue (ExcludeUserInputEvents would do that),
// because the window system then holds a close request back with it, and a close must
// end the game at once.
void QtPauses::Wait(const Pause& pause) {
    using Clock = std::chrono::steady_clock;
    ++waits_;
    InputGate::ClosedScope closed(gate_);
    const Clock::time_point end = Clock::now() + PauseDuration(pause);
    if (refresh_) refresh_();

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    bool timedOut = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    struct Running {
        QEventLoop*& slot;
        QEventLoop* outer;
        ~Running() { slot = outer; }
    } running{running_, std::exchange(running_, &loop)};

    for (;;) {
        if (stopped_ && stopped_()) throw ChainStopped("the window was closed");
        const Clock::duration left = end - Clock::now();
        if (left <= Clock::duration::zero()) return;
        // Whole milliseconds, rounded up: the wait never ends before its time.
        timedOut = false;
        timer.start(std::chrono::ceil<std::chrono::milliseconds>(left));
        loop.exec();
        // Neither the timer nor a close ended the loop: the program itself is ending.
        if (!timedOut && !(stopped_ && stopped_())) throw ChainStopped("the program is ending");
    }
}

void QtPauses::Interrupt() {
    if (running_) running_->quit();
}

}  // namespace durak::qt
