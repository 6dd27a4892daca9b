// The real executable, started as a shell would start it, on a machine without a display.

#include "tests/TempDir.h"
#include "tools/SampleGenerator.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>

namespace {

struct Outcome {
    int exitStatus;
    std::string standardError;
};

Outcome RunVarno(const TempDir& dir, const std::string& arguments)
{
    std::string errors = dir.File("stderr.txt");
    std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY " + std::string(VARNO_EXECUTABLE) + " " + arguments
        + " 2>'" + errors + "' </dev/null >/dev/null";
    int status = std::system(command.c_str());
    samples::Bytes text;
    samples::ReadFile(errors, text);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, std::string(text.begin(), text.end())};
}

} // namespace

TEST(BatchProcess, ReportsSuccessOnStandardErrorAndExitsZero)
{
    TempDir dir;
    samples::GdiModuleOptions options;
    std::string target = dir.File("my gdi.exe");
    std::string source = dir.File("source.exe");
    ASSERT_TRUE(samples::WriteFile(target, samples::MakeGdiModule(options)));
    options.tableBase = 2001;
    ASSERT_TRUE(samples::WriteFile(source, samples::MakeGdiModule(options)));

    Outcome outcome = RunVarno(dir, "'" + target + "' '" + source + "'");
    EXPECT_EQ(outcome.exitStatus, 0);
    EXPECT_EQ(outcome.standardError, "varno: File modified ok: " + target + "\n");

    Outcome quiet = RunVarno(dir, "'" + target + "' '" + source + "' /q");
    EXPECT_EQ(quiet.exitStatus, 0);
    EXPECT_EQ(quiet.standardError, "");
}

TEST(BatchProcess, ReportsFailureOnStandardErrorAndExitsNonZero)
{
    TempDir dir;
    std::string missing = dir.File("missing.exe");
    Outcome outcome = RunVarno(dir, "'" + missing + "' other.exe");
    EXPECT_NE(outcome.exitStatus, 0);
    EXPECT_EQ(outcome.standardError, "varno: Cannot open file " + missing + "\n");
}
