#include "platform/CMDIChildWnd.h"

#include "platform/CMDIFrameWnd.h"
#include "platform/FrameWidgets.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>

QWidget* CMDIChildWnd::CreateFrameWidget(CWnd* pParentWnd)
{
    QMdiArea* area = static_cast<CMDIFrameWnd*>(pParentWnd)->GetMdiClient();
    auto* sub = new CFrameWidget<QMdiSubWindow>;
    area->addSubWindow(sub);
    // The window's keys are the main window's: the system menu's Close would claim Ctrl+W and Ctrl+F4 as well,
    // which File > Close takes.
    for (QAction* action : sub->systemMenu()->actions()) {
        action->setShortcuts({});
    }
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
