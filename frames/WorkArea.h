#pragma once
// The main window's work area, where the document windows live: the line that
// tells how to begin while it is empty, and document windows that grow again
// to their legible size after the display font has changed.

#include <QList>

class QMdiArea;
class QMdiSubWindow;

// Shows the line in the middle of the area whenever it holds no window.
void ShowHowToBegin(QMdiArea* area);

// The windows at least as large as their views ask for (a window made smaller on
// purpose, by Tile or by hand, is not among them).
QList<QMdiSubWindow*> LegibleWindows(QMdiArea* area);
// Each of the windows that is smaller than its view asks for grows to that size, moving
// up and left as far as it needs to fit the area's visible part; where it cannot, the
// area scrolls to it.
void GrowToLegibleSize(const QList<QMdiSubWindow*>& windows);
