// The real executable, started with exactly the arguments that a shell passes.

#include "tests/ProcessRun.h"
#include "tests/SyncFault.h"
#include "tests/app/BatchModules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// As on a server: no display, and not Qt's offscreen platform of the test run either.
const std::vector<std::string> kNoDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

class BatchProcess : public ::testing::Test {
protected:
    ProcessRun Run(std::vector<std::string> arguments, const std::vector<std::string>& environment = kNoDisplay,
                   const std::function<void()>& inChild = {})
    {
        arguments.insert(arguments.begin(), VARNO_EXECUTABLE);
        return RunProcess(dir, arguments, environment, inChild);
    }

    std::string Module(const std::string& name, std::size_t base, std::uint16_t mark)
    {
        return dir.Put(name, ModuleWithMarkedEntries(8192, base, mark, mark));
    }

    TempDir dir;
};

} // namespace

TEST_F(BatchProcess, RefusesArgumentsThatTheCommandLineCannotCarryAndWritesNothing)
{
    std::string source = Module("src.exe", 1500, 0x2000);
    const struct {
        std::vector<std::string> arguments;
        int refused;
        std::string misread; // the file that the rebuilt command line would name as the target
    } cases[] = {
        {{dir.File("O'Neil's.exe"), source}, 1, dir.File("ONeils.exe")},
        {{"", dir.File("victim.exe"), source}, 1, dir.File("victim.exe")},
        {{dir.File("a\"b\".exe"), source}, 1, dir.File("ab.exe")},
        {{dir.File("t.exe"), source, "'/q'"}, 3, dir.File("t.exe")},
    };
    for (const auto& c : cases) {
        samples::Bytes before = ModuleWithMarkedEntries(8192, 1000, 0x1000, 1);
        ASSERT_TRUE(samples::WriteFile(c.misread, before));
        ProcessRun run = Run(c.arguments);
        const std::string& argument = c.arguments[c.refused - 1];
        EXPECT_EQ(run.exitStatus, 1) << argument;
        EXPECT_NE(run.err.find("cannot carry argument " + std::to_string(c.refused)
                               + (argument.empty() ? ": it is empty" : ", " + argument + ": ")),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(Contents(c.misread), before) << argument;
    }
}

TEST_F(BatchProcess, RefusesFifosAndDevicesWithoutWaiting)
{
    std::string good = Module("good.exe", 1000, 0x1000);
    samples::Bytes before = Contents(good);
    std::string fifo = dir.File("pipe.exe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Held open at both ends here, so that an open that waits for a writer
    // returns at once: a missing refusal fails the test instead of hanging it.
    int held = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(held, 0);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{fifo, good}, fifo}, {{good, fifo}, fifo}, {{"/dev/null", good}, "/dev/null"}, {{good, "/dev/zero"}, "/dev/zero"}};
    for (const auto& [arguments, refused] : cases) {
        ProcessRun run = Run(arguments);
        EXPECT_EQ(run.exitStatus, 1) << refused;
        EXPECT_EQ(run.err, "varno: Cannot open file " + refused + "\n");
    }
    ::close(held);
    EXPECT_EQ(Contents(good), before);
}

TEST_F(BatchProcess, AFailedWriteLeavesTheTargetAsItWas)
{
    std::string fs = dir.File("fs");
    std::filesystem::create_directory(fs);
    if (::mount("tmpfs", fs.c_str(), "tmpfs", 0, "size=256k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs (" << std::strerror(errno) << "); it needs root";
    }
    const std::unique_ptr<const char, void (*)(const char*)> unmount(fs.c_str(), [](const char* path) {
        ::umount2(path, MNT_DETACH);
    });
    std::string source = Module("src.exe", 1500, 0x2000);
    samples::Bytes sourceBytes = Contents(source);
    const struct {
        const char* name;
        std::size_t base;
        off_t hole; // a page left unwritten in the sparse target
        bool succeeds;
    } cases[] = {
        // A hole past the table: writing only the entries needs no new page of the full file system.
        {"hole-after.exe", 1000, 12288, true},
        // The entries end the first page, which is a hole that the full file system cannot fill.
        {"hole-under.exe", 4096 - 384, 0, false},
    };
    std::vector<samples::Bytes> before;
    for (const auto& c : cases) {
        samples::Bytes bytes = ModuleWithMarkedEntries(16384, c.base, 0x1000, 2);
        int fd = ::open((fs + "/" + c.name).c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(bytes.size())), 0);
        for (off_t page = 0; page < static_cast<off_t>(bytes.size()); page += 4096) {
            if (page != c.hole) {
                ASSERT_EQ(::pwrite(fd, bytes.data() + page, 4096, page), 4096);
            }
        }
        ::close(fd);
        before.push_back(Contents(fs + "/" + c.name));
    }
    int filler = ::open((fs + "/filler").c_str(), O_WRONLY | O_CREAT, 0600);
    std::vector<char> block(4096, 'x');
    while (::write(filler, block.data(), block.size()) > 0) {
    }
    ::close(filler);

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        std::string target = fs + "/" + c.name;
        ProcessRun run = Run({target, source});
        if (c.succeeds) {
            EXPECT_EQ(run.exitStatus, 0) << run.err;
            EXPECT_EQ(Contents(target), Transplanted(before[i], c.base, sourceBytes, 1500)) << c.name;
        } else {
            EXPECT_EQ(run.exitStatus, 1) << c.name;
            EXPECT_EQ(run.err.rfind("varno: Cannot write file " + target, 0), 0u) << run.err;
            EXPECT_EQ(Contents(target), before[i]) << c.name;
        }
    }
}

// The entries written in place reach the disk, or the old bytes are put back, even when a signal comes while
// the sync fails.
TEST_F(BatchProcess, AFailingSyncPutsTheOldBytesBackBeforeASignalEndsTheRun)
{
    const std::string source = Module("src.exe", 1500, 0x2000);
    for (const int signal : {0, SIGTERM}) {
        const std::string target = Module("t.exe", 1000, 0x1000);
        const samples::Bytes before = Contents(target);
        const auto send = [signal](pid_t child) { ::kill(child, signal); }; // 0 sends nothing
        const ProcessRun run = RunProcess(dir, {VARNO_EXECUTABLE, target, source}, WithSyncFault(kNoDisplay, "file", 1), {},
                                          [&](pid_t child, int& status) { return AwaitSyncStop(child, status, send); });
        EXPECT_EQ(run.exitStatus, signal == 0 ? 1 : -1) << signal;
        EXPECT_EQ(run.err, "varno: Cannot write file " + target + " (Input/output error); it was left as it was.\n");
        EXPECT_EQ(Contents(target), before);
    }
}

// What needs no root: the entries read back after a success, in a target whose name is as long as a name
// can be (255 bytes, and one token at the command line's limit), and a write that the size limit stops
// half-way through the entries, which leaves the target as it was.
TEST_F(BatchProcess, WritesTheSourcesEntriesOrLeavesTheTargetAsItWas)
{
    const std::string source = Module("src.exe", 1500, 0x2000);
    const struct {
        std::string name;
        std::size_t base;
        rlim_t sizeLimit;
        bool succeeds;
    } cases[] = {
        {"t" + std::string(250, 'x') + ".exe", 1000, RLIM_INFINITY, true},
        {"limit.exe", 4096 - 320, 4096, false},
    };
    for (const auto& c : cases) {
        const samples::Bytes before = Contents(Module(c.name, c.base, 0x1000));
        // Named from its folder, so that the name is the whole argument.
        ProcessRun run = Run({c.name, source}, kNoDisplay, [&] {
            const rlimit limit{c.sizeLimit, c.sizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            if (::chdir(dir.Path().c_str()) != 0) {
                ::_exit(126);
            }
        });
        EXPECT_EQ(run.exitStatus, c.succeeds ? 0 : 1) << c.name;
        const std::string told = c.succeeds ? "File modified ok: " : "Cannot write file ";
        EXPECT_EQ(run.err.rfind("varno: " + told + c.name, 0), 0u) << run.err;
        const samples::Bytes expected = c.succeeds ? Transplanted(before, c.base, Contents(source), 1500) : before;
        EXPECT_EQ(Contents(dir.File(c.name)), expected) << c.name;
    }
}

// Batch messages go to standard error, and the exit status tells the outcome.
TEST_F(BatchProcess, AnUnreachableDisplayCountsAsNone)
{
    int number = 99;
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) {
        ++number;
    }
    std::string target = Module("t.exe", 1000, 0x1000);
    std::string source = Module("s.exe", 1500, 0x2000);
    const std::vector<std::string> environments[] = {
        {"DISPLAY=:" + std::to_string(number), "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"},
        {"DISPLAY", "WAYLAND_DISPLAY=wayland-gone", "XDG_RUNTIME_DIR=" + dir.Path().string(), "QT_QPA_PLATFORM"},
        kNoDisplay,
    };
    for (const std::vector<std::string>& environment : environments) {
        ProcessRun batch = Run({target, source}, environment);
        EXPECT_EQ(batch.exitStatus, 0) << environment[0];
        EXPECT_EQ(batch.err, "varno: File modified ok: " + target + "\n");
        ProcessRun editor = Run({}, environment);
        EXPECT_EQ(editor.exitStatus, 1) << environment[0];
        EXPECT_EQ(editor.err, "varno: The editor needs a display, and none could be opened. Batch mode "
                              "(varno TARGET SOURCE) and varno-table need none.\n");
    }
}
