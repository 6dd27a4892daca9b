#include "platform/CMDIFrameWnd.h"

#include "platform/AfxRes.h"
#include "platform/CDocTemplate.h"
#include "platform/CDocument.h"
#include "platform/CMDIChildWnd.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_COMMAND(ID_WINDOW_TILE_HORZ, OnWindowTile)
    ON_COMMAND(ID_WINDOW_ARRANGE, OnWindowArrange)
END_MESSAGE_MAP()

QWidget* CMDIFrameWnd::CreateFrameWidget(CWnd* pParentWnd)
{
    auto* window = static_cast<QMainWindow*>(CFrameWnd::CreateFrameWidget(pParentWnd));
    auto* area = new QMdiArea(window);
    area->setBackground(area->palette().brush(QPalette::Dark));
    // Windows that do not fit are reached by scrolling.
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    window->setCentralWidget(area);
    // Looked up at each call: while the window is being destroyed the frame has gone already.
    QObject::connect(area, &QMdiArea::subWindowActivated, window, [window] {
        if (auto* frame = static_cast<CMDIFrameWnd*>(FromHandle(window))) {
            frame->OnActiveChildChanged();
        }
    });
    return window;
}

QMdiArea* CMDIFrameWnd::GetMdiClient() const
{
    auto* window = static_cast<QMainWindow*>(GetWidget());
    return static_cast<QMdiArea*>(window->centralWidget());
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const
{
    // The current window stays current while the main window itself is inactive.
    return DYNAMIC_DOWNCAST(CMDIChildWnd, FromHandle(GetMdiClient()->currentSubWindow()));
}

void CMDIFrameWnd::OnWindowTile() { GetMdiClient()->tileSubWindows(); }

void CMDIFrameWnd::OnWindowArrange()
{
    QMdiArea* area = GetMdiClient();
    const QSize client = area->viewport()->size();
    int x = 0;
    int rowBottom = client.height();
    int rowHeight = 0;
    for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized() || sub->isHidden()) {
            continue;
        }
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > client.width()) {
            x = 0;
            rowBottom -= rowHeight;
            rowHeight = 0;
        }
        sub->move(x, rowBottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    if (CMDIChildWnd* child = MDIGetActive()) {
        return child;
    }
    return this;
}

void CMDIFrameWnd::OnActiveChildChanged()
{
    UINT menu = m_nIDHelp;
    if (CMDIChildWnd* child = MDIGetActive()) {
        menu = child->GetResourceID();
    }
    ShowMenu(menu);
    OnUpdateFrameTitle();
}

void CMDIFrameWnd::OnWindowNew()
{
    CDocument* document = GetActiveDocument();
    if (document == nullptr) {
        return;
    }
    if (CFrameWnd* frame = document->GetDocTemplate()->CreateNewFrame(document, MDIGetActive())) {
        frame->InitialUpdateFrame(document, TRUE);
    }
}
