// durak-sim: plays many games without a window and reports what happened.
//
//   durak-sim --games N [--seed S] [--mode 200|1|mixed] [--pace 1|300|600] [--trace]
//
// The last line reads: games=N player=P computer=C draw=D unfinished=U duplicates=0
// lost=0 uncovered=0 resurrected=0 overflow=O after_result=0 runaway=0 max_depth=M
// games_per_s=R, R in games per CPU-second. The exit status is 1 when a card was found
// in two places, went missing, left play uncovered or came back after it had left, when
// anything moved after a result, or when a game would not end; 2 for arguments it
// cannot play.
//
// --plant-fault drop|double|uncovered|resurrect breaks the first game on purpose; it
// exists for the tests that prove the ledger catches each kind of fault.
#include <iostream>

#include "sim/options.h"
#include "sim/simulator.h"

int main(int argc, char** argv) {
    durak::sim::SimOptions options;
    if (const auto refused = durak::sim::ReadArguments(argc, argv, options)) {
        std::cerr << "durak-sim: " << *refused << "; usage: " << durak::sim::kUsage << "\n";
        return 2;
    }

    const durak::sim::SimReport report = durak::sim::Simulate(options);

    std::cout << "abandoned=" << report.abandoned << " events=" << report.events
              << " steps=" << report.steps << " seconds=" << report.seconds << " cpu_seconds=" << report.cpuSeconds
              << " window_seconds_per_game="
              << (report.games ? report.windowSeconds / static_cast<double>(report.games) : 0.0)
              << "\n";
    std::cout << durak::sim::SummaryLine(report) << std::endl;
    return report.Clean() ? 0 : 1;
}
