// The long randomized run: thousands of games in every mode with random clicks and
// menu choices; after every step no card may be in two places or lost, and every chain
// of moves must end. And the simulator's command line: what it refuses.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "sim/big_stack.h"
#include "sim/simulator.h"
#include "support/run_program.h"

using namespace durak::sim;

namespace {
SimReport Play(SimMode mode, std::int64_t games, std::uint64_t seed) {
    SimOptions options;
    options.mode = mode;
    options.games = games;
    options.seed = seed;
    SimReport report;
    RunWithStack(std::size_t{512} << 20, [&] { report = Simulate(options); });
    return report;
}

// The nesting of a two-computer game grows with its moves but stays far from what the
// window's own stack can hold (a few hundred steps deep in practice).
constexpr int kDepthBound = 2000;

void ExpectSound(const SimReport& r) {
    EXPECT_EQ(r.duplicates, 0) << SummaryLine(r);
    EXPECT_EQ(r.lost, 0) << SummaryLine(r);
    EXPECT_EQ(r.runaway, 0) << SummaryLine(r);
    EXPECT_LT(r.maxDepth, kDepthBound) << SummaryLine(r);
}
}  // namespace

TEST(Robustness, TwoComputerGamesEndSoundly) {
    const SimReport r = Play(SimMode::TwoComputers, 4000, 11);
    ExpectSound(r);
    EXPECT_EQ(r.games, 4000);
    // Every game reaches a result, with or without a further click.
    EXPECT_EQ(r.player + r.computer + r.draw, r.games) << SummaryLine(r);
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
    SimReport report;
    RunWithStack(std::size_t{512} << 20, [&] { report = Simulate(options); });
    const std::string text = trace.str();
    EXPECT_NE(text.find("== game 1: Новая"), std::string::npos);
    EXPECT_NE(text.find("NewGame"), std::string::npos);
    EXPECT_NE(text.find("PlayerAttack"), std::string::npos);
    EXPECT_NE(text.find("text (50, 6420) \"Мы ходим\""), std::string::npos);
    EXPECT_EQ(text.find("== game 2"), std::string::npos);
}

// Every kind of bad argument gets one line on the error stream, naming the argument
// and the usage, and exit status 2; nothing is played. The largest values that are
// still in range are played as given, not refused and not bent.
TEST(SimulatorArguments, BadArgumentsGetAOneLineUsageErrorAndStatusTwo) {
    struct Case {
        std::vector<std::string> args;
        const char* named;  // what the error line has to name
    };
    const Case refused[] = {
        {{"--games", "5", "--colour", "red"}, "--colour"},            // unknown option
        {{"--games", "5", "--seed"}, "--seed needs a value"},         // missing value
        {{"--games", "1", "--seed", "18446744073709551616"}, "--seed"},  // one past the largest
        {{"--games", "0"}, "--games"},
        {{"--games", "-3"}, "--games"},
        {{"--games", "9223372036854775808"}, "--games"},
        {{"--games", "12x"}, "--games"},
        {{"--games", "1", "--mode", "2"}, "--mode"},
        {{"--games", "1", "--pace", "301"}, "--pace"},
    };
    for (const Case& c : refused) {
        std::vector<std::string> argv{DURAK_SIM_PROGRAM};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const durak::testing::ProgramRun run = durak::testing::RunProgram(argv, durak::testing::EnvironmentWithout({}));
        ASSERT_TRUE(run.started);
        EXPECT_TRUE(run.exited);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");  // no game was played
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_EQ(run.err.rfind("durak-sim: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("usage: durak-sim --games N"), std::string::npos) << run.err;
    }

    const durak::testing::ProgramRun edge = durak::testing::RunProgram(
        {DURAK_SIM_PROGRAM, "--games", "1", "--seed", "18446744073709551615", "--mode", "1",
         "--pace", "600"},
        durak::testing::EnvironmentWithout({}));
    EXPECT_EQ(edge.status, 0) << edge.err;
    EXPECT_EQ(edge.err, "");
    EXPECT_NE(edge.out.find("\ngames=1 "), std::string::npos) << edge.out;
}
