#include "frames/CChildFrame.h"

#include "frames/WorkArea.h"
#include "view/CVarnoView.h"

#include <QMdiSubWindow>
#include <QVBoxLayout>

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

void CChildFrame::ActivateFrame(int nCmdShow)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(GetWidget());
    if (sub != nullptr && sub->isHidden()) {
        OpenAtLegibleSize(sub);
    }
    CMDIChildWnd::ActivateFrame(nCmdShow);
}

void CChildFrame::SetClientWidget(QWidget* widget)
{
    auto* view = DYNAMIC_DOWNCAST(CVarnoView, CWnd::FromHandle(widget));
    if (view == nullptr) {
        CMDIChildWnd::SetClientWidget(widget);
        return;
    }
    // The window asks for the view's size and the choice's together.
    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view->CreateTableChoice());
    layout->addWidget(widget);
    CMDIChildWnd::SetClientWidget(client);
}
