#include "storage/ContentDigest.h"
#include "storage/DiskState.h"
#include "storage/FolderEntry.h"
#include "storage/RegularFile.h"
#include "storage/SaveFile.h"
#include "storage/SignalHold.h"
#include "tests/SyncFault.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<std::uint8_t> Text(std::string_view text) { return {text.begin(), text.end()}; }

std::size_t EntryCount(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// Runs an ACL or attribute tool, with its output kept aside.
ProcessRun Tool(const std::vector<std::string>& arguments)
{
    TempDir output;
    return RunProcess(output, arguments, {});
}

// getfacl's and getfattr's account of the file (its ACL and extended attributes), with its owner, group and mode.
std::string Attributes(const std::string& path)
{
    struct stat status {};
    ::stat(path.c_str(), &status);
    return Tool({"/usr/bin/getfacl", "-n", path}).out + Tool({"/usr/bin/getfattr", "-d", "-m", "-", path}).out
        + std::to_string(status.st_uid) + ":" + std::to_string(status.st_gid) + " " + std::to_string(status.st_mode);
}

// The state of the entry's file as it is now: what a program that read it keeps.
DiskState StateNow(const FolderEntry& entry)
{
    struct stat status {};
    std::string bytes;
    DiskState state;
    const int fd = entry.OpenFile(O_RDONLY, status);
    if (fd >= 0 && ReadAll(fd, bytes)) {
        GetDiskState(entry, status, Digest(bytes), state);
    }
    ::close(fd);
    return state;
}

// How a child process saves: as which user, what it does once it has read the file (limits, signals, a
// change), in which sync of a file it stops (0: none) and what happens while it is stopped.
struct Saver {
    uid_t user = ::geteuid();
    std::function<void()> prepare = {};
    int stopAt = 0;
    std::function<void(pid_t)> whileStopped = {};
};

// Saves the content in a child process as a program that saves several files does: signals held over it
// all, and the file checked against the state that the child found first, so that another program's late
// change stops the save. The child's exit status adds 1 when the save failed, 2 when the action of a held
// signal is not the one it had before, and 4 when a signal waits at its end. How the child ended.
int SaveInChild(const std::string& path, const std::string& content, const Saver& saver = {})
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (saver.user != ::geteuid()
            && (::setgroups(0, nullptr) != 0 || ::setgid(saver.user) != 0 || ::setuid(saver.user) != 0)) {
            ::_exit(3);
        }
        FolderEntry entry;
        const bool opened = entry.Open(path);
        const DiskState read = StateNow(entry);
        if (saver.prepare) {
            saver.prepare();
        }
        ::setenv("VARNO_SYNC_STOP", std::to_string(saver.stopAt).c_str(), 1);
        const auto actions = [] {
            std::vector<void (*)(int)> handlers;
            for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
                struct sigaction action {};
                ::sigaction(signal, nullptr, &action);
                handlers.push_back(action.sa_handler);
            }
            return handlers;
        };
        const auto before = actions();
        int result = 0;
        {
            const SignalHold hold;
            struct stat written {};
            const auto unchanged = [&](const struct stat& status, const std::string& bytes) {
                return !IsChanged(read, entry, status, bytes);
            };
            result = opened && SaveFile(entry, content, unchanged, written) ? 0 : 1;
            result |= SignalHold::Pending() != 0 ? 4 : 0;
        }
        ::_exit(result | (actions() != before ? 2 : 0));
    }
    int status = 0;
    AwaitSyncStop(child, status, saver.whileStopped);
    return status;
}

// A save keeps owner, group, mode (set-id and sticky bits too), ACL, extended attributes and every name of the
// file: it replaces the file when a new one can have them all, else it writes over the file in place, as for a
// file with several links, one owned by another user, one in a folder that the saving user may not write (or
// not read, so not sync), a bind mount, or a name with no room for the temporary's suffix.
TEST(SaveFile, KeepsWhoMayUseTheFileAndEveryName)
{
    const uid_t self = ::geteuid();
    constexpr uid_t kNobody = 65534;
    constexpr uid_t kDaemon = 1;
    const struct {
        std::string name;
        uid_t owner;
        mode_t mode;
        mode_t folderMode;
        uid_t saver;
        const char* secondName; // "link", "symlink", "bind" or none
        bool inPlace;
    } cases[] = {
        {"c_1251.nls", self, 0640, 0700, self, "", false},
        {"c_1251.nls", self, 0640, 0700, self, "symlink", false},
        {"c_1251.nls", self, 0640, 0700, self, "link", true},
        {std::string(251, 'n') + ".nls", self, 0640, 0700, self, "", true},
        {"c_1251.nls", self, 04755, 0700, self, "", false},
        {"c_1251.nls", self, 02755, 0700, self, "", false},
        {"c_1251.nls", self, 06755, 0700, self, "link", true},
        {"c_1251.nls", self, 01777, 0700, self, "", false},
        {"c_1251.nls", kNobody, 06750, 0700, self, "", false},
        {"c_1251.nls", kDaemon, 0640, 0777, kNobody, "", true},
        {"c_1251.nls", kNobody, 0640, 0555, kNobody, "", true},
        {"c_1251.nls", kNobody, 0640, 0333, kNobody, "", true},
        {"c_1251.nls", self, 0640, 0700, self, "bind", true},
    };
    int needRoot = 0;
    for (const auto& c : cases) {
        const std::string second = c.secondName;
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        if (self != 0 && (c.owner != self || c.saver != self || second == "bind")) {
            ++needRoot;
            continue;
        }
        TempDir dir;
        const std::string path = dir.Put(c.name, Text("old content"));
        const std::string named = second == "symlink" ? dir.File("link.nls") : path;
        ASSERT_EQ(::chown(path.c_str(), c.owner, c.owner == self ? ::getegid() : c.owner), 0);
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        if (Tool({"/usr/bin/setfacl", "-m", "u:65534:rw", path}).exitStatus != 0
            || Tool({"/usr/bin/setfattr", "-n", "user.origin", "-v", "disk 1", path}).exitStatus != 0) {
            GTEST_SKIP() << "no ACLs or extended attributes here";
        }
        ASSERT_EQ(::chmod(dir.Path().c_str(), c.folderMode), 0);
        ASSERT_TRUE(second != "link" || ::link(path.c_str(), dir.File("second.nls").c_str()) == 0);
        ASSERT_TRUE(second != "symlink" || ::symlink(path.c_str(), named.c_str()) == 0);
        ASSERT_TRUE(second != "bind" || ::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0);
        const std::string before = Attributes(path);
        struct stat old {};
        ASSERT_EQ(::stat(path.c_str(), &old), 0);

        const int status = SaveInChild(named, "newer", {c.saver});
        ASSERT_TRUE(second != "bind" || ::umount(path.c_str()) == 0);
        ::chmod(dir.Path().c_str(), 0700); // so that it can be removed
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_EQ(Slurp(path), "newer");
        EXPECT_EQ(Attributes(path), before);
        struct stat now {};
        ASSERT_EQ(::stat(path.c_str(), &now), 0);
        EXPECT_EQ(now.st_ino == old.st_ino, c.inPlace);
        EXPECT_EQ(EntryCount(dir.Path()), second == "link" || second == "symlink" ? 2u : 1u);
    }
    if (needRoot > 0) {
        GTEST_SKIP() << needRoot << " cases not run: giving a file to another user, and a bind mount, need root";
    }
}

// A save that fails leaves the old file whole, its mode too, and no temporary file: a sync of the new file or
// of its folder that fails, a file size limit inside a write in place (put back to the old bytes and length),
// another program's change since the file was read or while the new content reaches the disk. A signal that
// comes meanwhile waits for the end of the save or of its put-back; one that the caller ignores, as under
// nohup, stays ignored.
TEST(SaveFile, FailuresAndSignalsLeaveTheOldFileOrTheNewOneWhole)
{
    const std::string old = "old content: forty bytes, each one kept.";
    const std::string same = "NEW CONTENT, AS LONG AS THE OLD ONE WAS!";
    const std::string longer = same + same;
    const std::string shorter = "new";
    const std::string theirs = "their content: as long as the old was..";
    TempDir dir;
    const std::string path = dir.File("c_1251.nls");
    const auto failSync = [](const char* what) { return [=] { ::setenv("VARNO_SYNC_FAIL", what, 1); }; };
    // SIGXFSZ is left as it is: the save makes a write past the limit fail.
    const auto limitSize = [](rlim_t bytes) {
        return [=] {
            const rlimit limit{bytes, bytes};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        };
    };
    const auto send = [](int signal) { return [=](pid_t child) { ::kill(child, signal); }; };
    const auto ignoreHangUp = [] { std::signal(SIGHUP, SIG_IGN); };
    const auto change = [&] {
        dir.Put("c_1251.nls", Text(theirs));
        ::chmod(path.c_str(), 06755); // as a user's write clears it
    };
    const struct {
        const char* what;
        bool linked; // a second link: written in place
        const std::string& content;
        Saver saver;
        int exitStatus; // -1: ended by SIGTERM
        const std::string& left;
    } cases[] = {
        {"file sync fails", false, same, {.prepare = failSync("file")}, 1, old},
        {"folder sync fails", false, same, {.prepare = failSync("folder")}, 1, old},
        {"file sync fails, in place", true, same, {.prepare = failSync("file")}, 1, old},
        {"file sync fails, in place, shorter", true, shorter, {.prepare = failSync("file")}, 1, old},
        {"size limit, in place, longer", true, longer, {.prepare = limitSize(48)}, 1, old},
        {"late change", false, same, {.stopAt = 1, .whileStopped = [&](pid_t) { change(); }}, 1, theirs},
        {"changed since read, in place", true, same, {.prepare = change}, 1, theirs},
        {"SIGTERM", false, same, {.stopAt = 1, .whileStopped = send(SIGTERM)}, -1, same},
        {"SIGTERM in a put-back", true, same, {.prepare = failSync("file"), .stopAt = 1, .whileStopped = send(SIGTERM)}, -1, old},
        {"SIGHUP under nohup", false, same, {.prepare = ignoreHangUp, .stopAt = 1, .whileStopped = send(SIGHUP)}, 0, same},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(dir.File("second.nls"));
        dir.Put("c_1251.nls", Text(old));
        ASSERT_EQ(::chmod(path.c_str(), 06755), 0);
        ASSERT_TRUE(!c.linked || ::link(path.c_str(), dir.File("second.nls").c_str()) == 0);
        const int status = SaveInChild(path, c.content, c.saver);
        if (c.exitStatus < 0) {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
        } else {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == c.exitStatus) << status;
        }
        EXPECT_EQ(Slurp(path), c.left);
        struct stat now {};
        EXPECT_TRUE(::stat(path.c_str(), &now) == 0 && (now.st_mode & 07777) == 06755) << std::oct << now.st_mode;
        EXPECT_EQ(EntryCount(dir.Path()), c.linked ? 2u : 1u);
    }
}

} // namespace
