#include "platform/CDocument.h"

#include "platform/CArchive.h"
#include "platform/CDocTemplate.h"
#include "platform/CFile.h"
#include "platform/CView.h"
#include "platform/FilePath.h"
#include "platform/MessageBox.h"

#include <algorithm>

namespace {
// A document's data is read whole into one block whose size is a signed 32-bit count.
constexpr ULONGLONG kMaxDocumentLength = 0x7FFFFFFF;
} // namespace

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    for (CView* view : m_viewList) {
        view->m_pDocument = nullptr;
    }
    if (m_pDocTemplate != nullptr) {
        m_pDocTemplate->RemoveDocument(this);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportFileError(const char* action, LPCSTR lpszPathName, const std::string& reason) const
{
    std::string text = std::string("Cannot ") + action + " file " + (lpszPathName != nullptr ? lpszPathName : "")
        + ".\n" + reason;
    if (!reason.empty() && reason.back() != '.') {
        text += '.';
    }
    AfxMessageBox(text.c_str(), MB_ICONSTOP);
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead)) {
        ReportFileError("open", lpszPathName, file.GetErrorText());
        return FALSE;
    }
    if (file.GetLength() > kMaxDocumentLength) {
        ReportFileError("open", lpszPathName, "The file is 2 GiB or larger.");
        return FALSE;
    }
    DeleteContents();
    CArchive archive(&file, CArchive::load);
    Serialize(archive);
    if (archive.HasError()) {
        ReportFileError("open", lpszPathName, archive.GetErrorText());
        DeleteContents();
        return FALSE;
    }
    file.Close();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeCreate | CFile::modeWrite)) {
        ReportFileError("save", lpszPathName, file.GetErrorText());
        return FALSE;
    }
    CArchive archive(&file, CArchive::store);
    Serialize(archive);
    if (archive.HasError()) {
        file.Abort();
        ReportFileError("save", lpszPathName, archive.GetErrorText());
        return FALSE;
    }
    if (!file.Close()) {
        ReportFileError("save", lpszPathName, file.GetErrorText());
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    if (lpszPathName == nullptr || lpszPathName[0] == '\0' || !OnSaveDocument(lpszPathName)) {
        return FALSE;
    }
    if (bReplace) {
        SetPathName(lpszPathName);
    }
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Cleared first, so that losing the views below does not close the document again.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    for (CView* view : m_viewList) {
        view->m_pDocument = nullptr;
    }
    m_viewList.clear();
    DeleteContents();
    m_bAutoDelete = autoDelete;
    if (m_bAutoDelete) {
        delete this;
    }
}

void CDocument::DeleteContents() {}

void CDocument::Serialize(CArchive&) {}

BOOL CDocument::IsModified() { return m_bModified; }

void CDocument::SetModifiedFlag(BOOL bModified) { m_bModified = bModified ? TRUE : FALSE; }

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // A copy: a view's update must not disturb the visit of the others.
    std::vector<CView*> views = m_viewList;
    for (CView* view : views) {
        if (view != pSender) {
            view->OnUpdate(pSender, lHint, pHint);
        }
    }
}

void CDocument::SetPathName(LPCSTR lpszPathName)
{
    m_strPathName = AfxFullPath(lpszPathName);
    SetTitle(AfxGetFileName(m_strPathName).c_str());
}

void CDocument::SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle != nullptr ? lpszTitle : ""; }

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end()) {
        return;
    }
    if (pView->m_pDocument != nullptr && pView->m_pDocument != this) {
        pView->m_pDocument->RemoveView(pView);
    }
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    auto found = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (found == m_viewList.end()) {
        return;
    }
    m_viewList.erase(found);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.empty() && m_bAutoDelete) {
        OnCloseDocument();
    }
}
