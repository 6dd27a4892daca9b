// --help and --version of the three installed programs: the answer on standard
// output, exit status 0, and nothing else done.

#include "tests/ProcessRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;

TEST(HelpAndVersion, EachProgramAnswersOnStandardOutputAndDoesNothingElse)
{
    TempDir dir;
    // varno-open runs from a copy beside a stand-in editor that leaves a mark when started, with a
    // runtime folder of its own: a hand-over would start the stand-in or leave a socket there.
    const std::string open = dir.File("varno-open");
    fs::copy_file(VARNO_OPEN_EXECUTABLE, open);
    const std::string started = dir.File("editor-started");
    const std::string script = "#!/bin/sh\ntouch '" + started + "'\n";
    const std::string editor = dir.Put("varno", {script.begin(), script.end()});
    ASSERT_EQ(::chmod(editor.c_str(), 0755), 0);
    const std::string runtime = dir.File("runtime");
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    const std::vector<std::string> environment = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                                  "XDG_RUNTIME_DIR=" + runtime};

    struct Case {
        std::vector<std::string> argv;
        std::string expected; // what standard output starts with, or (for the version) is
        bool whole;
    };
    std::vector<Case> cases = {
        {{VARNO_EXECUTABLE, "--help"}, "Usage: varno\n", false},
        {{VARNO_EXECUTABLE, "--version"}, "varno " VARNO_VERSION "\n", true},
        {{open, "--help"}, "Usage: varno-open [FILE]...\n", false},
        {{open, "--version"}, "varno-open " VARNO_VERSION "\n", true},
        {{VARNO_TABLE_EXECUTABLE, "--help"}, "Inspects, checks and edits", false},
        {{VARNO_TABLE_EXECUTABLE, "--version"}, "varno-table " VARNO_VERSION "\n", true},
    };
    // Every command's help ends with an example of that command.
    for (const char* command : {"show", "check", "set", "key", "export", "apply", "diff"}) {
        cases.push_back({{VARNO_TABLE_EXECUTABLE, command, "--help"}, "Example:\n  varno-table " + std::string(command) + " ", false});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argv[0] + " " + c.argv[1]);
        ProcessRun run = RunProcess(dir, c.argv, environment);
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(run.err, "");
        if (c.whole) {
            EXPECT_EQ(run.out, c.expected);
        } else if (c.argv.size() == 2) {
            EXPECT_EQ(run.out.rfind(c.expected, 0), 0u) << run.out;
        } else {
            EXPECT_NE(run.out.find(c.expected), std::string::npos) << run.out;
        }
        // An answer that could not be written is no success.
        ProcessRun full = RunProcess(dir, c.argv, environment, [] { (void)std::freopen("/dev/full", "w", stdout); });
        EXPECT_NE(full.exitStatus, 0);
    }
    EXPECT_FALSE(fs::exists(started)) << "varno-open started an editor";
    EXPECT_TRUE(fs::is_empty(runtime)) << "varno-open left something in its runtime folder";

    // Only the whole command line asks: with more, varno still runs the batch transplant.
    ProcessRun batch = RunProcess(dir, {VARNO_EXECUTABLE, "--help", dir.File("source.exe")}, environment);
    EXPECT_EQ(batch.exitStatus, 1);
    EXPECT_EQ(batch.err, "varno: Cannot open file --help\n");
}
