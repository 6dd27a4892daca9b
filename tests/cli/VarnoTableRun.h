#pragma once
// varno-table run as a program on files of a fresh folder, without a display,
// with exactly the arguments given.

#include "tests/ProcessRun.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

class VarnoTable : public ::testing::Test {
protected:
    ProcessRun Run(std::vector<std::string> arguments, const std::function<void()>& inChild = {},
                   const std::vector<std::string>& environment = {"DISPLAY", "WAYLAND_DISPLAY"}) const
    {
        arguments.insert(arguments.begin(), VARNO_TABLE_EXECUTABLE);
        return RunProcess(dir, std::move(arguments), environment, inChild);
    }

    TempDir dir;
};

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}
