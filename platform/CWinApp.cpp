#include "platform/CWinApp.h"

#include "platform/AfxRes.h"
#include "platform/CDocTemplate.h"
#include "platform/CDocument.h"
#include "platform/CommandLine.h"
#include "platform/CRecentFileList.h"
#include "platform/FilePath.h"
#include "platform/MessageBox.h"
#include "platform/ResourceStrings.h"

#include <QCoreApplication>

namespace {
CWinApp* g_app = nullptr;
} // namespace

CWinApp::CWinApp(LPCSTR appName)
{
    if (appName != nullptr) {
        m_appName = appName;
        m_pszAppName = m_appName.c_str();
    }
    SetCommandLine({});
    g_app = this;
}

CWinApp::~CWinApp()
{
    CloseAllDocuments(TRUE);
    for (CDocTemplate* docTemplate : m_templateList) {
        delete docTemplate;
    }
    if (g_app == this) {
        g_app = nullptr;
    }
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run()
{
    QCoreApplication::exec();
    return m_nExitCode;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) { m_templateList.push_back(pTemplate); }

std::vector<CDocument*> CWinApp::GetOpenDocuments() const
{
    std::vector<CDocument*> documents;
    for (CDocTemplate* docTemplate : m_templateList) {
        for (POSITION position = docTemplate->GetFirstDocPosition(); position != nullptr;) {
            documents.push_back(docTemplate->GetNextDoc(position));
        }
    }
    return documents;
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (lpszFileName == nullptr || lpszFileName[0] == '\0') {
        return nullptr;
    }
    const std::string resolved = AfxResolvePath(lpszFileName);
    for (CDocument* document : GetOpenDocuments()) {
        if (!resolved.empty() && document->GetResolvedPathName() == resolved) {
            document->GetDocTemplate()->ActivateDocument(document);
            return document;
        }
    }
    return m_templateList.front()->OpenDocumentFile(lpszFileName);
}

void CWinApp::OnFileNew() { m_templateList.front()->OpenDocumentFile(nullptr); }

BOOL CWinApp::OnCmdMsg(UINT nID)
{
    if (CCmdTarget::OnCmdMsg(nID)) {
        return TRUE;
    }
    // A recent-file entry that cannot be opened (the document has said why) leaves the list.
    const int index = static_cast<int>(nID) - static_cast<int>(ID_FILE_MRU_FILE1);
    if (m_pRecentFileList == nullptr || index < 0 || index >= m_pRecentFileList->GetCount()) {
        return FALSE;
    }
    const std::string path = (*m_pRecentFileList)[index];
    if (OpenDocumentFile(path.c_str()) == nullptr) {
        m_pRecentFileList->Remove(index);
    }
    return TRUE;
}

BOOL CWinApp::SaveAllModified()
{
    std::vector<CDocument*> modified;
    for (CDocument* document : GetOpenDocuments()) {
        if (document->IsModified()) {
            modified.push_back(document);
        }
    }
    // Yes to All and No to All answer for every document after.
    int answerForAll = 0;
    for (std::size_t i = 0; i < modified.size(); ++i) {
        int answer = answerForAll;
        // While more follow, the question also offers Yes to All and No to All.
        if (answer == 0 && i + 1 < modified.size()) {
            answer = modified[i]->PromptToSave(MB_YESNOCANCELALL);
        } else if (answer == 0) {
            answer = modified[i]->PromptToSave(MB_YESNOCANCEL);
        }
        if (answer == IDYESTOALL || answer == IDNOTOALL) {
            answerForAll = answer;
        }
        // Stops at the first Cancel, or at a save that failed.
        if (answer == IDCANCEL) {
            return FALSE;
        }
        const bool save = answer == IDYES || answer == IDYESTOALL;
        if (save && !modified[i]->DoFileSave()) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CWinApp::DoPromptFileName(std::string&, BOOL, CDocTemplate*) { return FALSE; }

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType) { return AfxMessageLine(lpszPrompt, nType); }

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) { m_registryKey = lpszRegistryKey; }

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    ResolveAppName();
    m_pRecentFileList = std::make_unique<CRecentFileList>(ID_FILE_MRU_FILE1, m_registryKey.c_str(), m_pszAppName,
                                                          static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (m_pRecentFileList != nullptr && lpszPathName[0] != '\0') {
        m_pRecentFileList->Add(lpszPathName);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo&)
{
    OnCmdMsg(ID_FILE_NEW);
    return m_pMainWnd != nullptr;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* docTemplate : m_templateList) {
        docTemplate->CloseAllDocuments(bEndSession);
    }
}

void CWinApp::SetCommandLine(std::string commandLine)
{
    m_commandLine = std::move(commandLine);
    m_lpCmdLine = m_commandLine.data();
}

void CWinApp::ResolveAppName()
{
    if (m_pszAppName != nullptr) {
        return;
    }
    if (const char* title = AfxLoadString(AFX_IDS_APP_TITLE)) {
        m_appName = title;
    }
    m_pszAppName = m_appName.c_str();
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app != nullptr ? g_app->m_pMainWnd : nullptr; }

int AfxWinMain(int argc, char** argv)
{
    CWinApp* app = AfxGetApp();
    // An argument that the command line cannot carry leaves it empty: the
    // program is told why instead of being handed other names.
    std::string commandLine;
    if (const int uncarried = AfxBuildCommandLine(argc, argv, commandLine); uncarried != 0) {
        const std::string argument = argv[uncarried];
        std::string& refusal = app->m_strCmdLineRefusal;
        refusal = "The command line cannot carry argument " + std::to_string(uncarried);
        if (argument.empty()) {
            refusal += ": it is empty.";
        } else {
            refusal += ", " + argument + ": it holds a quote character (' or \").";
        }
    }
    app->SetCommandLine(std::move(commandLine));
    app->ResolveAppName();
    if (!app->InitInstance()) {
        return app->m_nExitCode;
    }
    return app->Run();
}
