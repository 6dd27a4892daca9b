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
