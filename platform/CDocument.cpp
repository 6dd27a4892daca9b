#include "platform/CDocument.h"

#include "platform/AfxRes.h"
#include "platform/CArchive.h"
#include "platform/CDocTemplate.h"
#include "platform/CFile.h"
#include "platform/CWinApp.h"
#include "platform/FilePath.h"
#include "platform/FileSizeLimit.h"
#include "platform/MessageBox.h"
#include "platform/OpenFailures.h"

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument()
{
    for (CDocumentView* view : m_viewList) {
        view->m_pDocument = nullptr;
    }
    if (m_pDocTemplate != nullptr) {
        m_pDocTemplate->RemoveDocument(this);
    }
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFile file;
    CArchive archive(&file, CArchive::load);
    if (file.Open(lpszPathName, CFile::modeRead) && AfxIsFileTooLarge(file.GetLength())) {
        archive.SetError("The file is 2 GiB or larger.");
    }
    if (!archive.HasError()) {
        Serialize(archive);
    }
    if (archive.HasError()) {
        if (!archive.IsCancelled()) {
            AfxReportOpenFailure(lpszPathName, archive.GetErrorText());
        }
        return FALSE;
    }
    file.GetState(m_diskState);
    SetModifiedFlag(FALSE);
    return TRUE;
}

std::string CDocument::StoreTo(CFile& file, LPCSTR lpszPathName, bool bOwnFile, bool bUnchanged)
{
    if (!file.Open(lpszPathName, CFile::modeWrite)) {
        return file.GetErrorText();
    }
    if (bOwnFile) {
        file.SetExpectedState(m_diskState, bUnchanged);
    }
    CArchive archive(&file, CArchive::store);
    Serialize(archive);
    if (archive.HasError()) {
        file.Abort();
        return archive.GetErrorText();
    }
    return file.Close() ? std::string() : file.GetErrorText();
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    // The document's own file under any of its names: resolved now, as the names may lead elsewhere since.
    const bool ownFile = !m_strPathName.empty() && AfxResolvePath(lpszPathName) == AfxResolvePath(m_strPathName.c_str());
    CFile file;
    std::string error = StoreTo(file, lpszPathName, ownFile, true);
    if (file.IsChangedOnDisk()) {
        const std::string question = std::string("The file ") + lpszPathName
            + " has changed on disk since it was opened or last saved.\nOverwrite it with this document?\n"
              "No keeps the file on disk as it is and the document unsaved.";
        if (AfxMessageBox(question.c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            return FALSE;
        }
        error = StoreTo(file, lpszPathName, true, false);
    }
    // Refused rather than asked: a Yes would write to a file that the user never opened.
    if (file.LeadsElsewhere()) {
        error = "The name now leads to another file than the one opened or last saved: a symbolic link was put in "
                "its place, or changed. Nothing was written; Save As saves the document under a name of your choice";
    }
    if (!error.empty()) {
        AfxReportSaveFailure(lpszPathName, error);
        return FALSE;
    }
    file.GetState(m_diskState);
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::DoSave(LPCSTR lpszPathName)
{
    std::string path = lpszPathName != nullptr ? lpszPathName : "";
    if (path.empty()) {
        path = m_strPathName;
        if (!AfxGetApp()->DoPromptFileName(path, FALSE, m_pDocTemplate)) {
            return FALSE;
        }
    }
    if (path.empty() || !OnSaveDocument(path.c_str())) {
        return FALSE;
    }
    SetPathName(path.c_str());
    return TRUE;
}

BOOL CDocument::DoFileSave() { return DoSave(m_strPathName.c_str()); }

BOOL CDocument::SaveModified()
{
    if (!IsModified()) {
        return TRUE;
    }
    switch (PromptToSave(MB_YESNOCANCEL)) {
    case IDYES: return DoFileSave();
    case IDNO: return TRUE;
    default: return FALSE;
    }
}

int CDocument::PromptToSave(UINT nButtons) const
{
    const std::string prompt = "Save changes to " + m_strPathName + "?";
    return AfxMessageBox(prompt.c_str(), nButtons | MB_ICONEXCLAMATION);
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    for (CDocumentView* view : m_viewList) {
        CFrameWnd* frame = view->GetParentFrame();
        if (frame != nullptr && frame != pFrame) {
            return TRUE;
        }
    }
    return SaveModified();
}

void CDocument::OnFileClose()
{
    if (SaveModified()) {
        OnCloseDocument();
    }
}

void CDocument::OnCloseDocument()
{
    // Cleared first, so that losing the views below does not close the document again.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    // A copy: destroying a frame takes its one view out of the list.
    const std::vector<CDocumentView*> views = m_viewList;
    for (CDocumentView* view : views) {
        view->DestroyFrame();
    }
    m_bAutoDelete = autoDelete;
    if (m_bAutoDelete) {
        delete this;
    }
}

void CDocument::Serialize(CArchive&) {}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // A copy: a view's update must not disturb the visit of the others.
    std::vector<CDocumentView*> views = m_viewList;
    for (CDocumentView* view : views) {
        if (view->GetView() != pSender) {
            view->OnUpdate(pSender, lHint, pHint);
        }
    }
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    if (bModified == m_bModified) {
        return;
    }
    m_bModified = bModified;
    UpdateFrameCounts();
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName)
{
    m_strPathName = AfxFullPath(lpszPathName);
    m_strResolvedPathName = AfxResolvePath(m_strPathName.c_str());
    SetTitle(AfxGetFileName(m_strPathName).c_str());
    if (CWinApp* app = AfxGetApp()) {
        app->AddToRecentFileList(m_strPathName.c_str());
    }
}

void CDocument::UpdateFrameCounts()
{
    // Each frame holds one view; the windows of a document that has one are not numbered.
    const bool numbered = m_viewList.size() > 1;
    int number = 0;
    for (CDocumentView* view : m_viewList) {
        if (view->GetParentFrame() != nullptr) {
            if (numbered) {
                ++number;
            }
            view->UpdateFrameTitle(number);
        }
    }
}

void CDocument::AddView(CDocumentView* pView)
{
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    UpdateFrameCounts();
}

void CDocument::RemoveView(CDocumentView* pView)
{
    std::erase(m_viewList, pView);
    pView->m_pDocument = nullptr;
    if (m_viewList.empty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}
