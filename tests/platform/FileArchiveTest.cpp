#include "platform/CArchive.h"
#include "platform/CFile.h"
#include "platform/FilePath.h"
#include "tests/SyncFault.h"
#include "tests/TempDir.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

samples::Bytes Text(std::string_view text) { return {text.begin(), text.end()}; }

std::size_t EntryCount(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(FilePath, ResolvesLinksAndRelativeForms)
{
    TempDir dir;
    const std::string file = dir.Put("a.nls", Text("x"));
    std::filesystem::create_directories(dir.Path() / "sub" / "deeper");
    std::filesystem::create_symlink(dir.File("a.nls"), dir.File("link.nls"));
    std::filesystem::create_symlink(dir.Path() / "sub" / "deeper", dir.File("into"));
    std::string dotted = (dir.Path() / "." / "sub" / ".." / "a.nls").string();
    const std::string resolved = AfxResolvePath(file.c_str());
    EXPECT_EQ(AfxResolvePath(dotted.c_str()), resolved);
    EXPECT_EQ(AfxResolvePath(dir.File("link.nls").c_str()), resolved);
    EXPECT_NE(AfxResolvePath(dir.File("b.nls").c_str()), resolved);
    EXPECT_EQ(AfxResolvePath(""), "");
    EXPECT_EQ(AfxFullPath(dotted.c_str()), dir.File("a.nls"));
    // ".." after a link to a folder is that folder's parent; the file's own link is kept.
    EXPECT_EQ(AfxFullPath((dir.Path() / "into" / ".." / "b.nls").c_str()), dir.File("sub/b.nls"));
    EXPECT_EQ(AfxFullPath(dir.File("link.nls").c_str()), dir.File("link.nls"));
}

TEST(CFile, OpenFailuresSayWhy)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    const struct {
        std::string path;
        UINT mode;
        const char* reason;
    } cases[] = {
        {dir.Path().string(), CFile::modeRead, "folder"},
        {dir.Path().string(), CFile::modeWrite, "folder"},
        {dir.File("pipe"), CFile::modeRead, "not a regular file"},
        {"", CFile::modeRead, "No file name"},
    };
    for (const auto& c : cases) {
        CFile file;
        EXPECT_FALSE(file.Open(c.path.c_str(), c.mode)) << c.path;
        EXPECT_NE(file.GetErrorText().find(c.reason), std::string::npos) << file.GetErrorText();
    }
}

TEST(CFile, WriteReplacesTheFileOnlyWhenClosed)
{
    TempDir dir;
    std::string path = dir.Put("t.nls", Text("old content"));
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeWrite));
        file.Write("dropped with the object", 23);
    }
    EXPECT_EQ(Contents(path), Text("old content"));
    EXPECT_EQ(EntryCount(dir.Path()), 1u) << "a temporary file was left behind";

    // A new file whose folder went meanwhile is not saved, and nothing makes the folder again.
    std::filesystem::create_directory(dir.Path() / "sub");
    CFile file;
    ASSERT_TRUE(file.Open(dir.File("sub/t.nls").c_str(), CFile::modeWrite));
    file.Write("abc", 3);
    std::filesystem::remove(dir.Path() / "sub");
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "sub"));
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

// Saves the content through CFile in a child process run by the user, as the editor saves; stopped in
// its stopAt-th sync of a file, whileStopped runs. How the child ended.
int SaveInChild(const std::string& path, const std::string& content, uid_t user, int stopAt = 0,
                const std::function<void(pid_t)>& whileStopped = {})
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (user != ::geteuid() && (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0)) {
            ::_exit(3);
        }
        ::setenv("VARNO_SYNC_STOP", std::to_string(stopAt).c_str(), 1);
        CFile file;
        file.Open(path.c_str(), CFile::modeWrite);
        file.Write(content.data(), static_cast<UINT>(content.size()));
        ::_exit(file.Close() ? 0 : 1);
    }
    int status = 0;
    AwaitSyncStop(child, status, whileStopped);
    return status;
}

// A save keeps owner, group, mode, ACL, extended attributes and every name of the file: it replaces the file
// when a new one can have them all, else it writes over the file in place, as for a file with several links,
// one owned by another user, one in a folder that the saving user may not write, a bind mount, or a name with
// no room for the temporary's suffix.
TEST(CFile, ASaveKeepsWhoMayUseTheFileAndEveryName)
{
    const uid_t self = ::geteuid();
    constexpr uid_t kNobody = 65534;
    constexpr uid_t kDaemon = 1;
    const struct {
        std::string name;
        uid_t owner;
        mode_t folderMode;
        uid_t saver;
        const char* secondName; // "link", "symlink", "bind" or none
        bool inPlace;
    } cases[] = {
        {"c_1251.nls", self, 0700, self, "", false},
        {"c_1251.nls", self, 0700, self, "symlink", false},
        {"c_1251.nls", self, 0700, self, "link", true},
        {std::string(251, 'n') + ".nls", self, 0700, self, "", true},
        {"c_1251.nls", kNobody, 0700, self, "", false},
        {"c_1251.nls", kDaemon, 0777, kNobody, "", true},
        {"c_1251.nls", kNobody, 0555, kNobody, "", true},
        {"c_1251.nls", self, 0700, self, "bind", true},
    };
    for (const auto& c : cases) {
        const std::string second = c.secondName;
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        if (self != 0 && (c.owner != self || c.saver != self || second == "bind")) {
            continue; // giving a file to another user, and a bind mount, need root
        }
        TempDir dir;
        const std::string path = dir.Put(c.name, Text("old content"));
        const std::string named = second == "symlink" ? dir.File("link.nls") : path;
        ASSERT_EQ(::chown(path.c_str(), c.owner, c.owner == self ? ::getegid() : c.owner), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
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

        const int status = SaveInChild(named, "newer", c.saver);
        ASSERT_TRUE(second != "bind" || ::umount(path.c_str()) == 0);
        ::chmod(dir.Path().c_str(), 0700); // so that it can be removed
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_EQ(Contents(path), Text("newer"));
        EXPECT_EQ(Attributes(path), before);
        struct stat now {};
        ASSERT_EQ(::stat(path.c_str(), &now), 0);
        EXPECT_EQ(now.st_ino == old.st_ino, c.inPlace);
        EXPECT_EQ(EntryCount(dir.Path()), second == "link" || second == "symlink" ? 2u : 1u);
    }
}

// A signal that comes while a save is held in its sync waits for the save to end: the file is whole and no
// temporary file is left.
TEST(CFile, ASignalDuringASaveWaitsForItsEnd)
{
    TempDir dir;
    const std::string path = dir.Put("c_1251.nls", Text("old content"));
    const int status = SaveInChild(path, "newer", ::geteuid(), 1, [](pid_t child) { ::kill(child, SIGTERM); });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(Contents(path), Text("newer"));
    EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

// Reading the process's memory file at offset 0 fails with an I/O error.
TEST(CArchive, KeepsTheFilesReadErrorAndItsOwnFirstRefusal)
{
    CFile file;
    ASSERT_TRUE(file.Open("/proc/self/mem", CFile::modeRead));
    CArchive archive(&file, CArchive::load);
    char buffer[4];
    EXPECT_EQ(archive.Read(buffer, 4), 0u);
    EXPECT_TRUE(archive.HasError());
    EXPECT_NE(archive.GetErrorText().find("Input/output error"), std::string::npos) << archive.GetErrorText();
    archive.SetError("First reason.");
    archive.SetError("Second reason.");
    EXPECT_EQ(archive.GetErrorText(), "First reason.");
}

} // namespace
