#include "platform/CMDIChildWnd.h"

#include "platform/CDocument.h"
#include "platform/CMDIFrameWnd.h"
#include "platform/CWinApp.h"

#include "platform/FrameWidgets.h"

#include <QMdiArea>
#include <QMdiSubWindow>

IMPLEMENT_DYNAMIC(CMDIChildWnd, CFrameWnd)

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr) {
        pParentWnd = AfxGetMainWnd();
    }
    auto* mainFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd);
    if (mainFrame == nullptr || mainFrame->GetMdiClient() == nullptr) {
        return FALSE;
    }
    m_pMDIFrameWidget = pParentWnd->GetWidget();
    return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

QWidget* CMDIChildWnd::CreateFrameWidget(CWnd*)
{
    QMdiArea* area = GetMDIFrame()->GetMdiClient();
    auto* sub = new CFrameWidget<QMdiSubWindow>;
    area->addSubWindow(sub);
    // Three quarters of the client area, as document windows start out on the original system.
    const QSize client = area->viewport()->size();
    sub->resize(std::max(client.width() * 3 / 4, 640), std::max(client.height() * 3 / 4, 400));
    return sub;
}

void CMDIChildWnd::SetClientWidget(QWidget* widget)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(GetWidget())) {
        sub->setWidget(widget);
    }
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, FromHandle(m_pMDIFrameWidget));
}

void CMDIChildWnd::MDIActivate()
{
    CMDIFrameWnd* frame = GetMDIFrame();
    auto* sub = qobject_cast<QMdiSubWindow*>(GetWidget());
    if (frame != nullptr && sub != nullptr && frame->GetMdiClient() != nullptr) {
        frame->GetMdiClient()->setActiveSubWindow(sub);
    }
}

void CMDIChildWnd::ActivateFrame(int)
{
    ShowWindow(SW_SHOW);
    MDIActivate();
    if (CMDIFrameWnd* frame = GetMDIFrame()) {
        frame->OnActiveChildChanged();
    }
}

void CMDIChildWnd::PostNcDestroy()
{
    CMDIFrameWnd* frame = GetMDIFrame();
    delete this;
    // The menu and title follow the window that is active now, if any.
    if (frame != nullptr) {
        frame->OnActiveChildChanged();
    }
}
