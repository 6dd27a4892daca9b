#pragma once
// varno-table run as a program on files of a fresh folder, with exactly the arguments given.
// A display is named but cannot be reached: any start of the GUI toolkit (a message box, a
// window) would end the process, so every run shows that the tool never starts it.

#include "tests/ProcessRun.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

class VarnoTable : public ::testing::Test {
protected:
    ProcessRun Run(std::vector<std::string> arguments, const std::function<void()>& inChild = {},
                   const std::vector<std::string>& environment = {},
                   const std::function<bool(pid_t, int&)>& await = {}) const
    {
        arguments.insert(arguments.begin(), VARNO_TABLE_EXECUTABLE);
        std::vector<std::string> changes = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY=:99"};
        changes.insert(changes.end(), environment.begin(), environment.end());
        return RunProcess(dir, std::move(arguments), changes, inChild, await);
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
