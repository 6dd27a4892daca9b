#include "view/GridNavigation.h"

#include <Qt>

int MoveInGrid(int cell, int count, int columns, int key, bool control)
{
    const int column = cell % columns;
    const int rowStart = cell - column;
    const int lastRowStart = (count - 1) / columns * columns;
    int target = cell;
    switch (key) {
    case Qt::Key_Left: target = cell - 1; break;
    case Qt::Key_Right: target = cell + 1; break;
    case Qt::Key_Up: target = cell - columns; break;
    case Qt::Key_Down: target = cell + columns; break;
    case Qt::Key_Home: target = control ? 0 : rowStart; break;
    case Qt::Key_End: target = control ? count - 1 : rowStart + columns - 1; break;
    case Qt::Key_PageUp: target = column; break;
    case Qt::Key_PageDown: target = lastRowStart + column; break;
    default: return -1;
    }
    if (target < 0 || target >= count) {
        return cell;
    }
    return target;
}
