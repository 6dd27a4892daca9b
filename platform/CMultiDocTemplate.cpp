#include "platform/CMultiDocTemplate.h"

#include "platform/CDocument.h"
#include "platform/MessageBox.h"

#include <algorithm>

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
    // A new document is left without a title: the program's documents refuse to be new.
    BOOL ready = lpszPathName == nullptr ? document->OnNewDocument() : document->OnOpenDocument(lpszPathName);
    if (ready && lpszPathName != nullptr) {
        document->SetPathName(lpszPathName);
    }
    if (!ready || !CreateFrameAndView(document)) {
        delete document;
        return nullptr;
    }
    return document;
}
