#include "platform/CDocTemplate.h"

#include "platform/CDocument.h"
#include "platform/ResourceStrings.h"

#include <QString>

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) { std::erase(m_docList, pDoc); }

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION position = GetFirstDocPosition();
    while (position != nullptr) {
        GetNextDoc(position)->OnCloseDocument();
    }
}

CDocument* CDocTemplate::OpenDocumentFile(LPCSTR lpszPathName)
{
    CDocument* document = AfxCreateObject<CDocument>(m_pDocClass);
    document->m_pDocTemplate = this;
    m_docList.push_back(document);
    BOOL ready = FALSE;
    if (lpszPathName == nullptr) {
        // Left without a title: the program's documents refuse to be new.
        ready = document->OnNewDocument();
    } else if (document->OnOpenDocument(lpszPathName)) {
        document->SetPathName(lpszPathName);
        ready = TRUE;
    }
    if (!ready || !CreateFrameAndView(document)) {
        delete document;
        return nullptr;
    }
    return document;
}

BOOL CDocTemplate::CreateFrameAndView(CDocument*) { return TRUE; }

void CDocTemplate::ActivateDocument(CDocument*) {}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument*, CFrameWnd*) { return nullptr; }

BOOL CDocTemplate::GetDocString(std::string& rString, DocStringIndex index) const
{
    rString.clear();
    const char* text = AfxLoadString(m_nIDResource);
    if (text == nullptr) {
        return FALSE;
    }
    rString = QString::fromUtf8(text).section(u'\n', index, index).toStdString();
    return !rString.empty();
}
