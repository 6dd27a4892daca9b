#pragma once
// Runs a built program as a process, with the arguments exactly as given (no
// shell between), and keeps how it ended and what it wrote.

#include "tests/TempDir.h"

#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

struct ProcessRun {
    int exitStatus; // -1 when a signal ended the process
    std::string out;
    std::string err;
};

// Starts the program with its standard output and error going to the files out and err, and gives its
// pid (-1 when it cannot). environment changes the inherited one: "NAME=value" sets, "NAME" unsets.
// inChild runs in the child just before the program starts (limits, signals, folder).
inline pid_t StartProcess(std::vector<std::string> argv, const std::vector<std::string>& environment,
                          const std::string& out, const std::string& err, const std::function<void()>& inChild = {})
{
    const pid_t child = ::fork();
    if (child == 0) {
        for (const std::string& change : environment) {
            const std::size_t equals = change.find('=');
            equals == std::string::npos ? ::unsetenv(change.c_str())
                                        : ::setenv(change.substr(0, equals).c_str(), change.c_str() + equals + 1, 1);
        }
        std::vector<char*> args;
        for (std::string& argument : argv) {
            args.push_back(argument.data());
        }
        args.push_back(nullptr);
        if (!std::freopen("/dev/null", "r", stdin) || !std::freopen(out.c_str(), "w", stdout)
            || !std::freopen(err.c_str(), "w", stderr)) {
            ::_exit(127);
        }
        if (inChild) {
            inChild();
        }
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    return child;
}

// Runs the program as StartProcess does and waits for it. await, when given, waits for the child and tells
// whether it ended, so that a GUI test keeps its event loop turning; by default the call blocks.
inline ProcessRun RunProcess(const TempDir& dir, std::vector<std::string> argv,
                             const std::vector<std::string>& environment, const std::function<void()>& inChild = {},
                             const std::function<bool(pid_t, int&)>& await = {})
{
    const std::string out = dir.File("stdout.txt");
    const std::string err = dir.File("stderr.txt");
    const pid_t child = StartProcess(std::move(argv), environment, out, err, inChild);
    int status = 0;
    if (child > 0 && await && !await(child, status)) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    while (child > 0 && !await && ::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return {child > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
}
