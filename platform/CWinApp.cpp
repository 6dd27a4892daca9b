#include "platform/CWinApp.h"

#include "platform/CDocTemplate.h"
#include "platform/CDocument.h"
#include "platform/Display.h"
#include "platform/FilePath.h"
#include "platform/ResourceStrings.h"

#include <QApplication>

namespace {
CWinApp* g_app = nullptr;

bool NeedsQuotes(const std::string& argument)
{
    if (argument.empty()) {
        return true;
    }
    for (unsigned char ch : argument) {
        if (ch >= 1 && ch <= 32) {
            return true;
        }
    }
    return false;
}
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
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::exec();
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() { return m_nExitCode; }

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate != nullptr) {
        m_templateList.push_back(pTemplate);
    }
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (lpszFileName == nullptr || lpszFileName[0] == '\0' || m_templateList.empty()) {
        return nullptr;
    }
    for (CDocTemplate* docTemplate : m_templateList) {
        POSITION position = docTemplate->GetFirstDocPosition();
        while (position != nullptr) {
            CDocument* document = docTemplate->GetNextDoc(position);
            if (AfxComparePath(document->GetPathName().c_str(), lpszFileName)) {
                docTemplate->ActivateDocument(document);
                return document;
            }
        }
    }
    return m_templateList.front()->OpenDocumentFile(lpszFileName);
}

void CWinApp::OnFileNew()
{
    if (!m_templateList.empty()) {
        m_templateList.front()->OpenDocumentFile(nullptr);
    }
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
    const char* title = AfxLoadString(AFX_IDS_APP_TITLE);
    m_appName = title != nullptr ? title : "";
    m_pszAppName = m_appName.c_str();
}

CWinApp* AfxGetApp() { return g_app; }

std::string AfxBuildCommandLine(int argc, char** argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i] != nullptr ? argv[i] : "";
        if (!line.empty() || i > 1) {
            line += ' ';
        }
        if (NeedsQuotes(argument)) {
            line += '"' + argument + '"';
        } else {
            line += argument;
        }
    }
    std::size_t start = 0;
    while (start < line.size() && static_cast<unsigned char>(line[start]) >= 1
           && static_cast<unsigned char>(line[start]) <= 32) {
        ++start;
    }
    return line.substr(start);
}

int AfxWinMain(int argc, char** argv)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    AfxSetProcessArguments(argc, argv);
    app->SetCommandLine(AfxBuildCommandLine(argc, argv));
    app->ResolveAppName();
    if (!app->InitInstance()) {
        return app->ExitInstance();
    }
    return app->Run();
}
