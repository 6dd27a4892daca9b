// The real executable, started as a shell would start it, on a machine without a display.

#include "tests/TestSupport.h"
#include "tools/SampleGenerator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Outcome = ProgramRun;

Outcome RunVarno(const TempDir& dir, const std::string& arguments)
{
    return RunProgram(dir, std::string(VARNO_EXECUTABLE) + " " + arguments);
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
    EXPECT_EQ(outcome.err, "varno: File modified ok: " + target + "\n");

    Outcome quiet = RunVarno(dir, "'" + target + "' '" + source + "' /q");
    EXPECT_EQ(quiet.exitStatus, 0);
    EXPECT_EQ(quiet.err, "");
}

TEST(BatchProcess, ReportsFailureOnStandardErrorAndExitsNonZero)
{
    TempDir dir;
    std::string missing = dir.File("missing.exe");
    Outcome outcome = RunVarno(dir, "'" + missing + "' other.exe");
    EXPECT_NE(outcome.exitStatus, 0);
    EXPECT_EQ(outcome.err, "varno: Cannot open file " + missing + "\n");
}
