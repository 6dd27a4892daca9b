#include "document/CVarnoDoc.h"
#include "document/EditHistory.h"
#include "document/PropagateCharChange.h"
#include "platform/CDocTemplate.h"
#include "platform/CWinApp.h"
#include "tables/CTableHandler.h"
#include "tests/MessageLog.h"
#include "tests/TempDir.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using samples::Bytes;

constexpr std::size_t kGdiBase = 1000;

Bytes GdiModule(std::size_t size = 8192) { return samples::MakeGdiModule({.size = size, .tableBase = kGdiBase}); }

class VarnoDocument : public ::testing::Test {
protected:
    VarnoDocument() { m_app.AddDocTemplate(new CDocTemplate(129, RUNTIME_CLASS(CVarnoDoc), nullptr, nullptr)); }

    CVarnoDoc* Open(const std::string& path) { return static_cast<CVarnoDoc*>(m_app.OpenDocumentFile(path.c_str())); }

    TempDir m_dir;
    MessageLog m_log;
    CWinApp m_app{"varno"};
};

TEST(CVarnoDocKind, FromTheLowerCasedNameByTheFirstMatchingPart)
{
    constexpr int none = CVarnoDoc::kindUndefined;
    constexpr int nt = CVarnoDoc::kindNtCodePage;
    constexpr int ninex = CVarnoDoc::kind9xCodePage;
    constexpr int keyboard = CVarnoDoc::kindKeyboard;
    constexpr int gdi = CVarnoDoc::kindGdiModule;
    const struct {
        const char* name;
        int kind;
    } cases[] = {
        {"c_1251.nls", nt},   {"cp_1251.nls", ninex}, {"C_1251.NLS", nt}, {"CP_1252.NLS", ninex}, {"pc_", nt},
        {"abc_cp_1251.nls", nt}, // "c_" is tested first and stands where abc meets the underscore
        {"gdi.exe", gdi},     {"user.exe", gdi},      {"GdI", gdi},       {"gdi_c_1251.nls", gdi}, {"mygdi.kbd", gdi},
        {"cp_1251.exe", gdi}, {"a.exe.bak", gdi},     {"us.kbd", keyboard}, {"US.KBD", keyboard},
        {"c_.kbd.txt", keyboard},
        {"kbdc_x.kbd", keyboard}, // ".kbd" before "c_"
        {"1251.nls", none},   {"readme.txt", none},   {"exe", none},      {"kbd", none},          {"cp1251.nls", none},
        {"c-1251.nls", none}, {"", none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CVarnoDoc::KindFromFileName(c.name), c.kind) << c.name;
    }
}

TEST_F(VarnoDocument, FilesTooShortForTheirKindOrWithoutATableAreRefused)
{
    const Bytes nt = samples::MakeNtCodePageFile({});
    const Bytes ninex = samples::MakeNinexCodePageFile(samples::NinexCodePageOptions{});
    const Bytes keyboard = samples::MakeKeyboardLayout({});
    const struct {
        const char* name;
        Bytes bytes;
        const char* reason;
    } cases[] = {
        // One byte short of the shortest file of each kind.
        {"c_1251.nls", Bytes(nt.begin(), nt.end() - 1), "too short for an NT code-page file"},
        {"cp_1251.nls", Bytes(ninex.begin(), ninex.begin() + 1185), "too short for a 9x code-page file"},
        {"us.kbd", Bytes(keyboard.begin(), keyboard.begin() + 400), "too short for a keyboard layout file"},
        {"c_empty.nls", Bytes{}, "too short for an NT code-page file"},
        // In a folder whose name would make a GDI module: the kind comes from the file's own name.
        {"gdi/c_1251.nls", Bytes(nt.begin(), nt.begin() + 100), "too short for an NT code-page file"},
        {"gdi.exe", samples::Filler(8192, 3), "No code-page table was found"},
        {"gdi2.exe", Bytes{}, "No code-page table was found"},
        // The signature is found, but the table runs past the end of the file.
        {"user.exe", GdiModule(kGdiBase + 511), "too short for a GDI module"},
    };
    // Refused with one stop message naming the file and saying why.
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = m_dir.Put(c.name, c.bytes);
        m_log.Clear();
        EXPECT_EQ(Open(path), nullptr);
        EXPECT_TRUE(AllOpenDocuments(m_app).empty());
        ASSERT_EQ(m_log.Messages().size(), 1u);
        EXPECT_EQ(m_log.Messages()[0].type, MB_ICONSTOP);
        EXPECT_NE(m_log.Messages()[0].text.find(path), std::string::npos) << m_log.Messages()[0].text;
        EXPECT_NE(m_log.Messages()[0].text.find(c.reason), std::string::npos) << m_log.Messages()[0].text;
    }
    // The shortest file of each kind opens: the whole table just fits.
    EXPECT_NE(Open(m_dir.Put("gdi3.exe", GdiModule(kGdiBase + 512))), nullptr);
    EXPECT_NE(Open(m_dir.Put("cp_short.nls", Bytes(ninex.begin(), ninex.begin() + 1186))), nullptr);
    EXPECT_NE(Open(m_dir.Put("short.kbd", Bytes(keyboard.begin(), keyboard.begin() + 401))), nullptr);
}

// Another program changes the file after it was opened. The save that the
// close prompt starts asks before it overwrites; No keeps their file and the edit.
TEST_F(VarnoDocument, ASaveOverAFileChangedOnDiskAsksFirst)
{
    const Bytes original = GdiModule();
    Bytes mine = original;
    samples::PutWord(mine, kGdiBase + 2 * 0xC5, 0x2116);
    auto setTimes = [](const std::string& path, timespec modified) {
        const timespec times[2] = {{0, UTIME_OMIT}, modified};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    };
    const struct {
        const char* change;
        std::function<void(const std::string&)> apply;
    } changes[] = {
        {"one byte, same size and time",
         [&](const std::string& path) {
             struct stat status {};
             ASSERT_EQ(::stat(path.c_str(), &status), 0);
             Bytes bytes = Contents(path);
             bytes[10] ^= 1;
             ASSERT_TRUE(samples::WriteFile(path, bytes));
             setTimes(path, status.st_mtim);
         }},
        {"time only", [&](const std::string& path) { setTimes(path, {1000000000, 5}); }},
        {"size", [](const std::string& path) { ASSERT_EQ(::truncate(path.c_str(), 9000), 0); }},
    };
    for (const auto& c : changes) {
        for (int answer : {IDNO, IDYES}) {
            SCOPED_TRACE(std::string(c.change) + (answer == IDYES ? ", overwritten" : ", kept"));
            const std::string path = m_dir.Put("gdi.exe", original);
            CVarnoDoc* doc = Open(path);
            ASSERT_NE(doc, nullptr);
            doc->m_pHandler->Assign(0xC5, 0x2116);
            doc->SetModifiedFlag();
            c.apply(path);
            const Bytes theirs = Contents(path);
            // Yes to "Save changes?", then the answer to the question.
            m_log.Answer([answer](UINT type) { return (type & MB_TYPEMASK) == MB_YESNO ? answer : IDYES; });
            m_log.Clear();
            auto questions = [&] {
                return std::count_if(m_log.Messages().begin(), m_log.Messages().end(),
                                     [&](const auto& m) { return (m.type & MB_TYPEMASK) == MB_YESNO; });
            };
            EXPECT_EQ(doc->SaveModified(), answer == IDYES);
            ASSERT_EQ(questions(), 1);
            EXPECT_NE(m_log.Messages().back().text.find(path), std::string::npos) << m_log.Messages().back().text;
            EXPECT_EQ(Contents(path), answer == IDYES ? mine : theirs);
            EXPECT_EQ(doc->IsModified(), answer != IDYES);
            // Once saved, the file as saved is the one to compare with.
            doc->SetModifiedFlag();
            EXPECT_EQ(doc->DoFileSave(), answer == IDYES);
            EXPECT_EQ(questions(), answer == IDYES ? 1 : 2);
            doc->OnCloseDocument();
        }
    }
    m_log.Answer(IDOK);
    // Saving under another name is no conflict.
    CVarnoDoc* doc = Open(m_dir.Put("gdi.exe", original));
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(::truncate(doc->GetPathName().c_str(), 9000), 0);
    m_log.Clear();
    EXPECT_TRUE(doc->DoSave(m_dir.File("copy.exe").c_str()));
    EXPECT_TRUE(m_log.Messages().empty());
}

// The save runs in a child process whose file size limit falls inside the edited range, so the write of the
// new content really fails, whether it goes to a new file or, for a file with two links, over the old one.
TEST_F(VarnoDocument, AFailedSaveLeavesTheOldFileWholeAndReportsIt)
{
    Bytes original = GdiModule();
    for (bool hardLinked : {false, true}) {
        SCOPED_TRACE(hardLinked ? "two links" : "one link");
        std::string path = m_dir.Put("gdi.exe", original);
        const std::string second = m_dir.File("second.exe");
        std::filesystem::remove(second);
        ASSERT_TRUE(!hardLinked || ::link(path.c_str(), second.c_str()) == 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            MessageLog log;
            rlimit limit{1300, 1300};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            CVarnoDoc doc;
            doc.m_bAutoDelete = FALSE;
            if (!doc.OnOpenDocument(path.c_str())) {
                ::_exit(100);
            }
            // Entries at 1256 and 1394.
            doc.m_pHandler->Assign(0x80, 0x2116);
            doc.m_pHandler->Assign(0xC5, 0x2116);
            doc.SetModifiedFlag();
            int result = doc.OnSaveDocument(path.c_str()) ? 0 : 1;
            result |= doc.IsModified() ? 2 : 0;
            const auto& shown = log.Messages();
            bool reported = shown.size() == 1 && shown[0].type == MB_ICONSTOP
                && shown[0].text.find(path) != std::string::npos
                && shown[0].text.find("File too large") != std::string::npos;
            result |= reported ? 4 : 0;
            ::_exit(result);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 7) << "1: save failed, 2: still modified, 4: reported";
        EXPECT_EQ(Contents(path), original);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), hardLinked ? 2 : 1);
        EXPECT_TRUE(!hardLinked || std::filesystem::equivalent(path, second));
    }
}

// A step over three documents, the first closed since: its name says so, and Undo puts back the two still
// open, each to the bytes, entry flags and modified state from before, and a document changed outside the
// history stays modified. With all three closed the step is gone.
TEST_F(VarnoDocument, UndoPutsBackTheDocumentsStillOpenAndDropsAStepWithNone)
{
    const Bytes nt = samples::MakeNtCodePageFile({});
    std::vector<CVarnoDoc*> documents;
    for (const char* name : {"c_1251.nls", "c_1252.nls", "c_866.nls"}) {
        documents.push_back(Open(m_dir.Put(name, nt)));
        ASSERT_NE(documents.back(), nullptr);
    }
    documents[1]->SetModifiedFlag(TRUE);
    EditHistory history;
    history.Record("Change E0 to 0041", documents,
                   [&] { PropagateCharChange(documents, 0xE0, 0xE0, 0x0041, kUnmappedByte, 0x0430); });
    documents[0]->OnCloseDocument();
    EXPECT_EQ(history.UndoText(), QStringLiteral("Change E0 to 0041 (2 of 3 files open)"));
    history.Undo();
    for (int i : {1, 2}) {
        const CTableHandler& handler = *documents[i]->m_pHandler;
        EXPECT_TRUE(std::equal(nt.begin(), nt.end(), handler.m_data)) << i;
        EXPECT_EQ(std::count(std::begin(handler.m_modified), std::end(handler.m_modified), 0), 256) << i;
        EXPECT_EQ(documents[i]->IsModified(), i == 1) << i;
    }
    history.Redo();
    EXPECT_EQ(documents[2]->m_pHandler->Lookup(0xE0), 0x0041);
    EXPECT_TRUE(documents[2]->IsModified());
    documents[1]->OnCloseDocument();
    documents[2]->OnCloseDocument();
    EXPECT_EQ(history.UndoText(), QString());
}

} // namespace
