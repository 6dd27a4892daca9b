// set over files of every kind together writes exactly the bytes that the
// editor's click writes: both are held to the shared edit scenarios.

#include "tests/EditScenario.h"
#include "tests/cli/VarnoTableRun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <thread>
#include <vector>

namespace {

// The clicked file first, then the others in their opening order.
std::string SetArguments(const TempDir& dir, const edit_scenario::Scenario& s)
{
    std::string arguments = "set --byte " + Hex(s.b, 2) + " --unicode " + Hex(s.u, 4);
    if (s.n != s.b) {
        arguments += " --as-byte " + Hex(s.n, 2);
    }
    // The clicked file first, then the others in their order.
    std::vector<std::size_t> order{s.clicked};
    for (std::size_t i = 0; i < s.files.size(); ++i) {
        if (i != s.clicked) {
            order.push_back(i);
        }
    }
    for (std::size_t i : order) {
        arguments.append(1, ' ').append(Quote(dir.File(s.files[i].name)));
    }
    return arguments;
}

void WriteScenarioFiles(const TempDir& dir, const edit_scenario::Scenario& s)
{
    for (const edit_scenario::ScenarioFile& file : s.files) {
        ASSERT_TRUE(samples::WriteFile(dir.File(file.name), file.before));
    }
}

} // namespace

TEST(VarnoTableSet, WritesTheBytesOfTheEditorsClickOrNothing)
{
    for (const edit_scenario::Scenario& s : edit_scenario::CharEditScenarios()) {
        SCOPED_TRACE(s.description);
        TempDir dir;
        WriteScenarioFiles(dir, s);
        TableRun run = RunVarnoTable(dir, SetArguments(dir, s));
        if (s.refused >= 0) {
            EXPECT_EQ(run.exitStatus, 2);
            const std::string refused = dir.File(s.files[static_cast<std::size_t>(s.refused)].name);
            EXPECT_EQ(run.err.rfind("varno-table: " + refused + ": ", 0), 0u) << run.err;
            const bool gdi = s.files[static_cast<std::size_t>(s.refused)].kind == edit_scenario::FileKind::gdi;
            EXPECT_NE(run.err.find(gdi ? "could no longer be found" : "has no room"), std::string::npos) << run.err;
        } else {
            EXPECT_EQ(run.exitStatus, 0) << run.err;
            EXPECT_EQ(run.err, "");
        }
        for (const edit_scenario::ScenarioFile& file : s.files) {
            samples::Bytes written;
            ASSERT_TRUE(samples::ReadFile(dir.File(file.name), written));
            EXPECT_TRUE(written == file.after) << file.name;
            // The report names exactly the files whose bytes changed.
            EXPECT_EQ(run.out.find(dir.File(file.name) + ": ") != std::string::npos, file.after != file.before)
                << file.name << "\n" << run.out;
        }
    }
}

TEST(VarnoTableSet, DryRunTellsTheChangesAndWritesNothing)
{
    const edit_scenario::Scenario s = edit_scenario::CharEditScenarios().front();
    TempDir dir;
    WriteScenarioFiles(dir, s);
    TableRun dry = RunVarnoTable(dir, SetArguments(dir, s) + " --dry-run");
    ASSERT_EQ(dry.exitStatus, 0) << dry.err;
    for (const edit_scenario::ScenarioFile& file : s.files) {
        samples::Bytes unchanged;
        ASSERT_TRUE(samples::ReadFile(dir.File(file.name), unchanged));
        EXPECT_TRUE(unchanged == file.before) << file.name;
    }
    // The exchange of 0xE0 and 0xE1 in the clicked table, told as the real run tells it.
    const std::string nt = dir.File(s.files[edit_scenario::kNt1251].name);
    EXPECT_NE(dry.out.find(nt + ": E0 0430 -> 0431\n" + nt + ": E1 0431 -> 0430\n"), std::string::npos) << dry.out;
    EXPECT_EQ(dry.out.substr(dry.out.size() - 25), "dry run: no file written\n");

    TableRun real = RunVarnoTable(dir, SetArguments(dir, s));
    ASSERT_EQ(real.exitStatus, 0) << real.err;
    EXPECT_EQ(real.out + "dry run: no file written\n", dry.out);
}

// A write that fails, here at a file size limit that the NT files exceed,
// writes no file and tells no change.
TEST(VarnoTableSet, AFailedWriteTellsNoChange)
{
    const edit_scenario::Scenario s = edit_scenario::CharEditScenarios().front();
    TempDir dir;
    WriteScenarioFiles(dir, s);
    const std::string limited = "-u DISPLAY -u WAYLAND_DISPLAY sh -c 'trap \"\" XFSZ; ulimit -f 64; exec \"$0\" \"$@\"'";
    TableRun run = RunVarnoTable(dir, SetArguments(dir, s), limited);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("not written; no file was changed"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    for (const edit_scenario::ScenarioFile& file : s.files) {
        samples::Bytes unchanged;
        ASSERT_TRUE(samples::ReadFile(dir.File(file.name), unchanged));
        EXPECT_TRUE(unchanged == file.before) << file.name;
    }
}

// varno-table reads every file before it writes any. A write lease on the last
// file holds it in its open of that file, after it has read the first: then
// another program changes the first file.
TEST(VarnoTableSet, AFileChangedOnDiskAfterItWasReadIsRefusedAndNoneIsWritten)
{
    const edit_scenario::Scenario s = edit_scenario::CharEditScenarios().front();
    TempDir dir;
    WriteScenarioFiles(dir, s);
    const std::string arguments = SetArguments(dir, s);
    const std::string first = dir.File(s.files[s.clicked].name);
    // The last argument: the last file but the clicked one.
    const std::size_t lastIndex = s.files.size() - (s.clicked + 1 == s.files.size() ? 2 : 1);
    const std::string last = dir.File(s.files[lastIndex].name);

    sigset_t leaseBroken;
    sigemptyset(&leaseBroken);
    sigaddset(&leaseBroken, SIGIO);
    sigset_t previous;
    ::pthread_sigmask(SIG_BLOCK, &leaseBroken, &previous);
    const int lease = ::open(last.c_str(), O_RDONLY);
    if (::fcntl(lease, F_SETLEASE, F_WRLCK) != 0) {
        ::close(lease);
        ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        GTEST_SKIP() << "no file leases here: " << std::strerror(errno);
    }
    TableRun run{};
    std::thread setRun([&] { run = RunVarnoTable(dir, arguments); });
    const timespec patience{60, 0};
    const bool opening = ::sigtimedwait(&leaseBroken, nullptr, &patience) == SIGIO;
    EXPECT_TRUE(opening) << "varno-table never opened the last file";
    samples::Bytes theirs;
    ASSERT_TRUE(samples::ReadFile(first, theirs));
    theirs.push_back(0);
    EXPECT_TRUE(samples::WriteFile(first, theirs));
    ::fcntl(lease, F_SETLEASE, F_UNLCK);
    ::close(lease);
    setRun.join();
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);

    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err.rfind("varno-table: " + first + ": changed on disk", 0), 0u) << run.err;
    for (const edit_scenario::ScenarioFile& file : s.files) {
        samples::Bytes now;
        ASSERT_TRUE(samples::ReadFile(dir.File(file.name), now));
        EXPECT_TRUE(now == (dir.File(file.name) == first ? theirs : file.before)) << file.name;
    }
}
