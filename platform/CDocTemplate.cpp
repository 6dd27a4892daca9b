#include "platform/CDocTemplate.h"

#include "platform/CDocument.h"
#include "platform/CFrameWnd.h"
#include "platform/CView.h"
#include "platform/CWinApp.h"
#include "platform/ResourceStrings.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate != nullptr && pDoc->m_pDocTemplate != this) {
        pDoc->m_pDocTemplate->RemoveDocument(pDoc);
    }
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this) {
        pDoc->m_pDocTemplate = nullptr;
    }
}

CDocument* CDocTemplate::CreateNewDocument()
{
    auto* document = AfxCreateObject<CDocument>(m_pDocClass, RUNTIME_CLASS(CDocument));
    if (document != nullptr) {
        AddDocument(document);
    }
    return document;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION position = GetFirstDocPosition();
    while (position != nullptr) {
        GetNextDoc(position)->OnCloseDocument();
    }
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
    InitialUpdateFrame(frame, pDocument, TRUE);
    return TRUE;
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

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::GetDocString(std::string& rString, DocStringIndex index) const
{
    rString.clear();
    const char* text = AfxLoadString(m_nIDResource);
    if (text == nullptr) {
        return FALSE;
    }
    std::string all = text;
    std::size_t start = 0;
    for (int field = 0; field < index; ++field) {
        start = all.find('\n', start);
        if (start == std::string::npos) {
            return FALSE;
        }
        ++start;
    }
    std::size_t end = all.find('\n', start);
    rString = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return rString.empty() ? FALSE : TRUE;
}
