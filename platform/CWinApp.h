#pragma once
// The application object: exactly one exists, a static object of a class that
// derives from CWinApp. AfxWinMain hands it the command line and calls
// InitInstance; TRUE runs the message loop, FALSE ends the program.

#include "platform/Position.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CDocTemplate;
class CDocument;

class CWinApp {
public:
    explicit CWinApp(LPCSTR appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // Runs the message loop until the last window closes; returns ExitInstance's result.
    virtual int Run();
    // Returns the process exit status.
    virtual int ExitInstance();

    // Registers a document template; the application owns it from then on.
    void AddDocTemplate(CDocTemplate* pTemplate);
    // The templates in registration order.
    POSITION GetFirstDocTemplatePosition() const { return AfxHeadPosition(m_templateList); }
    CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const { return AfxGetNextAt(m_templateList, rPosition); }
    // Opens the file as a document of the first template. A file that is
    // already open is not loaded again: its document is activated and returned.
    // Null when the file could not be opened (the document has reported why).
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    // File > New: a new document of the first template; it may refuse.
    void OnFileNew();
    // Closes the documents of every template.
    void CloseAllDocuments(BOOL bEndSession);

    // The application title: the name given to the constructor, else string
    // AFX_IDS_APP_TITLE. Captions every message box.
    LPCSTR m_pszAppName = nullptr;
    // The text after the program's name, leading blanks and control characters skipped.
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // The status that ExitInstance returns; the program sets it to report failure.
    int m_nExitCode = 0;

private:
    friend int AfxWinMain(int argc, char** argv);
    void SetCommandLine(std::string commandLine);
    void ResolveAppName();

    std::string m_commandLine;
    std::string m_appName;
    std::vector<CDocTemplate*> m_templateList;
};

CWinApp* AfxGetApp();

// The framework's start: fills the application object from the process's
// arguments, runs InitInstance and, on TRUE, the message loop.
int AfxWinMain(int argc, char** argv);

// Rebuilds the single command-line text of the original system from
// arguments that the shell has already split: arguments joined by one blank,
// each empty argument or one holding a blank or control character enclosed in
// double quotes, leading blanks and control characters skipped.
std::string AfxBuildCommandLine(int argc, char** argv);
