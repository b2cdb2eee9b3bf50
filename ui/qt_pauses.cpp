#include "ui/qt_pauses.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <utility>

#include "flow/game.h"
#include "platform/pause_durations.h"

namespace durak::qt {

QtPauses::QtPauses(InputGate& gate, std::function<void()> refresh,
                   std::function<bool()> stopped)
    : gate_(gate), refresh_(std::move(refresh)), stopped_(std::move(stopped)) {}

// The window's events are handled as they come until the wait's one timer fires:
// changed text is repainted, paints, timers and window events run, and in between the
// program sleeps. User input is not handled: the input gate eats it. Input is not
// merely left waiting in the queue (ExcludeUserInputEvents would do that), because the
// window system then holds a close request back with it, and a close must end the game
// at once: the event that closes the window is the last one the wait handles.
void QtPauses::Wait(const Pause& pause) {
    using Clock = std::chrono::steady_clock;
    ++waits_;
    InputGate::ClosedScope closed(gate_);
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(inWait_);
    const Clock::time_point end = Clock::now() + PauseDuration(pause);
    if (refresh_) refresh_();

    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    bool timedOut = false;
    QObject::connect(&timer, &QTimer::timeout, [&timedOut] { timedOut = true; });
    for (;;) {
        if (stopped_ && stopped_()) throw ChainStopped("the window was closed");
        const Clock::duration left = end - Clock::now();
        if (left <= Clock::duration::zero()) return;
        // Whole milliseconds, rounded up: the wait never ends before its time.
        timedOut = false;
        timer.start(std::chrono::ceil<std::chrono::milliseconds>(left));
        // Sleeps until an event comes and handles what has come; the timer's is one.
        while (!timedOut && !(stopped_ && stopped_()))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

}  // namespace durak::qt
