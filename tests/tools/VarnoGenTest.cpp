// varno-gen refuses bad arguments and what would give no usable table with a
// message and status 2, writes nothing then, and never aborts.

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
        {{"gdi", out, "--stray", "8182", "--stray", "0x10"}, 0},
        {{"gdi", out, "--stray", "8183", "--stray", "0x10"}, 2},
        {{"nt", out, "--codepage", "IBM866", "--glyphs", "--number", "0xFFFF"}, 0},
        {{"nt", out, "--number", "0x10000"}, 2},
        {{"9x", out, "--codepage", "nonesuch"}, 2},
        {{"kbd", out, "--key", "13:0xFF:0xFF:1", "--key", "0:1:2:0"}, 0},
        {{"kbd", out, "--key", "14:1:2:0"}, 2},
        {{"kbd", out, "--key", "1:2:1"}, 2},
        {{"gdi-tables", out, "--no-resources", "--codepage", "KOI8-R", "--at", "0"}, 0},
        {{"gdi-tables", out, "--codepage", "KOI8-R", "--at", "152"}, 0},
        {{"gdi-tables", out, "--codepage", "KOI8-R", "--at", "151"}, 2},
        {{"gdi-tables", out, "--codepage", "KOI8-R", "--codepage", "IBM866", "--at", "1000", "--at", "1512"}, 0},
        {{"gdi-tables", out, "--codepage", "KOI8-R", "--codepage", "IBM866", "--at", "1000", "--at", "1511"}, 2},
        {{"gdi-tables", out, "--at", "1000"}, 2},
        {{"gdi-tables", out, "--size", "1700"}, 2},
        {{"gdi-tables", out, "--size", "2048", "--no-resources"}, 0},
        {{"gdi"}, 2},
        {{"frob", out}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        std::filesystem::remove(out);
        std::vector<std::string> argv = c.arguments;
        argv.insert(argv.begin(), VARNO_GEN_EXECUTABLE);
        const ProcessRun run = RunProcess(dir, argv, {});
        EXPECT_EQ(run.exitStatus, c.status);
        EXPECT_EQ(!run.err.empty(), c.status != 0);
        EXPECT_EQ(!run.out.empty(), c.arguments[0] == "--help");
        EXPECT_EQ(std::filesystem::exists(out), c.status == 0 && c.arguments.size() > 1);
    }
}
