#include "platform/CMultiDocTemplate.h"

#include "platform/CDocument.h"
#include "platform/CFrameWnd.h"
#include "platform/CView.h"
#include "platform/CWinApp.h"

BOOL CMultiDocTemplate::CreateFrameAndView(CDocument* pDocument)
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

void CMultiDocTemplate::ActivateDocument(CDocument* pDocument)
{
    POSITION position = pDocument->GetFirstViewPosition();
    if (position == nullptr) {
        return;
    }
    if (CFrameWnd* frame = pDocument->GetNextView(position)->GetParentFrame()) {
        frame->ActivateFrame();
    }
}

CFrameWnd* CMultiDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*)
{
    auto* frame = AfxCreateObject<CFrameWnd>(m_pFrameClass);
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = pDoc;
    // A frame always loads: its widget, menus and view are made in place.
    frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, AfxGetMainWnd(), &context);
    return frame;
}
