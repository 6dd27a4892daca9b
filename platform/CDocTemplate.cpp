#include "platform/CDocTemplate.h"

#include "platform/CDocument.h"
#include "platform/CFrameWnd.h"
#include "platform/CView.h"
#include "platform/CWinApp.h"
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

BOOL CDocTemplate::CreateFrameAndView(CDocument* pDocument)
{
    if (m_pFrameClass == nullptr || AfxGetMainWnd() == nullptr) {
        return TRUE;
    }
    CFrameWnd* frame = CreateNewFrame(pDocument, nullptr);
    if (frame == nullptr) {
        return FALSE;
    }
    frame->InitialUpdateFrame(pDocument, TRUE);
    return TRUE;
}

void CDocTemplate::ActivateDocument(CDocument* pDocument)
{
    POSITION position = pDocument->GetFirstViewPosition();
    if (position == nullptr) {
        return;
    }
    if (CFrameWnd* frame = pDocument->GetNextView(position)->GetParentFrame()) {
        frame->ActivateFrame();
    }
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*)
{
    auto* frame = AfxCreateObject<CFrameWnd>(m_pFrameClass);
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = pDoc;
    // A frame always loads: its widget, menus and view are made in place.
    frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, AfxGetMainWnd(), &context);
    return frame;
}

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
