#include "view/MatchMarks.h"

#include "document/CVarnoDoc.h"

#include <QPainter>

namespace {
// Apart from the cursor's frame (the highlight colour), and from the cells' white, green and red: a
// thin border, and a tint light enough for the text and the cell's colour to show through.
constexpr QColor kMarkColour(255, 140, 0);
constexpr QColor kTint(255, 140, 0, 70);
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
    painter.setPen(kMarkColour);
    for (const QRect& box : m_boxes) {
        painter.fillRect(box, kTint);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    }
}
