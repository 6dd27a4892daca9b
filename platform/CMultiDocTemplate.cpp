#include "platform/CMultiDocTemplate.h"

#include "platform/CDocument.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <string>

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                     const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    CloseAllDocuments(TRUE);
    // Documents that closing does not delete (m_bAutoDelete FALSE) outlive their template.
    for (CDocument* document : m_docList) {
        CDocTemplate::RemoveDocument(document);
    }
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc == nullptr || std::find(m_docList.begin(), m_docList.end(), pDoc) != m_docList.end()) {
        return;
    }
    CDocTemplate::AddDocument(pDoc);
    m_docList.push_back(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    auto found = std::find(m_docList.begin(), m_docList.end(), pDoc);
    if (found == m_docList.end()) {
        return;
    }
    m_docList.erase(found);
    CDocTemplate::RemoveDocument(pDoc);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName)
{
    CDocument* document = CreateNewDocument();
    if (document == nullptr) {
        AfxMessageBox("Failed to create an empty document.", MB_ICONSTOP);
        return nullptr;
    }
    BOOL ready;
    if (lpszPathName == nullptr) {
        SetDefaultTitle(document);
        ready = document->OnNewDocument();
    } else {
        ready = document->OnOpenDocument(lpszPathName);
        if (ready) {
            document->SetPathName(lpszPathName);
        }
    }
    if (!ready || !CreateFrameAndView(document)) {
        delete document;
        return nullptr;
    }
    return document;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    std::string title;
    if (!GetDocString(title, docName)) {
        title = "Untitled";
    }
    title += std::to_string(++m_nUntitledCount);
    pDocument->SetTitle(title.c_str());
}
