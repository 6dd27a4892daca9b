#include "view/CellFocusFrame.h"

#include <QPainter>

namespace {
constexpr int kBorder = 2;
}

CellFocusFrame::CellFocusFrame(QWidget* view) : QWidget(view)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void CellFocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor colour = palette().color(QPalette::Highlight);
    painter.fillRect(0, 0, width(), kBorder, colour);
    painter.fillRect(0, height() - kBorder, width(), kBorder, colour);
    painter.fillRect(0, 0, kBorder, height(), colour);
    painter.fillRect(width() - kBorder, 0, kBorder, height(), colour);
}
