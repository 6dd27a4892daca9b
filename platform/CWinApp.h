#pragma once
// The application object: exactly one exists, a static object of a class that
// derives from CWinApp. AfxWinMain hands it the command line and calls
// InitInstance; TRUE runs the message loop, FALSE ends the program. This one
// has no windows: a program with windows derives from CWindowedApp.

#include "platform/CCmdTarget.h"
#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class CWnd;
class QString;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    // Runs the message loop until the last window closes; returns m_nExitCode.
    virtual int Run();

    // Registers a document template; the application owns it from then on.
    void AddDocTemplate(CDocTemplate* pTemplate);
    // Every open document: template by template in registration order, each template's in opening order.
    std::vector<CDocument*> GetOpenDocuments() const;
    // Opens the file as a document of the first template; an open file's document is activated and returned
    // instead. Null when the file could not be opened (the document has reported why).
    CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    // File > New: a new document of the first template; it may refuse.
    void OnFileNew();
    // Commands of the message map, then the recent-file entries (ID_FILE_MRU_FILE1 onwards), which open their file.
    BOOL OnCmdMsg(UINT nID) override;
    void CloseAllDocuments(BOOL bEndSession);
    // Asks to save every modified document in turn, offering Yes to All and No to All while
    // more follow; FALSE when the user cancelled or a save failed.
    BOOL SaveAllModified();

    // Asks for the name of a file to open (bOpenFileDialog) or to save as, of the document
    // type of the template when there is one. fileName gives the proposed name and receives
    // the chosen path; FALSE on Cancel. Without windows there is no one to ask: FALSE.
    virtual BOOL DoPromptFileName(std::string& fileName, BOOL bOpenFileDialog, CDocTemplate* pTemplate);
    // Shows a message of AfxMessageBox and gives the button pressed. Without windows: one line
    // on standard error, answered as a user who presses Enter would.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType);

    // Settings are kept under the organisation key and the application title.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    // Reads the recent-file list of nMaxMRU entries, which is kept up to date from then on.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    // Puts the path at the top of the recent-file list, when there is one; an empty path is passed over.
    void AddToRecentFileList(LPCSTR lpszPathName);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }
    // The whole number that the settings file (the one the recent-file list is kept in) holds
    // for the entry of the section; nDefault when the entry is missing or holds anything else,
    // and when the settings file cannot be read.
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    // FALSE when the settings file cannot be written.
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    // The bytes that the settings file holds for the entry (kept as hexadecimal text). FALSE, with
    // data left empty, when the entry is missing or holds anything else, and when the file cannot be read.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, std::vector<BYTE>& data);
    // FALSE when the settings file cannot be written.
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, const BYTE* pData, UINT nBytes);
    // Dialogs and controls have the toolkit's own look: nothing to switch on.
    BOOL Enable3dControls() { return TRUE; }
    // Nothing to switch on: a program that takes files from the desktop serves them itself.
    void EnableShellOpen() {}
    // Nothing to write: the installed desktop entry and MIME type register the document type.
    void RegisterShellFileTypes(BOOL = FALSE) {}

    // The editor starts only with an empty command line (any text is the batch mode): nothing to parse.
    void ParseCommandLine(CCommandLineInfo&) {}
    // A new document; FALSE when there is no main window.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // The name given to the constructor, else string AFX_IDS_APP_TITLE; captions every message box.
    LPCSTR m_pszAppName = nullptr;
    // The process's arguments joined again (platform/CommandLine.h). Empty without any, and when
    // an argument cannot be carried: m_strCmdLineRefusal then says why.
    LPSTR m_lpCmdLine = nullptr;
    std::string m_strCmdLineRefusal;
    int m_nCmdShow = SW_SHOWNORMAL;
    // The main window, once the program has made one; the framework clears it when the window goes.
    CWnd* m_pMainWnd = nullptr;
    // The status that the program ends with; the program sets it to report failure.
    int m_nExitCode = 0;

private:
    friend int AfxWinMain(int argc, char** argv);
    void SetCommandLine(std::string commandLine);
    void ResolveAppName();
    // The text of the entry; empty when it is missing or the settings file cannot be read.
    QString GetProfileText(LPCSTR lpszSection, LPCSTR lpszEntry);
    BOOL WriteProfileText(LPCSTR lpszSection, LPCSTR lpszEntry, const QString& value);

    std::string m_commandLine;
    std::string m_appName;
    std::string m_registryKey;
    std::vector<CDocTemplate*> m_templateList;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// Fills the application object from the process's arguments, runs InitInstance and, on TRUE, the message loop.
int AfxWinMain(int argc, char** argv);
