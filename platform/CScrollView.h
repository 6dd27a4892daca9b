#pragma once
// A view that scrolls, the framework's view with scroll bars: SetScrollSizes
// gives the size of the whole drawing; while the client area is smaller, scroll
// bars show and move the drawing under it. OnDraw draws in logical units, from
// the drawing's top left; the client rectangle and the points of mouse messages
// are in the client area's pixels, the scroll position apart. MM_TEXT is the
// only mapping mode: a logical unit is a pixel. Keys do not scroll the view;
// the mouse wheel does.

#include "platform/CView.h"

class CScrollView : public CView {
public:
    // The total size becomes the window's size hint and the scroll bars' reach.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal);
    // The size given to SetScrollSizes; 0 x 0 before.
    SIZE GetTotalSize() const override;
    // The logical point at the client area's top left.
    POINT GetScrollPosition() const;
    // Scrolls the point to the client area's top left, or as near as the scroll bars reach.
    void ScrollToPosition(POINT pt);

protected:
    QWidget* CreateViewWidget(QWidget* parent) override;

private:
    SIZE m_totalLog{0, 0};
};
