#pragma once
// Runs a built program as a process, with the arguments exactly as given (no
// shell between), and keeps how it ended and what it wrote.

#include "tests/TempDir.h"

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

struct ProcessRun {
    int exitStatus; // -1 when a signal ended the process
    int signal;     // the signal that ended it, or 0
    std::string out;
    std::string err;
};

// environment changes the inherited environment: "NAME=value" sets, "NAME" unsets.
// inChild runs in the child just before the program starts (limits, signals).
inline ProcessRun RunProcess(const TempDir& dir, const std::vector<std::string>& argv,
                             const std::vector<std::string>& environment, const std::function<void()>& inChild = {})
{
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        variables.emplace_back(*entry);
    }
    for (const std::string& change : environment) {
        const std::string name = change.substr(0, change.find('='));
        std::erase_if(variables, [&](const std::string& v) { return v.compare(0, name.size() + 1, name + "=") == 0; });
        if (change.find('=') != std::string::npos) {
            variables.push_back(change);
        }
    }
    auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> result;
        for (std::string& s : strings) {
            result.push_back(s.data());
        }
        result.push_back(nullptr);
        return result;
    };
    std::vector<std::string> arguments = argv;
    std::vector<char*> argp = pointers(arguments);
    std::vector<char*> envp = pointers(variables);
    const std::string out = dir.File("stdout.txt");
    const std::string err = dir.File("stderr.txt");

    const pid_t child = ::fork();
    if (child < 0) {
        return {-1, 0, {}, "fork failed"};
    }
    if (child == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || outFd < 0 || errFd < 0 || ::dup2(in, 0) < 0 || ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0) {
            ::_exit(127);
        }
        if (inChild) {
            inChild();
        }
        ::execve(argp[0], argp.data(), envp.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    auto slurp = [](const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, WIFSIGNALED(status) ? WTERMSIG(status) : 0, slurp(out),
            slurp(err)};
}
