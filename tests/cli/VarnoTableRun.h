#pragma once
// Runs the built varno-table as a shell would, without a display, and keeps
// its exit status, standard output and standard error.

#include "tests/TestSupport.h"

#include <sstream>
#include <string>
#include <vector>

using TableRun = ProgramRun;

// arguments are passed to the shell as they stand: quote paths with Quote.
// environment goes before the program, as "env" takes it.
inline TableRun RunVarnoTable(const TempDir& dir, const std::string& arguments,
                              const std::string& environment = "-u DISPLAY -u WAYLAND_DISPLAY")
{
    return RunProgram(dir, std::string(VARNO_TABLE_EXECUTABLE) + " " + arguments, environment);
}

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}
