#pragma once
// The main window's work area, where the document windows live: the line that
// tells how to begin while it is empty, Ctrl+Tab through the windows in turn, and
// document windows at the size at which their tables are legible: when they open,
// when cascaded, and grown again after the display font has changed.

#include <QList>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

// Shows the line in the middle of the area whenever it holds no window.
void ShowHowToBegin(QMdiArea* area);

// Ctrl+Tab (or Ctrl+F6) in the window visits every document window in the order they were opened,
// with Shift backwards: the toolkit's own Ctrl+Tab only goes back to the window active before.
void VisitWindowsInTurn(QMdiArea* area, QWidget* window);

// A new window takes the size its view asks for, moved up and left as far as it needs to fit the area.
void OpenAtLegibleSize(QMdiSubWindow* sub);
// Window > Cascade: each window at the size its view asks for, one title bar lower and further
// right than the one below it (the active window, on top, comes last); a window that would
// reach past the bottom starts again at the top.
void CascadeLegibly(QMdiArea* area);

// The windows at least as large as their views ask for (a window made smaller on
// purpose, by Tile or by hand, is not among them).
QList<QMdiSubWindow*> LegibleWindows(QMdiArea* area);
// Each of the windows that is smaller than its view asks for grows to that size, moving
// up and left as far as it needs to fit the area's visible part; where it cannot, the
// area scrolls to it.
void GrowToLegibleSize(const QList<QMdiSubWindow*>& windows);
