#pragma once
// The frame that marks the cell cursor of a table view: a widget of its own
// laid over the cursor's cell, transparent to the mouse, that draws only a
// border, so that the view draws its cells as ever beneath it.

#include <QWidget>

class CellFocusFrame : public QWidget {
public:
    explicit CellFocusFrame(QWidget* view);

protected:
    void paintEvent(QPaintEvent* event) override;
};
