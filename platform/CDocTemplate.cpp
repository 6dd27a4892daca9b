#include "platform/CDocTemplate.h"

#include "platform/CDocument.h"
#include "platform/CFrameWnd.h"
#include "platform/CView.h"
#include "platform/CWinApp.h"
#include "platform/ResourceStrings.h"

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate() { CloseAllDocuments(TRUE); }

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
    CDocument* document = AfxCreateObject<CDocument>(m_pDocClass, RUNTIME_CLASS(CDocument));
    if (document == nullptr) {
        return nullptr;
    }
    document->m_pDocTemplate = this;
    m_docList.push_back(document);
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

BOOL CDocTemplate::CreateFrameAndView(CDocument* pDocument)
{
    if (m_pFrameClass == nullptr || AfxGetMainWnd() == nullptr) {
        return TRUE;
    }
    CFrameWnd* frame = CreateNewFrame(pDocument, nullptr);
    if (frame != nullptr) {
        frame->InitialUpdateFrame(pDocument, TRUE);
    }
    return frame != nullptr;
}

void CDocTemplate::ActivateDocument(CDocument* pDocument)
{
    POSITION position = pDocument->GetFirstViewPosition();
    CView* view = position != nullptr ? pDocument->GetNextView(position) : nullptr;
    if (CFrameWnd* frame = view != nullptr ? view->GetParentFrame() : nullptr) {
        frame->ActivateFrame();
    }
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*)
{
    auto* frame = AfxCreateObject<CFrameWnd>(m_pFrameClass, RUNTIME_CLASS(CFrameWnd));
    if (frame == nullptr) {
        return nullptr;
    }
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = pDoc;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, AfxGetMainWnd(), &context)) {
        delete frame;
        return nullptr;
    }
    return frame;
}

BOOL CDocTemplate::GetDocString(std::string& rString, DocStringIndex index) const
{
    const char* text = AfxLoadString(m_nIDResource);
    std::string rest = text != nullptr ? text : "";
    for (int field = 0; field < index && !rest.empty(); ++field) {
        const std::size_t end = rest.find('\n');
        rest.erase(0, end == std::string::npos ? rest.size() : end + 1);
    }
    rString = rest.substr(0, rest.find('\n'));
    return rString.empty() ? FALSE : TRUE;
}
