#include "platform/CArchive.h"
#include "platform/CDocument.h"
#include "platform/CFile.h"
#include "platform/CMultiDocTemplate.h"
#include "platform/CWinApp.h"
#include "tests/MessageLog.h"
#include "tests/TempDir.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

// A document that holds its file's bytes; content starting with "refuse" is refused on load.
class CBytesDoc : public CDocument {
    DECLARE_DYNCREATE(CBytesDoc)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading()) {
            m_bytes.assign(static_cast<std::size_t>(ar.GetFile()->GetLength()), '\0');
            m_bytes.resize(ar.Read(m_bytes.data(), static_cast<UINT>(m_bytes.size())));
            if (m_bytes.rfind("refuse", 0) == 0) {
                ar.SetError("The content is refused.");
            }
        } else {
            ar.Write(m_bytes.data(), static_cast<UINT>(m_bytes.size()));
            if (m_refuseStore) {
                ar.SetError("Storing is refused.");
            }
        }
    }
    std::string m_bytes;
    bool m_refuseStore = false;
};
IMPLEMENT_DYNCREATE(CBytesDoc, CDocument)

namespace {

// Watches the step that the window layer fills in.
class CWatchedTemplate : public CMultiDocTemplate {
public:
    explicit CWatchedTemplate(const CRuntimeClass* docClass) : CMultiDocTemplate(129, docClass, nullptr, nullptr) {}
    BOOL CreateFrameAndView(CDocument*) override
    {
        ++m_windowsCreated;
        return m_windowsSucceed;
    }
    int m_windowsCreated = 0;
    BOOL m_windowsSucceed = TRUE;
};

samples::Bytes Text(std::string_view text) { return {text.begin(), text.end()}; }

class DocumentFramework : public ::testing::Test {
protected:
    DocumentFramework()
    {
        m_template = new CWatchedTemplate(RUNTIME_CLASS(CBytesDoc));
        m_app.AddDocTemplate(m_template);
    }
    std::string File(const std::string& name, const std::string& content) { return m_dir.Put(name, Text(content)); }
    // The one message shown since the last call: a stop box naming the path.
    void ExpectStopNaming(const std::string& path, const std::string& reason)
    {
        ASSERT_EQ(m_log.Messages().size(), 1u);
        EXPECT_EQ(m_log.Messages()[0].type, MB_ICONSTOP);
        EXPECT_NE(m_log.Messages()[0].text.find(path), std::string::npos) << m_log.Messages()[0].text;
        EXPECT_NE(m_log.Messages()[0].text.find(reason), std::string::npos) << m_log.Messages()[0].text;
        m_log.Clear();
    }

    TempDir m_dir;
    MessageLog m_log;
    CWinApp m_app{"varno-test"};
    CWatchedTemplate* m_template;
};

TEST_F(DocumentFramework, OpenedDocumentsKeepTheirOrderPathAndTitle)
{
    std::string a = File("a.nls", "alpha");
    std::string b = File("b.nls", "beta");
    auto* docA = dynamic_cast<CBytesDoc*>(m_app.OpenDocumentFile(a.c_str()));
    auto* docB = dynamic_cast<CBytesDoc*>(m_app.OpenDocumentFile(b.c_str()));
    ASSERT_NE(docA, nullptr);
    ASSERT_NE(docB, nullptr);
    EXPECT_EQ(docA->m_bytes, "alpha");
    EXPECT_EQ(docA->GetPathName(), a);
    EXPECT_EQ(docA->GetTitle(), "a.nls");
    EXPECT_EQ(m_app.GetOpenDocuments(), (std::vector<CDocument*>{docA, docB}));
    EXPECT_EQ(m_template->m_windowsCreated, 2);
    EXPECT_TRUE(m_log.Messages().empty());

    // Closing the first while visiting them all does not lose the second.
    std::vector<CDocument*> visited;
    for (POSITION pos = m_template->GetFirstDocPosition(); pos != nullptr;) {
        CDocument* document = m_template->GetNextDoc(pos);
        visited.push_back(document);
        document->OnCloseDocument();
    }
    EXPECT_EQ(visited, (std::vector<CDocument*>{docA, docB}));
    EXPECT_TRUE(m_app.GetOpenDocuments().empty());
}

TEST_F(DocumentFramework, FailedLoadsAreReportedAndLeaveNoDocument)
{
    std::string missing = m_dir.File("missing.nls");
    EXPECT_EQ(m_app.OpenDocumentFile(missing.c_str()), nullptr);
    ExpectStopNaming(missing, "No such file or directory");

    std::string refused = File("refused.nls", "refuse me");
    EXPECT_EQ(m_app.OpenDocumentFile(refused.c_str()), nullptr);
    ExpectStopNaming(refused, "The content is refused.");

    // A sparse file of 2 GiB is refused before anything is read.
    std::string huge = File("huge.nls", "");
    ASSERT_EQ(::truncate(huge.c_str(), 0x80000000LL), 0);
    EXPECT_EQ(m_app.OpenDocumentFile(huge.c_str()), nullptr);
    ExpectStopNaming(huge, "2 GiB");

    EXPECT_TRUE(m_app.GetOpenDocuments().empty());
    EXPECT_EQ(m_template->m_windowsCreated, 0);
}

TEST_F(DocumentFramework, ADocumentWithoutWindowsIsDropped)
{
    m_template->m_windowsSucceed = FALSE;
    EXPECT_EQ(m_app.OpenDocumentFile(File("a.nls", "x").c_str()), nullptr);
    EXPECT_TRUE(m_app.GetOpenDocuments().empty());
}

// Refused by the document, or by a disk whose sync of the file or of its folder fails.
TEST_F(DocumentFramework, FailedSavesKeepTheOldFileAndTheModifiedFlag)
{
    std::string path = File("sub/a.nls", "old bytes");
    auto* doc = static_cast<CBytesDoc*>(m_app.OpenDocumentFile(path.c_str()));
    ASSERT_NE(doc, nullptr);
    doc->m_bytes = "new bytes";
    doc->SetModifiedFlag();

    const struct {
        bool refuse;
        const char* failingSync;
        const char* reason;
    } failures[] = {{true, "", "Storing is refused."}, {false, "file", "Input/output error"}, {false, "folder", "Input/output error"}};
    for (const auto& failure : failures) {
        doc->m_refuseStore = failure.refuse;
        ::setenv("VARNO_SYNC_FAIL", failure.failingSync, 1);
        EXPECT_FALSE(doc->OnSaveDocument(path.c_str()));
        ::unsetenv("VARNO_SYNC_FAIL");
        ExpectStopNaming(path, failure.reason);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(Contents(path), Text("old bytes"));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path() / "sub"), {}), 1);
    }
}

// Someone puts a symbolic link to another file in the place of the opened file's name, or turns the link
// that it was opened through to another file. Save writes neither file and says why, even to a user who
// would answer Yes to any question.
TEST_F(DocumentFramework, ASaveNeverWritesThroughALinkThatLeadsElsewhere)
{
    const std::string other = File("passwd", "someone else's");
    m_log.Answer(IDYES);
    for (const bool throughLink : {false, true}) {
        std::filesystem::remove(m_dir.File("a.nls"));
        const std::string path = File("a.nls", "old bytes");
        const std::string name = throughLink ? m_dir.File("link.nls") : path;
        ASSERT_TRUE(!throughLink || ::symlink(path.c_str(), name.c_str()) == 0);
        auto* doc = static_cast<CBytesDoc*>(m_app.OpenDocumentFile(name.c_str()));
        ASSERT_NE(doc, nullptr);
        doc->m_bytes = "new bytes";
        doc->SetModifiedFlag();
        std::filesystem::remove(name);
        std::filesystem::create_symlink(other, name);

        EXPECT_FALSE(doc->DoFileSave());
        ExpectStopNaming(name, "now leads to another file");
        EXPECT_EQ(Contents(other), Text("someone else's"));
        EXPECT_TRUE(std::filesystem::is_symlink(name));
        EXPECT_TRUE(doc->IsModified());
        doc->OnCloseDocument();
    }
}

} // namespace
