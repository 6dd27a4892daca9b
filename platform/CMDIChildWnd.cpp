#include "platform/CMDIChildWnd.h"

#include "platform/CMDIFrameWnd.h"
#include "platform/FrameWidgets.h"

#include <QMdiArea>
#include <QMdiSubWindow>


QWidget* CMDIChildWnd::CreateFrameWidget(CWnd* pParentWnd)
{
    QMdiArea* area = static_cast<CMDIFrameWnd*>(pParentWnd)->GetMdiClient();
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

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const { return DYNAMIC_DOWNCAST(CMDIFrameWnd, GetParentFrame()); }

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* frame = GetMDIFrame()) {
        frame->GetMdiClient()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(GetWidget()));
    }
}

void CMDIChildWnd::ActivateFrame(int)
{
    ShowWindow(SW_SHOW);
    MDIActivate();
}
