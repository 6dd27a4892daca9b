#pragma once
// Runs the built varno-table as a shell would, without a display, and keeps
// its exit status, standard output and standard error.

#include "tests/TempDir.h"
#include "tools/SampleGenerator.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>
#include <sys/wait.h>

struct TableRun {
    int exitStatus;
    std::string out;
    std::string err;
};

// arguments are passed to the shell as they stand: quote paths with Quote.
// environment goes before the program, as "env" takes it.
inline TableRun RunVarnoTable(const TempDir& dir, const std::string& arguments,
                              const std::string& environment = "-u DISPLAY -u WAYLAND_DISPLAY")
{
    std::string out = dir.File("stdout.txt");
    std::string err = dir.File("stderr.txt");
    std::string command = "env " + environment + " " + std::string(VARNO_TABLE_EXECUTABLE) + " " + arguments + " >'"
        + out + "' 2>'" + err + "' </dev/null";
    int status = std::system(command.c_str());
    samples::Bytes outBytes;
    samples::Bytes errBytes;
    samples::ReadFile(out, outBytes);
    samples::ReadFile(err, errBytes);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, std::string(outBytes.begin(), outBytes.end()),
            std::string(errBytes.begin(), errBytes.end())};
}

inline std::string Quote(const std::string& path) { return "'" + path + "'"; }

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}
