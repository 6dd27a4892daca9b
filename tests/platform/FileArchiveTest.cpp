#include "platform/CArchive.h"
#include "platform/CFile.h"
#include "platform/FilePath.h"
#include "tests/TempDir.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

samples::Bytes Text(std::string_view text) { return {text.begin(), text.end()}; }

std::size_t EntryCount(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(FilePath, ComparesResolvedPaths)
{
    TempDir dir;
    dir.Put("a.nls", Text("x"));
    std::filesystem::create_directories(dir.Path() / "sub" / "deeper");
    std::filesystem::create_symlink(dir.File("a.nls"), dir.File("link.nls"));
    std::filesystem::create_symlink(dir.Path() / "sub" / "deeper", dir.File("into"));
    std::string dotted = (dir.Path() / "." / "sub" / ".." / "a.nls").string();
    EXPECT_TRUE(AfxComparePath(dir.File("a.nls").c_str(), dotted.c_str()));
    EXPECT_TRUE(AfxComparePath(dir.File("a.nls").c_str(), dir.File("link.nls").c_str()));
    EXPECT_FALSE(AfxComparePath(dir.File("a.nls").c_str(), dir.File("b.nls").c_str()));
    EXPECT_FALSE(AfxComparePath("", ""));
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
        {dir.File("missing.nls"), CFile::modeRead, "No such file or directory"},
        {dir.Path().string(), CFile::modeRead, "folder"},
        {dir.Path().string(), CFile::modeWrite, "folder"},
        {dir.File("pipe"), CFile::modeRead, "not a regular file"},
        {"/dev/null", CFile::modeRead, "not a regular file"},
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
        file.Write("new", 3);
        EXPECT_EQ(Contents(path), Text("old content"));
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ(Contents(path), Text("new"));
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeWrite));
        file.Write("abandoned", 9);
        file.Abort();
    }
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeWrite));
        file.Write("dropped with the object", 23);
    }
    EXPECT_EQ(Contents(path), Text("new"));
    EXPECT_EQ(EntryCount(dir.Path()), 1u) << "a temporary file was left behind";
}

// Saving, as root, a file that belongs to someone else, by each of the ways it can be named.
TEST(CFile, AWriteKeepsOwnerGroupModeAndEveryLink)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a file to another owner needs root";
    }
    const struct {
        const char* how;
        int (*makeSecondName)(const char* target, const char* name);
        bool writeThroughSecondName;
    } cases[] = {
        {"one name", nullptr, false},
        {"a second hard link", ::link, false},
        {"through a symbolic link", ::symlink, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        TempDir dir;
        const std::string path = dir.Put("c_1251.nls", Text("old content"));
        const std::string second = dir.File("second.nls");
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
        ASSERT_TRUE(c.makeSecondName == nullptr || c.makeSecondName(path.c_str(), second.c_str()) == 0);
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);

        CFile file;
        ASSERT_TRUE(file.Open((c.writeThroughSecondName ? second : path).c_str(), CFile::modeWrite));
        file.Write("newer", 5);
        ASSERT_TRUE(file.Close()) << file.GetErrorText();

        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, 65534u);
        EXPECT_EQ(after.st_gid, 65534u);
        EXPECT_EQ(after.st_mode & 07777, 0640u);
        EXPECT_EQ(Contents(path), Text("newer"));
        if (c.makeSecondName != nullptr) {
            EXPECT_EQ(Contents(second), Text("newer"));
            EXPECT_EQ(std::filesystem::is_symlink(second), c.writeThroughSecondName);
        }
        EXPECT_EQ(after.st_ino == before.st_ino, c.makeSecondName == ::link) << "written in place";
        EXPECT_EQ(EntryCount(dir.Path()), c.makeSecondName != nullptr ? 2u : 1u);
    }
}

TEST(CFile, CommitIntoAVanishedFolderFails)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "sub");
    std::string path = (dir.Path() / "sub" / "t.nls").string();
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeWrite));
    file.Write("abc", 3);
    std::filesystem::remove_all(dir.Path() / "sub");
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(file.GetErrorText().empty());
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeWrite));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "sub"));
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
