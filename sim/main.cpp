// durak-sim: plays many games without a window and reports what happened.
//
//   durak-sim --games N [--seed S] [--mode 200|1|mixed] [--pace 1|300|600] [--trace]
//
// The last line reads: games=N player=P computer=C draw=D unfinished=U duplicates=0
// lost=0 uncovered=0 resurrected=0 overflow=O after_result=0 runaway=0 max_depth=M
// games_per_s=R. The exit status is 1 when a card was found in two places, went missing,
// left play uncovered or came back after it had left, when anything moved after a
// result, or when a game would not end.
//
// --plant-fault drop|double|uncovered|resurrect breaks the first game on purpose; it
// exists for the tests that prove the ledger catches each kind of fault.
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "sim/big_stack.h"
#include "sim/simulator.h"

namespace {

int Usage() {
    std::cerr << "usage: durak-sim --games N [--seed S] [--mode 200|1|mixed] [--pace 1|300|600] [--trace]\n";
    return 2;
}

bool ParseNumber(const char* text, long long& out) {
    char* end = nullptr;
    out = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && out >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    durak::sim::SimOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        long long n = 0;
        if (arg == "--games" && hasValue && ParseNumber(argv[i + 1], n)) {
            options.games = n;
            ++i;
        } else if (arg == "--seed" && hasValue && ParseNumber(argv[i + 1], n)) {
            options.seed = static_cast<unsigned long long>(n);
            ++i;
        } else if (arg == "--mode" && hasValue) {
            const std::string mode = argv[++i];
            if (mode == "200") options.mode = durak::sim::SimMode::TwoComputers;
            else if (mode == "1") options.mode = durak::sim::SimMode::Human;
            else if (mode == "mixed") options.mode = durak::sim::SimMode::Mixed;
            else return Usage();
        } else if (arg == "--pace" && hasValue && ParseNumber(argv[i + 1], n) &&
                   (n == 1 || n == 300 || n == 600)) {
            options.pace = static_cast<int>(n);
            ++i;
        } else if (arg == "--plant-fault" && hasValue) {
            // For the tests of the card ledger: one fault planted into the first game.
            const std::string fault = argv[++i];
            if (fault == "drop") options.plant = durak::sim::PlantedFault::DropCard;
            else if (fault == "double") options.plant = durak::sim::PlantedFault::DoubleCard;
            else if (fault == "uncovered") options.plant = durak::sim::PlantedFault::ClearUncovered;
            else if (fault == "resurrect") options.plant = durak::sim::PlantedFault::Resurrect;
            else return Usage();
        } else if (arg == "--trace") {
            options.trace = &std::cout;
        } else {
            return Usage();
        }
    }

    durak::sim::SimReport report;
    durak::sim::RunWithStack(std::size_t{512} << 20, [&] { report = durak::sim::Simulate(options); });

    std::cout << "abandoned=" << report.abandoned << " events=" << report.events
              << " steps=" << report.steps << " seconds=" << report.seconds
              << " window_seconds_per_game="
              << (report.games ? report.windowSeconds / static_cast<double>(report.games) : 0.0)
              << " stack_bytes=" << report.maxStackBytes << " stack_bytes_per_level="
              << (report.maxDepth ? report.maxStackBytes / report.maxDepth : 0) << "\n";
    std::cout << durak::sim::SummaryLine(report) << std::endl;
    return report.Clean() ? 0 : 1;
}
