// How much of a core the real program uses while two computers play at the slow pace,
// against the same program with its window idle, in interleaved rounds. A benchmark,
// not a test. Each round starts the program afresh; for the game it chooses "Два компа
// → Медленная" in the menus and "Новая" as a user does, and from then on clicks
// nothing. Figures come from the kernel's accounts of the program's threads, read from
// outside, so nothing here runs inside the program:
//
//   CPU        /proc/PID/stat utime + stime (clock ticks) and the threads' run time in
//              /proc/PID/task/*/schedstat (nanoseconds)
//   wakeups    the threads' voluntary context switches (/proc/PID/task/*/status)
//   in a wait  the share of looks (every 50 ms) that found the game inside a wait,
//              which shows whether the game went on playing or stood still
//
// Run as: durak_pace_cpu <durak executable> [seconds per round] [rounds], with DISPLAY set.

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "desktop_session.h"

namespace {

using namespace std::chrono_literals;
using durak::desktop::Clock;
using durak::desktop::DesktopSession;

struct Account {
    double statSeconds = 0;  // utime + stime
    double runSeconds = 0;   // the threads' run time
    long long switches = 0;  // voluntary context switches
};

Account Read(pid_t pid) {
    Account a;
    const std::string proc = "/proc/" + std::to_string(pid);
    std::ifstream stat(proc + "/stat");
    std::string line;
    std::getline(stat, line);
    // The fields after the command name, which ends with the last ')'.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int k = 3; fields >> field; ++k) {
        if (k == 14) utime = std::stoull(field);
        if (k == 15) {
            stime = std::stoull(field);
            break;
        }
    }
    a.statSeconds = static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));

    if (DIR* tasks = opendir((proc + "/task").c_str())) {
        while (dirent* task = readdir(tasks)) {
            if (task->d_name[0] == '.') continue;
            const std::string dir = proc + "/task/" + task->d_name;
            std::ifstream schedstat(dir + "/schedstat");
            unsigned long long ns = 0;
            if (schedstat >> ns) a.runSeconds += static_cast<double>(ns) / 1e9;
            std::ifstream status(dir + "/status");
            while (std::getline(status, line))
                if (line.rfind("voluntary_ctxt_switches:", 0) == 0) a.switches += std::stoll(line.substr(24));
        }
        closedir(tasks);
    }
    return a;
}

struct Figures {
    double statPercent = 0, runPercent = 0, wakeupsPerSecond = 0, inWait = 0;
};

Figures Measure(DesktopSession& game, std::chrono::seconds length) {
    const Account before = Read(game.Pid());
    const Clock::time_point start = Clock::now();
    int looks = 0, waiting = 0;
    while (Clock::now() - start < length) {
        std::this_thread::sleep_for(50ms);
        ++looks;
        if (game.InWait()) ++waiting;
    }
    const Account after = Read(game.Pid());
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return {100 * (after.statSeconds - before.statSeconds) / seconds,
            100 * (after.runSeconds - before.runSeconds) / seconds,
            static_cast<double>(after.switches - before.switches) / seconds,
            looks ? static_cast<double>(waiting) / looks : 0};
}

// The slow two-computer game, dealt by one "Новая"; false when it never got going.
bool StartSlowGame(DesktopSession& game) {
    bool chosen = false;
    for (int attempt = 0; attempt < 3 && !chosen; ++attempt) chosen = game.ChooseTwoComputersSlow();
    if (!chosen) return false;
    // A click on "Новая" that the bar missed is made again; the game, once dealt, is in
    // a wait within a moment.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!game.ChooseNewGame()) return false;
        if (game.WaitSeenWithin(3s)) return true;
    }
    return false;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void Print(const char* what, const Figures& f) {
    std::printf("  %-22s CPU %.4f %% (stat %.2f %%), %.1f wakeups/s, in a wait %.0f %% of looks\n", what,
                f.runPercent, f.statPercent, f.wakeupsPerSecond, 100 * f.inWait);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <durak executable> [seconds per round] [rounds]\n", argv[0]);
        return 2;
    }
    const std::string executable = argv[1];
    const std::chrono::seconds length(argc > 2 ? std::max(1, std::atoi(argv[2])) : 10);
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;

    std::vector<Figures> idle, slow;
    for (int round = 1; round <= rounds; ++round) {
        std::printf("round %d\n", round);
        {
            DesktopSession game(executable);
            if (!game.Started() || !game.FindWindow(20s)) {
                std::fprintf(stderr, "the program did not open its window\n");
                return 1;
            }
            std::this_thread::sleep_for(500ms);  // past its first frame and icon
            idle.push_back(Measure(game, length));
            Print("idle window", idle.back());
        }
        {
            DesktopSession game(executable);
            if (!game.Started() || !game.FindWindow(20s) || !StartSlowGame(game)) {
                std::fprintf(stderr, "the slow two-computer game did not start\n");
                return 1;
            }
            slow.push_back(Measure(game, length));
            Print("two computers, slow", slow.back());
        }
    }
    auto median = [](const std::vector<Figures>& runs, double Figures::*field) {
        std::vector<double> v;
        for (const Figures& f : runs) v.push_back(f.*field);
        return Median(v);
    };
    const Figures mi{median(idle, &Figures::statPercent), median(idle, &Figures::runPercent),
                     median(idle, &Figures::wakeupsPerSecond), median(idle, &Figures::inWait)};
    const Figures ms{median(slow, &Figures::statPercent), median(slow, &Figures::runPercent),
                     median(slow, &Figures::wakeupsPerSecond), median(slow, &Figures::inWait)};
    std::printf("medians of %d rounds of %lld s:\n", rounds, static_cast<long long>(length.count()));
    Print("idle window", mi);
    Print("two computers, slow", ms);
    // A game that stood still for part of the time measured the idle window then.
    const char* verdict = ms.inWait < 0.95   ? "the game stood still for part of the time, so this is no measure of play"
                          : ms.runPercent < 0.1 ? "within the aim"
                                                : "OVER THE AIM";
    std::printf("two computers at the slow pace: %.4f %% of a core (aim under 0.1 %%): %s\n",
                ms.runPercent, verdict);
    return 0;
}
