#include "frames/CChildFrame.h"

#include "frames/WorkArea.h"

#include <QMdiSubWindow>

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

void CChildFrame::ActivateFrame(int nCmdShow)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(GetWidget());
    if (sub != nullptr && sub->isHidden()) {
        OpenAtLegibleSize(sub);
    }
    CMDIChildWnd::ActivateFrame(nCmdShow);
}
