#include "app/CVarnoApp.h"

#include "app/BatchTransplant.h"
#include "app/CKindChoiceDlg.h"
#include "app/COpenFileDialog.h"
#include "app/CommandLineHelp.h"
#include "app/HandOverServer.h"

#include "document/CVarnoDoc.h"
#include "frames/CAboutDlg.h"
#include "frames/CChildFrame.h"
#include "frames/CMainFrame.h"
#include "platform/AfxRes.h"
#include "platform/CCommandLineInfo.h"
#include "platform/CMultiDocTemplate.h"
#include "platform/Display.h"
#include "platform/MessageBox.h"
#include "platform/OpenFailures.h"
#include "res/Resource.h"
#include "view/CVarnoView.h"

#include <string>
#include <vector>

BEGIN_MESSAGE_MAP(CVarnoApp, CWindowedApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_FILE_OPEN_REFERENCE, OnFileOpenReference)
    ON_COMMAND(ID_FILE_SAVE_ALL, OnFileSaveAll)
    ON_COMMAND(ID_FILE_CLOSE_ALL, OnFileCloseAll)
END_MESSAGE_MAP()

CVarnoApp::CVarnoApp() : CWindowedApp(nullptr) {}

BOOL CVarnoApp::InitInstance()
{
    if (!m_strCmdLineRefusal.empty()) {
        AfxMessageBox((m_strCmdLineRefusal + " Nothing was changed.").c_str(), MB_ICONSTOP);
        m_nExitCode = 1;
        return FALSE;
    }
    if (const std::optional<int> status = AnswerHelpOrVersion(m_lpCmdLine)) {
        m_nExitCode = *status;
        return FALSE;
    }
    if (m_lpCmdLine[0] != '\0') {
        RunBatch();
        return FALSE;
    }
    if (!AfxCanCreateWindows()) {
        AfxMessageBox("The editor needs a display, and none could be opened. Batch mode (varno TARGET SOURCE) and "
                      "varno-table need none.",
                      MB_ICONSTOP);
        m_nExitCode = 1;
        return FALSE;
    }
    return InitInteractive();
}

void CVarnoApp::RunBatch() { m_nExitCode = RunBatchTransplant(m_lpCmdLine) ? 0 : 1; }

BOOL CVarnoApp::InitInteractive()
{
    Enable3dControls();
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    m_pDocTemplate = new CMultiDocTemplate(IDR_VARNOTYPE, RUNTIME_CLASS(CVarnoDoc), RUNTIME_CLASS(CChildFrame),
                                           RUNTIME_CLASS(CVarnoView));
    AddDocTemplate(m_pDocTemplate);

    auto* mainFrame = new CMainFrame;
    if (!mainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr)) {
        delete mainFrame;
        return FALSE;
    }
    m_pMainWnd = mainFrame;

    mainFrame->DragAcceptFiles(TRUE);
    EnableShellOpen();
    if (!ListenForHandOver(mainFrame)) {
        mainFrame->DestroyWindow();
        return FALSE;
    }
    RegisterShellFileTypes(TRUE);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo)) {
        return FALSE;
    }

    mainFrame->ShowWindow(m_nCmdShow);
    mainFrame->UpdateWindow();
    return TRUE;
}

std::string CVarnoApp::DocumentTypeFilter(std::string& extension) const
{
    std::string name;
    m_pDocTemplate->GetDocString(name, CDocTemplate::filterName);
    m_pDocTemplate->GetDocString(extension, CDocTemplate::filterExt);
    return name + "|*" + extension + "|";
}

void CVarnoApp::OnFileOpen()
{
    std::string extension;
    const std::string filter = "Table files (*.nls;*.exe;*.kbd)|*.nls;*.exe;*.kbd|" + DocumentTypeFilter(extension)
        + "GDI modules (*.exe)|*.exe|Keyboard layouts (*.kbd)|*.kbd|All Files (*.*)|*.*||";
    COpenFileDialog dialog(nullptr, OFN_ALLOWMULTISELECT, filter.c_str(), m_pMainWnd);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    std::vector<std::string> paths;
    for (POSITION position = dialog.GetStartPosition(); position != nullptr;) {
        paths.push_back(dialog.GetNextPathName(position));
    }
    AfxOpenDocumentFiles(paths);
}

void CVarnoApp::OnFileOpenReference()
{
    // One file, offered as the framework's own Open offers them: the document type, then all files.
    std::string extension;
    const std::string filter = DocumentTypeFilter(extension) + "All Files (*.*)|*.*||";
    // Added, without its dot, to a name typed without an extension.
    extension.erase(0, 1);
    COpenFileDialog dialog(extension.c_str(), 0, filter.c_str(), m_pMainWnd);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    if (auto* document = DYNAMIC_DOWNCAST(CVarnoDoc, OpenDocumentFile(dialog.GetPathName().c_str()))) {
        document->SetReferenceOnly(true);
    }
}

void CVarnoApp::OnFileSaveAll()
{
    std::vector<CDocument*> modified = GetOpenDocuments();
    std::erase_if(modified, [](const CDocument* document) { return !document->IsModified(); });
    AfxSaveDocuments(modified);
}

void CVarnoApp::OnFileCloseAll()
{
    if (SaveAllModified()) {
        CloseAllDocuments(FALSE);
    }
}

int CVarnoApp::ChooseKind(const std::string& path) { return CKindChoiceDlg::Ask(path); }

void CVarnoApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
