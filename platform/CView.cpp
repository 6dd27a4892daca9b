#include "platform/CView.h"

#include "platform/CDocument.h"
#include "platform/CFrameWnd.h"
#include "platform/Display.h"

#include <QWidget>

CView::~CView()
{
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
}

BOOL CView::Create(CWnd* pParentWnd)
{
    AfxEnsureGuiApplication();
    QWidget* parent = nullptr;
    if (pParentWnd != nullptr) {
        parent = pParentWnd->GetWidget();
    }
    Attach(CreateViewWidget(parent));
    return TRUE;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { GetClientWidget()->update(); }

void CView::UpdateFrameTitle(int nWindow)
{
    if (CFrameWnd* frame = GetParentFrame()) {
        frame->m_nWindow = nWindow;
        frame->OnUpdateFrameTitle();
    }
}

void CView::DestroyFrame()
{
    if (CFrameWnd* frame = GetParentFrame()) {
        frame->DestroyWindow();
    }
}

BOOL CView::OnCmdMsg(UINT nID)
{
    if (CWnd::OnCmdMsg(nID)) {
        return TRUE;
    }
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID);
}
