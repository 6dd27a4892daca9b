#include "frames/WorkArea.h"

#include <QEvent>
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

} // namespace

void ShowHowToBegin(QMdiArea* area) { new HowToBegin(area); }

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
        const QSize size = sub->size().expandedTo(wanted);
        const QSize room = sub->mdiArea()->viewport()->size() - size;
        const int x = std::max(0, std::min(sub->x(), room.width()));
        const int y = std::max(0, std::min(sub->y(), room.height()));
        sub->setGeometry(x, y, size.width(), size.height());
    }
}
