// The long randomized run: thousands of games in every mode with random clicks and
// menu choices; after every step no card may be in two places or lost, and every chain
// of moves must end. And the simulator's command line: what it refuses.
#include <gtest/gtest.h>

#include <span>
#include <sstream>
#include <string>

#include "sim/big_stack.h"
#include "sim/card_ledger.h"
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
    SimReport report;
    RunWithStack(std::size_t{512} << 20, [&] { report = Simulate(options); });
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

// The ledger reads only the entries a step changed, eight at a time: a card put twice in
// play, or drawn and then lost, is seen at every place of every row, the last entries of
// each row among them, and each fault is counted once.
TEST(Robustness, LedgerSeesAChangeAtEveryPlace) {
    durak::GameState dealt;
    const int cards[13] = {6, 7, 8, 9, 10, 56, 57, 58, 59, 60, 106, 107, 156};
    for (int k = 1; k <= 13; ++k) dealt.seenCards[k] = static_cast<durak::Field>(cards[k - 1]);
    for (int k = 1; k <= 6; ++k) {
        dealt.playerHand[k] = dealt.seenCards[k];
        dealt.computerHand[k] = dealt.seenCards[6 + k];
    }
    const auto fresh = [&](CardLedger& ledger) {
        ledger.NewDeal();
        ledger.Step(dealt, "NewGame");  // the deal itself is not checked
        ledger.Check(dealt);
        ASSERT_EQ(ledger.Duplicates() + ledger.Lost(), 0);
    };
    using Row = std::pair<const char*, std::span<std::int16_t>>;
    durak::GameState s = dealt;
    const Row rows[] = {{"player", s.playerHand.v},           {"computer", s.computerHand.v},
                        {"attack", s.tablePlayerAttack.v},    {"defence", s.tableComputerDefence.v},
                        {"computer attack", s.tableComputerAttack.v},
                        {"player defence", s.tablePlayerDefence.v}};
    for (const auto& [name, row] : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            SCOPED_TRACE(std::string(name) + " entry " + std::to_string(i + 1));
            s = dealt;
            CardLedger ledger;
            fresh(ledger);
            if (row[i] != 0) continue;  // a dealt slot: its card is the one copied below
            row[i] = dealt.playerHand[1];
            ledger.Check(s);
            EXPECT_EQ(ledger.Duplicates(), 1);
            ledger.Check(s);  // the same fault again is not counted again
            EXPECT_EQ(ledger.Duplicates(), 1);
        }
    }
    for (int entry = 14; entry <= 36; ++entry) {
        SCOPED_TRACE("drawn entry " + std::to_string(entry));
        s = dealt;
        CardLedger ledger;
        fresh(ledger);
        s.seenCards[entry] = 164;  // drawn, and in no hand
        ledger.Check(s);
        EXPECT_EQ(ledger.Lost(), 1);
        EXPECT_EQ(ledger.Duplicates(), 0);
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
