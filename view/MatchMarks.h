#pragma once
// The marks of Find's matches in a table view: one widget over the cells that hold what the view
// seeks, transparent to the mouse, that tints each of them and draws a border round it, so that
// the view draws its cells as ever beneath it. A child of the client area, it moves with the cells as the
// view scrolls. It finds the matches afresh whenever it is laid, so that they follow every edit.

#include "view/TableSearch.h"

#include <QList>
#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class MatchMarks : public QWidget {
public:
    explicit MatchMarks(QWidget* client);

    // What this view seeks from now on; nothing clears the marks.
    void Seek(std::optional<SearchQuery> query);
    const std::optional<SearchQuery>& Query() const { return m_query; }
    // The entries that held it when the marks were last laid, in reading order.
    const std::vector<int>& Matches() const { return m_matches; }

    // Finds the matches in the document and marks them; boxOf gives an entry's box in the client's pixels.
    void Lay(CVarnoDoc* doc, const std::function<QRect(int entry)>& boxOf);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<SearchQuery> m_query;
    std::vector<int> m_matches;
    // The matches' boxes in this widget's pixels.
    QList<QRect> m_boxes;
};
