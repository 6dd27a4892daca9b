#include "platform/CView.h"

#include "platform/CDC.h"
#include "platform/CDocument.h"
#include "platform/CFrameWnd.h"
#include "platform/Display.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {
// The window of a view: erases with the window colour and hands the painting to OnDraw.
// Its view lives as long as it does.
class CViewWidget : public CWindowWidget<QWidget> {
public:
    explicit CViewWidget(QWidget* parent) : CWindowWidget<QWidget>(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::ClickFocus);
    }

    QSize sizeHint() const override
    {
        const auto* view = static_cast<const CView*>(CWnd::FromHandle(this));
        const SIZE total = view->GetTotalSize();
        if (total.cx <= 0 || total.cy <= 0) {
            return QWidget::sizeHint();
        }
        return QSize(total.cx, total.cy);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Base));
        CDC dc(&painter);
        static_cast<CView*>(CWnd::FromHandle(this))->OnDraw(&dc);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        CWnd* view = CWnd::FromHandle(this);
        if (event->button() != Qt::LeftButton) {
            QWidget::mousePressEvent(event);
            return;
        }
        if (const AFX_MSGMAP_ENTRY* entry = view->FindMessageEntry(WM_LBUTTONDOWN, 0)) {
            const QPoint point = event->position().toPoint();
            entry->pfnLButtonDown(*view, MK_LBUTTON, POINT{point.x(), point.y()});
        }
    }
};
} // namespace

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
    Attach(new CViewWidget(parent));
    return TRUE;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { GetWidget()->update(); }

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
