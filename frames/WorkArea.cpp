#include "frames/WorkArea.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// The line, kept in the middle of the area and shown while no window is there.
class HowToBegin : public QLabel {
public:
    explicit HowToBegin(QMdiArea* area)
        : QLabel(QStringLiteral("Open a file with File > Open, or drop one here."), area->viewport()), m_area(area)
    {
        setObjectName(QStringLiteral("howToBegin"));
        setTextFormat(Qt::PlainText);
        setForegroundRole(QPalette::Light);
        adjustSize();
        area->viewport()->installEventFilter(this);
        // Once the area has taken the window in or let the last one go.
        connect(area, &QMdiArea::subWindowActivated, this, &HowToBegin::Update, Qt::QueuedConnection);
        Update();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) {
            Update();
        }
        return false;
    }

private:
    void Update()
    {
        move((m_area->viewport()->width() - width()) / 2, (m_area->viewport()->height() - height()) / 2);
        setVisible(m_area->subWindowList().isEmpty());
    }

    QMdiArea* m_area;
};

// The size that the window's view asks for; invalid for a view that asks for none.
QSize WantedSize(const QMdiSubWindow* sub)
{
    const QWidget* view = sub->widget();
    const bool asks = view != nullptr && view->sizeHint().isValid();
    const bool placed = !sub->isMinimized() && !sub->isMaximized();
    return asks && placed ? sub->sizeHint() : QSize();
}

// The window at the size, moved up and left as far as it needs to fit the area's visible part.
void PlaceAtSize(QMdiSubWindow* sub, QSize size)
{
    const QSize room = sub->mdiArea()->viewport()->size() - size;
    const int x = std::max(0, std::min(sub->x(), room.width()));
    const int y = std::max(0, std::min(sub->y(), room.height()));
    sub->setGeometry(x, y, size.width(), size.height());
}

} // namespace

void ShowHowToBegin(QMdiArea* area) { new HowToBegin(area); }

void VisitWindowsInTurn(QMdiArea* area, QWidget* window)
{
    auto* next = new QAction(window);
    next->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_F6)});
    QObject::connect(next, &QAction::triggered, area, &QMdiArea::activateNextSubWindow);
    auto* previous = new QAction(window);
    previous->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)});
    QObject::connect(previous, &QAction::triggered, area, &QMdiArea::activatePreviousSubWindow);
    window->addActions({next, previous});
}

void OpenAtLegibleSize(QMdiSubWindow* sub)
{
    const QSize wanted = WantedSize(sub);
    if (wanted.isValid()) {
        PlaceAtSize(sub, wanted);
    }
}

void CascadeLegibly(QMdiArea* area)
{
    const int bottom = area->viewport()->height();
    QPoint corner(0, 0);
    for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::StackingOrder)) {
        if (sub->isHidden() || sub->isMinimized()) {
            continue;
        }
        sub->showNormal();
        QSize size = sub->size();
        if (const QSize wanted = WantedSize(sub); wanted.isValid()) {
            size = wanted;
        }
        if (corner.y() > 0 && corner.y() + size.height() > bottom) {
            corner.setY(0);
        }
        sub->setGeometry(QRect(corner, size));
        // One title bar: the height above the view.
        const int step = sub->widget()->y();
        corner += QPoint(step, step);
    }
}

QList<QMdiSubWindow*> LegibleWindows(QMdiArea* area)
{
    QList<QMdiSubWindow*> legible;
    for (QMdiSubWindow* sub : area->subWindowList()) {
        const QSize wanted = WantedSize(sub);
        if (wanted.isValid() && sub->width() >= wanted.width() && sub->height() >= wanted.height()) {
            legible << sub;
        }
    }
    return legible;
}

void GrowToLegibleSize(const QList<QMdiSubWindow*>& windows)
{
    for (QMdiSubWindow* sub : windows) {
        const QSize wanted = WantedSize(sub);
        if (!wanted.isValid()) {
            continue;
        }
        PlaceAtSize(sub, sub->size().expandedTo(wanted));
    }
}
