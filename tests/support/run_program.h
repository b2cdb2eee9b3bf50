// Runs a shell command line and keeps what it wrote and how it ended: the exit code, or
// 128 + the signal that ended it, as a shell reports it.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <utility>

namespace durak::testing {

// What the command line wrote on its standard output, and how it ended.
inline std::pair<int, std::string> RunForOutput(const std::string& commandLine) {
    std::FILE* pipe = popen(commandLine.c_str(), "r");
    if (!pipe) return {-1, {}};
    std::string output;
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), output};
}

// What it wrote on its error stream, and how it ended.
inline std::pair<int, std::string> RunForErrors(const std::string& commandLine) {
    return RunForOutput(commandLine + " 2>&1 >/dev/null");
}

}  // namespace durak::testing
