#include "frames/CCompareFrame.h"

#include "frames/WorkArea.h"
#include "platform/AfxRes.h"
#include "platform/CMDIFrameWnd.h"
#include "res/Resource.h"
#include "view/CompareTablesWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>

IMPLEMENT_DYNAMIC(CCompareFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CCompareFrame, CMDIChildWnd)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

void CCompareFrame::Show(CMDIFrameWnd& mainFrame)
{
    for (QMdiSubWindow* sub : mainFrame.GetMdiClient()->subWindowList()) {
        if (auto* open = DYNAMIC_DOWNCAST(CCompareFrame, FromHandle(sub))) {
            open->ActivateFrame();
            return;
        }
    }
    auto* frame = new CCompareFrame;
    // The document windows' menu, so that Undo and the Window menu stay at hand.
    frame->LoadFrame(IDR_VARNOTYPE, WS_OVERLAPPEDWINDOW, &mainFrame);
    frame->SetClientWidget(new CompareTablesWindow);
    frame->m_strTitle = "Compare Open Tables";
    frame->OnUpdateFrameTitle();
    OpenAtLegibleSize(static_cast<QMdiSubWindow*>(frame->GetWidget()));
    frame->ActivateFrame();
}

void CCompareFrame::OnFileClose() { SendMessage(WM_CLOSE); }
