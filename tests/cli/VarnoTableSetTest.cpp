// set over files of every kind together writes exactly the bytes that the
// editor's click writes: both are held to the shared edit scenarios.

#include "tests/EditScenario.h"
#include "tests/SyncFault.h"
#include "tests/cli/VarnoTableRun.h"

#include <cstring>
#include <fcntl.h>
#include <thread>

namespace {

using edit_scenario::Scenario;
using edit_scenario::ScenarioFile;

class VarnoTableSet : public VarnoTable {
protected:
    // Writes the scenario's files; the arguments of set name the clicked file
    // first, then the others in their opening order.
    std::vector<std::string> SetUpScenario(const Scenario& s) const
    {
        std::vector<std::string> arguments{"set", "--byte", Hex(s.b, 2), "--unicode", Hex(s.u, 4)};
        if (s.n != s.b) {
            arguments.insert(arguments.end(), {"--as-byte", Hex(s.n, 2)});
        }
        arguments.push_back(dir.Put(s.files[s.clicked].name, s.files[s.clicked].before));
        for (const ScenarioFile& file : s.files) {
            if (&file != &s.files[s.clicked]) {
                arguments.push_back(dir.Put(file.name, file.before));
            }
        }
        return arguments;
    }

    // Every file holds its bytes from before the change, or those given for one path.
    void ExpectUnchanged(const Scenario& s, const std::string& path = {}, const samples::Bytes& theirs = {}) const
    {
        for (const ScenarioFile& file : s.files) {
            const bool changed = dir.File(file.name) == path && !theirs.empty();
            EXPECT_TRUE(Contents(dir.File(file.name)) == (changed ? theirs : file.before)) << file.name;
        }
    }
    void ExpectWritten(const Scenario& s) const
    {
        for (const ScenarioFile& file : s.files) {
            EXPECT_TRUE(Contents(dir.File(file.name)) == file.after) << file.name;
        }
    }
};

} // namespace

TEST_F(VarnoTableSet, WritesTheBytesOfTheEditorsClickOrNothing)
{
    for (const Scenario& s : edit_scenario::CharEditScenarios()) {
        SCOPED_TRACE(s.description);
        // set has no files for reference only: those are the editor's.
        if (std::ranges::any_of(s.files, &ScenarioFile::reference)) {
            continue;
        }
        ProcessRun run = Run(SetUpScenario(s));
        if (s.refused >= 0) {
            EXPECT_EQ(run.exitStatus, 2);
            const ScenarioFile& refused = s.files[static_cast<std::size_t>(s.refused)];
            EXPECT_EQ(run.err.rfind("varno-table: " + dir.File(refused.name) + ": ", 0), 0u) << run.err;
            const bool gdi = refused.kind == edit_scenario::FileKind::gdi;
            EXPECT_NE(run.err.find(gdi ? "could no longer be found" : "has no room"), std::string::npos) << run.err;
        } else {
            EXPECT_EQ(run.exitStatus, 0) << run.err;
            EXPECT_EQ(run.err, "");
        }
        for (const ScenarioFile& file : s.files) {
            EXPECT_TRUE(Contents(dir.File(file.name)) == file.after) << file.name;
            // The report names exactly the files whose bytes changed.
            EXPECT_EQ(run.out.find(dir.File(file.name) + ": ") != std::string::npos, file.after != file.before)
                << file.name << "\n" << run.out;
        }
    }
}

// A path out of a linked folder and back up names the file that the system opens: "away/into/.."
// is the folder that "into" links to, not "away". That file is written, and none appears in "away".
TEST_F(VarnoTableSet, APathBackUpOutOfALinkedFolderWritesTheFileItNames)
{
    const Scenario s = edit_scenario::CharEditScenarios().front();
    std::vector<std::string> arguments = SetUpScenario(s);
    std::filesystem::create_directories(dir.Path() / "away");
    std::filesystem::create_directories(dir.Path() / "inner");
    std::filesystem::create_symlink(dir.Path() / "inner", dir.Path() / "away" / "into");
    std::string& clicked = arguments[arguments.size() - s.files.size()];
    clicked = (dir.Path() / "away" / "into" / ".." / s.files[s.clicked].name).string();
    EXPECT_EQ(Run(arguments).exitStatus, 0);
    ExpectWritten(s);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "away" / s.files[s.clicked].name));
}

// varno-table reads every file before it writes any. A write lease on the last file holds it in its open of
// that file, after it has read the first: then another program changes the first file.
TEST_F(VarnoTableSet, AFileChangedOnDiskAfterItWasReadIsRefusedAndNoneIsWritten)
{
    const Scenario s = edit_scenario::CharEditScenarios().front();
    const std::vector<std::string> arguments = SetUpScenario(s);
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
    ProcessRun run{};
    std::thread setRun([&] { run = Run(arguments); });
    const timespec patience{60, 0};
    const bool opening = ::sigtimedwait(&leaseBroken, nullptr, &patience) == SIGIO;
    EXPECT_TRUE(opening) << "varno-table never opened the last file";
    samples::Bytes theirs = Contents(first);
    theirs.push_back(0);
    EXPECT_TRUE(samples::WriteFile(first, theirs));
    ::fcntl(lease, F_SETLEASE, F_UNLCK);
    ::close(lease);
    setRun.join();
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);

    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err.rfind("varno-table: " + first + ": changed on disk", 0), 0u) << run.err;
    ExpectUnchanged(s, first, theirs);
}

// All files are written or none, whatever happens while they are: a failing sync of a file, of the folder or of a
// file written in place (every file has a second link), a signal between two files or while a write in place is put
// back, and another program's change while a file's new content reaches the disk: the first file's, or the
// second's, when the first goes back to its old bytes.
TEST_F(VarnoTableSet, SyncFailuresSignalsAndLateChangesLeaveAllFilesWrittenOrNone)
{
    const Scenario s = edit_scenario::CharEditScenarios().front();
    const std::string first = dir.File(s.files[s.clicked].name);
    // The file written after the clicked one: the next that the change reaches, in the order of the arguments.
    const auto next = std::ranges::find_if(s.files, [&](const ScenarioFile& file) {
        return &file != &s.files[s.clicked] && file.after != file.before;
    });
    ASSERT_NE(next, s.files.end());
    const std::string second = dir.File(next->name);
    std::string changed;
    samples::Bytes theirs;
    const auto change = [&](const std::string& path) {
        return [&, path](pid_t) {
            changed = path;
            theirs = Contents(path);
            theirs[0] ^= 1;
            samples::WriteFile(path, theirs);
        };
    };
    const auto send = [](int signal) { return [signal](pid_t child) { ::kill(child, signal); }; };
    const struct {
        const char* fail;
        int stopAt; // in the nth sync of a file
        std::function<void(pid_t)> whileStopped;
        bool linked;
        int exitStatus; // -1: ended by the signal
        bool written;
        std::string told;
    } cases[] = {
        {"file", 0, {}, false, 2, false, "Input/output error"},
        {"folder", 0, {}, false, 2, false, "Input/output error"},
        {"file", 0, {}, true, 2, false, "Input/output error"},
        {"", 2, send(SIGTERM), false, -1, true, "stopped by SIGTERM once every file was written"},
        {"", 2, send(SIGINT), false, -1, true, "stopped by SIGINT once every file was written"},
        {"", 2, send(SIGHUP), true, -1, true, "stopped by SIGHUP once every file was written"},
        {"file", 1, send(SIGTERM), true, -1, false, "stopped by SIGTERM once the files were left as they were"},
        {"", 1, change(first), false, 2, false, first + " has changed on disk"},
        {"", 2, change(second), false, 2, false, second + " has changed on disk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told + (c.linked ? ", in place" : ""));
        std::filesystem::remove_all(dir.Path());
        std::filesystem::create_directory(dir.Path());
        changed.clear();
        theirs.clear();
        const std::vector<std::string> arguments = SetUpScenario(s);
        for (const ScenarioFile& file : s.files) {
            ASSERT_TRUE(!c.linked || ::link(dir.File(file.name).c_str(), dir.File(file.name + ".2").c_str()) == 0);
        }
        ProcessRun run = Run(arguments, {}, WithSyncFault({}, c.fail, c.stopAt), [&](pid_t child, int& status) {
            return AwaitSyncStop(child, status, c.whileStopped);
        });
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_NE(run.err.find(c.told), std::string::npos) << run.err;
        if (c.written) {
            ExpectWritten(s);
        } else {
            ExpectUnchanged(s, changed, theirs);
            // No line stands for a change that did not happen.
            EXPECT_EQ(run.out, "");
            EXPECT_NE(run.err.find("not written; no file was changed"), std::string::npos) << run.err;
        }
        // Each file, its second link, and the run's output: no temporary file is left.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), s.files.size() * (1 + c.linked) + 2);
    }
}
