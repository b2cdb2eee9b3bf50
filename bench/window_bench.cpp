// Measures the window as a user meets it, each time against a baseline measured in the
// same run, in interleaved rounds (A B A B ...):
//
//   window_bench startup BARE GAME [ROUNDS]
//       runs the two programs (each built with the first-frame probe) by turns and
//       compares the CPU time each has used when its first frame is painted, and its
//       memory then and after a second of idling
//   window_bench wait [ROUNDS]
//       the game's window in this process: the CPU time and the wakeups of its 1 s
//       round-end wait, against the same window idling in its event loop while one 1 s
//       timer runs
//   window_bench game [SEED] [slow|medium|fast]
//       one whole two-computer game in this process, dealt from a fixed seed: how long
//       it lasted, its CPU time (and the share of a core that is) and wakeups, and per
//       wait. It has no baseline of its own: the same game
//       serves to compare two builds of the window by turns (A B A B), which the real
//       program, dealing from the clock, cannot, as no two of its games are alike
//
// Medians are printed with the ratio to the baseline. CPU time is the process's own
// (every thread, getrusage), wakeups its voluntary context switches.
#include <QApplication>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "flow/menu_events.h"
#include "flow/pauses.h"
#include "ui/form1.h"
#include "platform/random_sources.h"

namespace {

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// ---------------------------------------------------------------------------------
// Start-up: the probe prints lines of "name=value" fields; this reads them all.
std::map<std::string, double> RunProbe(const std::string& program) {
    std::map<std::string, double> fields;
    FILE* out = popen(("'" + program + "' 2>/dev/null").c_str(), "r");
    if (!out) return fields;
    char buffer[512];
    std::string text;
    while (std::fgets(buffer, sizeof buffer, out)) text += buffer;
    pclose(out);
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const auto eq = word.find('=');
        if (eq != std::string::npos) fields[word.substr(0, eq)] = std::atof(word.c_str() + eq + 1);
    }
    return fields;
}

int Startup(const std::string& bare, const std::string& game, int rounds) {
    const char* names[] = {"cpu_ms", "rss_kb", "idle_rss_kb", "idle_hwm_kb"};
    std::map<std::string, std::vector<double>> b, g;
    std::vector<double> cpuRatios;
    std::printf("round  bare cpu_ms rss_kb   game cpu_ms rss_kb   ratio\n");
    for (int round = 1; round <= rounds; ++round) {
        auto one = RunProbe(bare);
        auto two = RunProbe(game);
        if (!one.count("cpu_ms") || !two.count("cpu_ms")) {
            std::fprintf(stderr, "window_bench: a program printed no first frame\n");
            return 1;
        }
        for (const char* name : names) {
            b[name].push_back(one[name]);
            g[name].push_back(two[name]);
        }
        cpuRatios.push_back(two["cpu_ms"] / one["cpu_ms"]);
        std::printf("%5d  %11.1f %6.0f   %11.1f %6.0f   %5.2f\n", round, one["cpu_ms"],
                    one["rss_kb"], two["cpu_ms"], two["rss_kb"], cpuRatios.back());
    }
    std::sort(cpuRatios.begin(), cpuRatios.end());
    const double cb = Median(b["cpu_ms"]), cg = Median(g["cpu_ms"]);
    std::printf("CPU to the first frame: bare window %.1f ms, game %.1f ms, ratio %.3f "
                "(rounds' ratios %.2f .. %.2f, median %.3f; aim 1.1 or less)\n",
                cb, cg, cg / cb, cpuRatios.front(), cpuRatios.back(), Median(cpuRatios));
    for (const char* name : {"rss_kb", "idle_rss_kb", "idle_hwm_kb"}) {
        const double mb = Median(b[name]), mg = Median(g[name]);
        std::printf("%-11s bare window %.1f MiB, game %.1f MiB, ratio %.3f%s\n", name,
                    mb / 1024, mg / 1024, mg / mb,
                    std::string(name) == "rss_kb" ? " (at the first frame; aim 1.1 or less)" : "");
    }
    return 0;
}

// ---------------------------------------------------------------------------------
// Waits: CPU time and wakeups of this process over a stretch of time.
struct Usage {
    double cpuMs = 0;
    long switches = 0;
    static Usage Now() {
        rusage u{};
        getrusage(RUSAGE_SELF, &u);
        return {1e3 * static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
                    1e-3 * static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec),
                u.ru_nvcsw};
    }
    Usage operator-(const Usage& o) const { return {cpuMs - o.cpuMs, switches - o.switches}; }
};

int Waits(QApplication& app, int rounds) {
    durak::qt::Form1 window;
    window.show();
    std::vector<double> waitCpu, waitWakes, idleCpu, idleWakes;
    std::function<void(int)> round;
    round = [&](int k) {
        if (k > rounds) {
            const double wc = Median(waitCpu), ic = Median(idleCpu);
            std::printf("1 s round-end wait: %.3f ms CPU (%.4f %% of a core), %.1f wakeups/s\n", wc,
                        wc / 10, Median(waitWakes));
            std::printf("idle window, one 1 s timer: %.3f ms CPU (%.4f %% of a core), %.1f wakeups/s\n",
                        ic, ic / 10, Median(idleWakes));
            std::printf("ratio %.2f (aim 2 or less)\n", wc / ic);
            app.quit();
            return;
        }
        // A: the wait a round end makes, in a move of its own as a click would run it.
        const Usage before = Usage::Now();
        window.RunChain([](durak::Game& g) { g.pauses.Wait(durak::PlayerCoveredPause()); });
        const Usage wait = Usage::Now() - before;
        // B: the window idles in its own event loop until one timer fires a second later.
        const Usage idleStart = Usage::Now();
        QTimer::singleShot(1000, Qt::PreciseTimer, &window, [&, k, wait, idleStart] {
            const Usage idle = Usage::Now() - idleStart;
            waitCpu.push_back(wait.cpuMs);
            waitWakes.push_back(static_cast<double>(wait.switches));
            idleCpu.push_back(idle.cpuMs);
            idleWakes.push_back(static_cast<double>(idle.switches));
            std::printf("round %2d: wait %.3f ms %ld wakeups, idle %.3f ms %ld wakeups\n", k,
                        wait.cpuMs, wait.switches, idle.cpuMs, idle.switches);
            std::fflush(stdout);
            QTimer::singleShot(0, &window, [&, k] { round(k + 1); });
        });
    };
    // The window settles (shown, painted, the icon and fonts in place) before round one.
    QTimer::singleShot(1000, &window, [&] { round(1); });
    return app.exec();
}

// ---------------------------------------------------------------------------------
// A whole two-computer game in this process, dealt from a fixed seed, so every run plays
// the same moves: the CPU time and wakeups of the game per wait. At the slow pace unless
// told otherwise; a faster one plays the same moves with shorter waits.
int Game(QApplication& app, std::uint64_t seed, const std::string& pace) {
    durak::SeededRandom random(seed);
    durak::qt::Form1 window(&random);
    window.show();
    QTimer::singleShot(1000, &window, [&] {
        durak::MenuTwoComputers(window.GetGame());
        if (pace == "fast") durak::MenuFastGame(window.GetGame());
        else if (pace == "medium") durak::MenuMediumGame(window.GetGame());
        else durak::MenuSlowGame(window.GetGame());
        const Usage before = Usage::Now();
        const auto start = std::chrono::steady_clock::now();
        window.RunChain(durak::MenuNewGame);
        const Usage game = Usage::Now() - before;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const long long waits = window.WindowPauses().Waits();
        std::printf("seed %llu, %s pace: %lld waits in %.1f s, %.3f ms CPU (%.4f %% of a core), %ld wakeups "
                    "(%.1f/s), %.1f us CPU a wait\n",
                    static_cast<unsigned long long>(seed), pace.c_str(), waits, seconds, game.cpuMs,
                    game.cpuMs / seconds / 10, game.switches, static_cast<double>(game.switches) / seconds,
                    1e3 * game.cpuMs / static_cast<double>(waits));
        app.quit();
    });
    return app.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "startup" && argc > 3)
        return Startup(argv[2], argv[3], argc > 4 ? std::max(1, std::atoi(argv[4])) : 15);
    // The window sends its pixels as the program does.
    durak::qt::Form1::SendPixelsWithTheirRequests();
    if (mode == "wait") {
        QApplication app(argc, argv);
        durak::qt::Form1::ApplyStandardLook();
        return Waits(app, argc > 2 ? std::max(1, std::atoi(argv[2])) : 11);
    }
    if (mode == "game") {
        QApplication app(argc, argv);
        durak::qt::Form1::ApplyStandardLook();
        return Game(app, argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1, argc > 3 ? argv[3] : "slow");
    }
    std::fprintf(stderr, "usage: window_bench startup BARE GAME [ROUNDS] | wait [ROUNDS] | game [SEED] [slow|medium|fast]\n");
    return 2;
}
