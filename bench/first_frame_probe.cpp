// Linked into a copy of a program for the start-up benchmark, never into the game
// itself. It wakes when the program creates its application object, watches for the
// first paint of a top-level window and, once that frame has been painted and handed
// to the window system, prints the CPU time the process has used so far (every
// thread, from the program's start) and its resident memory; a second later, the
// program having idled as a user looks at the window, its memory again; then it ends
// the program:
//
//   first_frame cpu_ms=41.234 rss_kb=61234
//   idle idle_rss_kb=61300 idle_hwm_kb=61400
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

double CpuMilliseconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return 1e3 * static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           1e-3 * static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when missing.
long StatusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return -1;
}

class FirstFrame : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            seen_ = true;
            // The whole window is painted and flushed in the same turn of the event
            // loop as this first paint; report in the next one.
            QTimer::singleShot(0, this, &FirstFrame::Report);
        }
        return false;
    }

private:
    void Report() {
        const double cpu = CpuMilliseconds();
        std::printf("first_frame cpu_ms=%.3f rss_kb=%ld\n", cpu, StatusKilobytes("VmRSS"));
        std::fflush(stdout);
        QTimer::singleShot(1000, this, [] {
            std::printf("idle idle_rss_kb=%ld idle_hwm_kb=%ld\n", StatusKilobytes("VmRSS"),
                        StatusKilobytes("VmHWM"));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }

    bool seen_ = false;
};

void WatchForTheFirstFrame() {
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new FirstFrame(app));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForTheFirstFrame)
