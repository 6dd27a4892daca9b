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

void CMDIChildWnd::SetClientWidget(QWidget* widget) { static_cast<QMdiSubWindow*>(GetWidget())->setWidget(widget); }

void CMDIChildWnd::MDIActivate()
{
    auto* sub = static_cast<QMdiSubWindow*>(GetWidget());
    sub->mdiArea()->setActiveSubWindow(sub);
}

void CMDIChildWnd::ActivateFrame(int)
{
    ShowWindow(SW_SHOW);
    MDIActivate();
}
