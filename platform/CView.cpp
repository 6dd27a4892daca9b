#include "platform/CView.h"

#include "platform/CDC.h"
#include "platform/CDocument.h"
#include "platform/Display.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {
// The window of a view: erases with the window colour and hands the painting to OnDraw.
class CViewWidget : public QWidget {
public:
    explicit CViewWidget(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::ClickFocus);
    }
    ~CViewWidget() override { CWnd::NotifyWidgetDestroyed(this); }

    QSize sizeHint() const override
    {
        const auto* view = static_cast<const CView*>(CWnd::FromHandle(this));
        const SIZE total = view != nullptr ? view->GetTotalSize() : SIZE{0, 0};
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
        if (auto* view = static_cast<CView*>(CWnd::FromHandle(this))) {
            CDC dc(&painter);
            view->OnDraw(&dc);
        }
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        CWnd* view = CWnd::FromHandle(this);
        if (view == nullptr || event->button() != Qt::LeftButton) {
            QWidget::mousePressEvent(event);
            return;
        }
        const QPoint point = event->position().toPoint();
        view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x(), point.y()));
    }
};
} // namespace

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::~CView()
{
    // Unbound first, so that nothing finds this view through its window while it goes.
    QWidget* widget = Detach();
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
    delete widget;
}

BOOL CView::Create(CWnd* pParentWnd)
{
    AfxEnsureGuiApplication();
    Attach(new CViewWidget(pParentWnd != nullptr ? pParentWnd->GetWidget() : nullptr), true);
    return TRUE;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

BOOL CView::OnCmdMsg(UINT nID)
{
    return CWnd::OnCmdMsg(nID) || (m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID));
}

void CView::PostNcDestroy() { delete this; }
