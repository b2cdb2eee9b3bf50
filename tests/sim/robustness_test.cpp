// The long randomized run: thousands of games in every mode with random clicks and
// menu choices; after every step no card may be in two places or lost, and every chain
// of moves must end. And the simulator's command line: what it refuses.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "sim/simulator.h"
#include "support/run_program.h"

using namespace durak::sim;

namespace {
SimReport Play(SimMode mode, std::int64_t games, std::uint64_t seed) {
    SimOptions options;
    options.mode = mode;
    options.games = games;
    options.seed = seed;
    return Simulate(options);
}

// The nesting of a two-computer game grows with its moves but stays far below the
// chain's guard (a few hundred steps deep in practice).
constexpr int kDepthBound = 2000;

void ExpectSound(const SimReport& r) {
    EXPECT_EQ(r.duplicates, 0) << SummaryLine(r);
    EXPECT_EQ(r.lost, 0) << SummaryLine(r);
    EXPECT_EQ(r.uncovered, 0) << SummaryLine(r);
    EXPECT_EQ(r.resurrected, 0) << SummaryLine(r);
    EXPECT_EQ(r.afterResult, 0) << SummaryLine(r);
    EXPECT_EQ(r.runaway, 0) << SummaryLine(r);
    EXPECT_LT(r.maxDepth, kDepthBound) << SummaryLine(r);
}

// Runs the simulator program; its last line and its exit status.
struct ProgramRun {
    std::string lastLine;
    int status = -1;
};
ProgramRun RunSimulator(const std::string& arguments) {
    const auto [status, output] =
        durak::testing::RunForOutput(std::string(DURAK_SIM_PROGRAM) + " " + arguments);
    const std::size_t end = output.find_last_not_of('\n');
    const std::size_t start = end == std::string::npos ? 0 : output.rfind('\n', end);
    return {output.substr(start == std::string::npos ? 0 : start + 1), status};
}
}  // namespace

TEST(Robustness, TwoComputerGamesEndSoundly) {
    const SimReport r = Play(SimMode::TwoComputers, 4000, 11);
    ExpectSound(r);
    EXPECT_EQ(r.games, 4000);
    // Every game reaches its result from "Новая" alone, without a single click.
    EXPECT_EQ(r.player + r.computer + r.draw, r.games) << SummaryLine(r);
    EXPECT_EQ(r.unfinished, 0) << SummaryLine(r);
    EXPECT_EQ(r.events, r.games * 4) << "one Новая and three presses after the result";
    EXPECT_GT(r.player, 0);
    EXPECT_GT(r.computer, 0);
}

TEST(Robustness, RandomClicksAgainstTheComputer) {
    const SimReport r = Play(SimMode::Human, 3000, 12);
    ExpectSound(r);
    EXPECT_EQ(r.player + r.computer + r.draw, r.games) << SummaryLine(r);
    EXPECT_EQ(r.unfinished, 0);  // the human's clicks are never counted as extra clicks
}

TEST(Robustness, MixedClicksAndMenuChoices) {
    const SimReport r = Play(SimMode::Mixed, 3000, 13);
    ExpectSound(r);
    EXPECT_GT(r.abandoned, 0);  // new games in the middle of a round did happen
    EXPECT_EQ(r.player + r.computer + r.draw + r.abandoned, r.games) << SummaryLine(r);
}

TEST(Robustness, SameSeedSameGames) {
    const SimReport a = Play(SimMode::Mixed, 200, 5);
    const SimReport b = Play(SimMode::Mixed, 200, 5);
    EXPECT_EQ(a.player, b.player);
    EXPECT_EQ(a.computer, b.computer);
    EXPECT_EQ(a.events, b.events);
    EXPECT_EQ(a.steps, b.steps);
    EXPECT_EQ(a.maxDepth, b.maxDepth);
}

TEST(Robustness, TraceShowsOneGameStepByStep) {
    std::ostringstream trace;
    SimOptions options;
    options.games = 3;
    options.seed = 3;
    options.trace = &trace;
    Simulate(options);
    const std::string text = trace.str();
    EXPECT_NE(text.find("== game 1: Новая"), std::string::npos);
    EXPECT_NE(text.find("NewGame"), std::string::npos);
    EXPECT_NE(text.find("PlayerAttack"), std::string::npos);
    EXPECT_NE(text.find("text (50, 6420) \"Мы ходим\""), std::string::npos);
    EXPECT_EQ(text.find("== game 2"), std::string::npos);
}

// The ledger itself: each kind of fault, planted into the first game on purpose, is
// reported under its own name and fails the run; the same run without a fault is clean.
TEST(Robustness, LedgerCatchesEveryPlantedFault) {
    const ProgramRun clean = RunSimulator("--games 5 --seed 1");
    EXPECT_EQ(clean.status, 0) << clean.lastLine;
    EXPECT_NE(clean.lastLine.find(" lost=0 uncovered=0 resurrected=0 "), std::string::npos)
        << clean.lastLine;

    struct Case {
        const char* fault;
        const char* reported;
    };
    for (Case c : {Case{"drop", " lost=1 "}, Case{"double", " duplicates=1 "},
                   Case{"uncovered", " uncovered=1 "}, Case{"resurrect", " resurrected=1 "}}) {
        SCOPED_TRACE(c.fault);
        const ProgramRun run = RunSimulator(std::string("--games 5 --seed 1 --plant-fault ") + c.fault);
        EXPECT_EQ(run.status, 1) << run.lastLine;
        EXPECT_NE(run.lastLine.find(c.reported), std::string::npos) << run.lastLine;
    }
}

// Every kind of bad argument gets one line naming it and the usage, and exit status 2.
// The largest values still in range are played as given, not refused or bent.
TEST(SimulatorArguments, BadArgumentsGetAOneLineUsageErrorAndStatusTwo) {
    const std::string sim = DURAK_SIM_PROGRAM;
    const std::pair<const char*, const char*> refused[] = {  // arguments, what the line names
        {"--games 5 --colour red", "unknown option '--colour'"},
        {"--games 5 --seed", "--seed needs a value"},
        {"--games 1 --seed 18446744073709551616", "--seed: 18446744073709551616 is out of range"},
        {"--games 0", "--games: 0 is out"},
        {"--games -3", "--games: -3 is out"},
        {"--games 1 --mode 2", "--mode: '2'"},
        {"--games 1 --pace 301", "--pace: '301'"},
    };
    for (const auto& [args, named] : refused) {
        SCOPED_TRACE(args);
        const auto [status, errors] = durak::testing::RunForErrors(sim + " " + args);
        EXPECT_EQ(status, 2);
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_EQ(errors.rfind("durak-sim: ", 0), 0u) << errors;
        EXPECT_NE(errors.find(named), std::string::npos) << errors;
        EXPECT_NE(errors.find("usage: durak-sim --games N"), std::string::npos) << errors;
    }
    const auto [status, errors] = durak::testing::RunForErrors(
        sim + " --games 1 --seed 18446744073709551615 --mode 1 --pace 600");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(errors, "");
}
