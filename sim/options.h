// The command line of durak-sim: what to play, read strictly. A value the simulator
// cannot play as written is refused, never bent to the nearest one it can.
#pragma once

#include <optional>
#include <string>

#include "sim/simulator.h"

namespace durak::sim {

inline constexpr const char* kUsage =
    "durak-sim --games N [--seed S] [--mode 200|1|mixed] [--pace 1|300|600] [--trace]";

// Reads the arguments after the program's name into `options`. An unknown option, an
// option without its value or a value out of range is refused: the answer is then the
// reason, in a few words, and `options` is left half read.
std::optional<std::string> ReadArguments(int argc, const char* const* argv, SimOptions& options);

}  // namespace durak::sim
