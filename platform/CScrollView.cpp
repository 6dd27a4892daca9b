#include "platform/CScrollView.h"

#include "platform/CDC.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {
// The window of a scroll view: the view draws and takes the mouse in the client area inside the
// scroll bars. Its view lives as long as it does.
class CScrollViewWidget : public CWindowWidget<QAbstractScrollArea> {
public:
    explicit CScrollViewWidget(QWidget* parent) : CWindowWidget<QAbstractScrollArea>(parent)
    {
        // The client area is all of the window but for the scroll bars.
        setFrameShape(QFrame::NoFrame);
        viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::ClickFocus);
    }

    QSize sizeHint() const override
    {
        const SIZE total = View().GetTotalSize();
        if (total.cx <= 0 || total.cy <= 0) {
            return QAbstractScrollArea::sizeHint();
        }
        return QSize(total.cx, total.cy);
    }

    // The scroll bars reach over what the total size holds beyond the client area. As in the
    // framework, a bar shows only where the drawing does not fit without it, whatever shows now:
    // a window that grows to the total size exactly loses both.
    void UpdateScrollBars()
    {
        const SIZE total = View().GetTotalSize();
        const QSize whole = maximumViewportSize();
        const int barWidth = verticalScrollBar()->sizeHint().width();
        const int barHeight = horizontalScrollBar()->sizeHint().height();
        bool horizontal = total.cx > whole.width();
        const bool vertical = total.cy > whole.height() - (horizontal ? barHeight : 0);
        horizontal = horizontal || total.cx > whole.width() - (vertical ? barWidth : 0);
        const QSize client(whole.width() - (vertical ? barWidth : 0), whole.height() - (horizontal ? barHeight : 0));
        UpdateScrollBar(*horizontalScrollBar(), total.cx, client.width());
        UpdateScrollBar(*verticalScrollBar(), total.cy, client.height());
    }

protected:
    // Erases with the window colour and hands the painting to OnDraw, the origin at the scroll position.
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(viewport());
        // The clip tells OnDraw what it may leave out (CDC::RectVisible).
        painter.setClipRegion(event->region());
        const QColor window = palette().color(QPalette::Base);
        for (const QRect& part : event->region()) {
            painter.fillRect(part, window);
        }
        painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
        CDC dc(&painter);
        View().OnDraw(&dc);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) {
            QAbstractScrollArea::mousePressEvent(event);
            return;
        }
        CScrollView& view = View();
        if (const AFX_MSGMAP_ENTRY* entry = view.FindMessageEntry(WM_LBUTTONDOWN, 0)) {
            const QPoint point = event->position().toPoint();
            entry->pfnLButtonDown(view, MK_LBUTTON, POINT{point.x(), point.y()});
        }
    }

    void resizeEvent(QResizeEvent*) override { UpdateScrollBars(); }

    // The pixels that stay in view move, and so do the client area's child windows.
    void scrollContentsBy(int dx, int dy) override { viewport()->scroll(dx, dy); }

    // Keys are the view's own, as in the window system: the scroll bars do not take them.
    void keyPressEvent(QKeyEvent* event) override { QWidget::keyPressEvent(event); }

private:
    CScrollView& View() const { return *static_cast<CScrollView*>(CWnd::FromHandle(this)); }

    static void UpdateScrollBar(QScrollBar& bar, LONG total, int client)
    {
        bar.setRange(0, std::max(0, total - client));
        bar.setPageStep(client);
        // A tenth of the page a line, as the framework does by default.
        bar.setSingleStep(std::max(1, client / 10));
    }
};
} // namespace

void CScrollView::SetScrollSizes(int, SIZE sizeTotal)
{
    if (sizeTotal.cx == m_totalLog.cx && sizeTotal.cy == m_totalLog.cy) {
        return;
    }
    m_totalLog = sizeTotal;
    if (auto* window = static_cast<CScrollViewWidget*>(GetWidget())) {
        window->UpdateScrollBars();
        window->updateGeometry();
    }
}

SIZE CScrollView::GetTotalSize() const { return m_totalLog; }

POINT CScrollView::GetScrollPosition() const
{
    const auto* window = static_cast<const QAbstractScrollArea*>(GetWidget());
    if (window == nullptr) {
        return POINT{0, 0};
    }
    return POINT{window->horizontalScrollBar()->value(), window->verticalScrollBar()->value()};
}

void CScrollView::ScrollToPosition(POINT pt)
{
    if (auto* window = static_cast<QAbstractScrollArea*>(GetWidget())) {
        window->horizontalScrollBar()->setValue(pt.x);
        window->verticalScrollBar()->setValue(pt.y);
    }
}

QWidget* CScrollView::CreateViewWidget(QWidget* parent) { return new CScrollViewWidget(parent); }
