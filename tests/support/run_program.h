// Runs a program as a shell would, with an environment of the test's choosing, and
// keeps what it wrote and how it ended. A program that outlives the guard is killed.
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

extern char** environ;

namespace durak::testing {

struct ProgramRun {
    bool started = false;
    bool exited = false;  // returned from main or called exit, not ended by a signal
    int status = -1;      // the exit code, or the signal number
    std::string out, err;
};

// The test's own environment without the variables named, plus `extra` ("NAME=value").
inline std::vector<std::string> EnvironmentWithout(std::initializer_list<const char*> names,
                                                   std::initializer_list<const char*> extra = {}) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        bool dropped = false;
        for (const char* name : names) {
            const std::size_t n = std::strlen(name);
            dropped = dropped || (std::strncmp(*e, name, n) == 0 && (*e)[n] == '=');
        }
        if (!dropped) env.emplace_back(*e);
    }
    for (const char* e : extra) env.emplace_back(e);
    return env;
}

inline ProgramRun RunProgram(std::vector<std::string> argv, std::vector<std::string> env,
                             std::chrono::milliseconds guard = std::chrono::seconds(60)) {
    ProgramRun run;
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0) return run;
    if (pipe(errPipe) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, outPipe[0]);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);

    std::vector<char*> args, envp;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = -1;
    run.started = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);

    // Both streams are read as they come, so a program that writes much never blocks.
    const auto deadline = std::chrono::steady_clock::now() + guard;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&run.out, &run.err};
    int streams = run.started ? 2 : 0;
    while (streams > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            kill(pid, SIGKILL);
            break;
        }
        if (poll(fds, 2, static_cast<int>(left.count())) < 0) break;
        for (int k = 0; k < 2; ++k) {
            if (fds[k].fd < 0 || fds[k].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = read(fds[k].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[k]->append(buffer, static_cast<std::size_t>(n));
            } else {
                fds[k].fd = -1;
                --streams;
            }
        }
    }
    close(outPipe[0]);
    close(errPipe[0]);
    if (!run.started) return run;
    int status = 0;
    if (waitpid(pid, &status, 0) == pid) {
        run.exited = WIFEXITED(status);
        run.status = run.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    }
    return run;
}

}  // namespace durak::testing
