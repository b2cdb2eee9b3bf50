// Runs a function on a thread with a stack of its own size. A two-computer game nests
// one call level per move; the simulator gives its games room to spare.
#pragma once

#include <cstddef>
#include <functional>

namespace durak::sim {

void RunWithStack(std::size_t bytes, const std::function<void()>& body);

}  // namespace durak::sim
