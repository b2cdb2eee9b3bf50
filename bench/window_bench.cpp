// Measures the window as a user meets it, against a bare window with a menu bar:
//
//   window_bench bare|game      prints the wall clock at the first painted frame, then
//                               idles a moment and prints its peak memory
//   window_bench slow SECONDS   deals a two-computer game at the slow pace and keeps two
//                               computers playing for SECONDS (a click on the hand when a
//                               game waits for one, a new deal after a result), then
//                               closes the window and prints the CPU time used
//
// Every figure is a line "name=value" on standard output; bench/run.sh compares them.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "assets/holder_pictures.h"
#include "flow/input_dispatch.h"
#include "ui/menu_actions.h"
#include "ui/qt/form1.h"

namespace {

double WallClock() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long PeakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Reports the first paint of a widget, once it has been handled.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> then) : then_(std::move(then)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, then_);
        }
        return false;
    }

private:
    std::function<void()> then_;
    bool seen_ = false;
};

// A bare window of the same size with the same menu bar and nothing else.
class BareWindow : public QMainWindow {
public:
    BareWindow() {
        setWindowTitle(QString::fromUtf8("Карты/Дурак"));
        menuBar()->addAction(QString::fromUtf8("Новая"));
        QMenu* game = menuBar()->addMenu(QString::fromUtf8("Игра"));
        game->addAction(QString::fromUtf8("Комп и ты"));
        game->addMenu(QString::fromUtf8("Два компа"));
        menuBar()->addAction(QString::fromUtf8("Автор"));
        auto* client = new QWidget(this);
        client->setFixedSize(631, 444);
        setCentralWidget(client);
    }
};

int AfterFirstPaint(QApplication& app, QWidget& watched) {
    FirstPaint first([&] {
        std::printf("first_paint_at=%.6f\n", WallClock());
        std::fflush(stdout);
        // Idle a moment, as a user would look at the table, then report the peak memory.
        QTimer::singleShot(1000, [&] {
            std::printf("peak_kb=%ld\n", PeakKilobytes());
            app.quit();
        });
    });
    watched.installEventFilter(&first);
    watched.show();
    return app.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "";
    QApplication app(argc, argv);

    if (mode == "bare") {
        BareWindow window;
        return AfterFirstPaint(app, window);
    }

    durak::qt::Form1::ApplyStandardLook();
    const QIcon icon = durak::art::ApplicationIcon();
    if (!icon.isNull()) QApplication::setWindowIcon(icon);
    durak::qt::Form1 window;

    if (mode == "game") return AfterFirstPaint(app, window);

    if (mode == "slow" && argc > 2) {
        const int seconds = std::atoi(argv[2]);
        double cpuAtStart = 0, wallAtStart = 0;
        long long clicks = 0;
        std::function<void()> keepPlaying;
        window.show();
        QTimer::singleShot(200, [&] {
            cpuAtStart = CpuSeconds();
            wallAtStart = WallClock();
            // Closing the window while the game runs ends the move and the program.
            QTimer::singleShot(seconds * 1000, [&] {
                const double cpu = CpuSeconds() - cpuAtStart;
                const double wall = WallClock() - wallAtStart;
                // The number of waits and the computer's cards show that the game ran.
                std::printf("cpu_s=%.3f wall_s=%.3f cpu_percent=%.2f peak_kb=%ld waits=%lld "
                            "further_clicks=%lld\n",
                            cpu, wall, 100.0 * cpu / wall, PeakKilobytes(),
                            window.WindowPauses().Waits(), clicks);
                std::fflush(stdout);
                window.close();
            });
            window.RunChain([](durak::Game& g) {
                durak::MenuSlowGame(g);
                durak::MenuNewGame(g);
            });
            // A two-computer game can stop and wait for a click on the hand; the user
            // gives one, and a new game follows a finished one, until the time is up.
            keepPlaying = [&] {
                if (window.StopRequested()) return;
                durak::Game& g = window.GetGame();
                const bool over = g.playerHand.AllZero() || g.computerHand.AllZero();
                window.RunChain(over ? durak::MenuNewGame : durak::Image41_Click);
                ++clicks;
                QTimer::singleShot(0, keepPlaying);
            };
            QTimer::singleShot(0, keepPlaying);
        });
        return app.exec();
    }
    std::fprintf(stderr, "usage: window_bench bare|game|slow SECONDS\n");
    return 2;
}
