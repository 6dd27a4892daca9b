// varno-gen refuses what would give no usable table with a message and
// status 2, writes nothing then, and never aborts.

#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

TEST(VarnoGen, RefusesNumbersThatGiveNoUsableTable)
{
    const struct {
        const char* arguments; // OUT stands for the file to write
        int status;
    } cases[] = {
        {"--help", 0},
        {"gdi OUT --size 1512 --base 1000", 0},
        {"gdi OUT --size 1511 --base 1000", 2},
        {"gdi OUT --size 0", 2},
        {"gdi OUT --base 0", 2},
        {"gdi OUT --size 99999999999999", 2},
        {"gdi OUT --base 0xFFFFFFFFFFFFFFFF", 2},
        {"gdi OUT --base -1", 2},
        {"9x OUT --size 0", 2},
        {"kbd OUT --size 400", 2},
    };
    TempDir dir;
    const std::string out = dir.File("out");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        std::string arguments = c.arguments;
        if (std::size_t at = arguments.find("OUT"); at != std::string::npos) {
            arguments.replace(at, 3, "'" + out + "'");
        }
        std::filesystem::remove(out);
        const std::string command = std::string(VARNO_GEN_EXECUTABLE) + " " + arguments + " >/dev/null 2>'"
            + dir.File("err") + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.status);
        EXPECT_EQ(std::filesystem::file_size(dir.File("err")) > 0, c.status != 0);
        EXPECT_EQ(std::filesystem::exists(out), c.status == 0 && arguments != "--help");
    }
}
