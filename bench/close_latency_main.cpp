// How long the program takes to end after the window manager's close request: from
// the request leaving this process to the program's end, in three situations, several
// runs each. A benchmark, not a test: it prints figures against the aim of half a
// second and fails only when a situation could not be set up or the program hung.
//
// Run as: durak_close_latency <path of the durak executable> [runs], with DISPLAY set
// (bench/close_latency.sh starts a virtual screen and runs it).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "desktop_session.h"

namespace {

using namespace std::chrono_literals;
using durak::desktop::DesktopSession;

constexpr double kAimMs = 500.0;

struct Situation {
    const char* name;
    bool (*setUp)(DesktopSession&);
};

bool Idle(DesktopSession&) { return true; }

double Failed(const char* why) {
    std::fprintf(stderr, "\n  (%s)", why);
    return -1;
}

// One run: start the program, bring it into the situation, close, time the end.
// Negative when the run failed.
double OneRun(const std::string& executable, const Situation& situation) {
    DesktopSession game(executable);
    if (!game.Started()) return Failed("the program did not start");
    if (!game.FindWindow(20s)) return Failed("its window did not show");
    if (!situation.setUp(game)) return Failed("the situation was not reached");
    const auto sent = game.SendCloseRequest();
    const auto end = game.WaitForEnd(10s);
    if (!end) return Failed("the program did not end");
    if (end->waitedAfterClose) std::printf(" (waited on)");
    return std::chrono::duration<double, std::milli>(end->at - sent).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <durak executable> [runs]\n", argv[0]);
        return 2;
    }
    const std::string executable = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    const Situation situations[] = {
        {"two computers, slow pace, mid-game", durak::desktop::StartSlowTwoComputerGame},
        {"player vs computer, round-end wait", durak::desktop::PlayIntoRoundEndWait},
        {"idle window (for comparison)", Idle},
    };

    bool allMet = true, allRan = true;
    std::printf("close request -> program end, %d runs each, aim %.0f ms\n\n", runs, kAimMs);
    for (const Situation& situation : situations) {
        std::vector<double> ms;
        std::printf("%-38s", situation.name);
        std::fflush(stdout);
        for (int k = 0; k < runs; ++k) {
            const double t = OneRun(executable, situation);
            if (t < 0) {
                std::printf("  failed");
                allRan = false;
            } else {
                std::printf(" %6.1f", t);
                ms.push_back(t);
            }
            std::fflush(stdout);
        }
        if (!ms.empty()) {
            std::sort(ms.begin(), ms.end());
            const double median = ms[ms.size() / 2];
            const double worst = ms.back();
            const bool met = worst < kAimMs;
            allMet = allMet && met;
            std::printf("\n%38s median %.1f ms, worst %.1f ms: %s\n", "", median, worst,
                        met ? "within the aim" : "OVER THE AIM");
        } else {
            std::printf("\n");
        }
    }
    std::printf("\n%s\n", !allRan ? "some runs failed" : allMet ? "all within 0.5 s" : "over 0.5 s");
    return allRan ? 0 : 1;
}
