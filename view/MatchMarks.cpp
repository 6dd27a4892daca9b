#include "view/MatchMarks.h"

#include "document/CVarnoDoc.h"

#include <QPainter>

namespace {
constexpr int kBorder = 3;
// Apart from the cursor's frame (the highlight colour), and from the cells' white, green and red.
constexpr QColor kMarkColour(255, 140, 0);
} // namespace

MatchMarks::MatchMarks(QWidget* client) : QWidget(client)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void MatchMarks::Seek(std::optional<SearchQuery> query)
{
    m_query = std::move(query);
    m_matches.clear();
}

void MatchMarks::Lay(CVarnoDoc* doc, const std::function<QRect(int entry)>& boxOf)
{
    m_matches.clear();
    if (doc != nullptr && m_query) {
        m_matches = FindEntries(*doc, *m_query);
    }
    QRect bounds;
    for (const int entry : m_matches) {
        bounds |= boxOf(entry);
    }
    m_boxes.clear();
    for (const int entry : m_matches) {
        m_boxes << boxOf(entry).translated(-bounds.topLeft());
    }
    setGeometry(bounds);
    setVisible(!m_boxes.isEmpty());
    update();
}

void MatchMarks::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const QRect& box : m_boxes) {
        painter.fillRect(box.left(), box.top(), box.width(), kBorder, kMarkColour);
        painter.fillRect(box.left(), box.bottom() + 1 - kBorder, box.width(), kBorder, kMarkColour);
        painter.fillRect(box.left(), box.top(), kBorder, box.height(), kMarkColour);
        painter.fillRect(box.right() + 1 - kBorder, box.top(), kBorder, box.height(), kMarkColour);
    }
}
