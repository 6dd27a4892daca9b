// varno-gen refuses what would give no usable table with a message and
// status 2, writes nothing then, and never aborts.

#include "tests/ProcessRun.h"

#include <gtest/gtest.h>

TEST(VarnoGen, RefusesNumbersThatGiveNoUsableTable)
{
    TempDir dir;
    const std::string out = dir.File("out");
    const struct {
        std::vector<std::string> arguments;
        int status;
    } cases[] = {
        {{"--help"}, 0},
        {{"gdi", out, "--size", "1512", "--base", "1000"}, 0},
        {{"gdi", out, "--size", "1511", "--base", "1000"}, 2},
        {{"gdi", out, "--size", "0"}, 2},
        {{"gdi", out, "--base", "0"}, 2},
        {{"gdi", out, "--size", "99999999999999"}, 2},
        {{"gdi", out, "--base", "0xFFFFFFFFFFFFFFFF"}, 2},
        {{"gdi", out, "--base", "-1"}, 2},
        {{"9x", out, "--size", "0"}, 2},
        {{"kbd", out, "--size", "400"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        std::filesystem::remove(out);
        std::vector<std::string> argv = c.arguments;
        argv.insert(argv.begin(), VARNO_GEN_EXECUTABLE);
        const ProcessRun run = RunProcess(dir, argv, {});
        EXPECT_EQ(run.exitStatus, c.status);
        EXPECT_EQ(!run.err.empty(), c.status != 0);
        EXPECT_EQ(std::filesystem::exists(out), c.status == 0 && c.arguments.size() > 1);
    }
}
