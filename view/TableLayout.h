#pragma once
// Where the table view puts its texts, shared by the paint and the click tests.
// Everything works inside the table area: the client rectangle with its top
// moved down by a 10-pixel margin. Every rectangle keeps the area's right and
// bottom edges; its left and top edges are where a text starts.

#include "platform/WinTypes.h"

constexpr int kNoHit = -1;

RECT GetTableArea(const RECT& clientRect);
// Row r (0-15) of the character grid: its label starts at the area's left edge.
RECT GetRowLabelRect(const RECT& area, int row);
// Byte b (0x80-0xFF): row b/8 - 16, column b mod 8 right of the 75-pixel label column.
RECT GetCharCellRect(const RECT& area, int byte);
// Key i (0-13): the width is cut into 16 steps, the header takes the first two.
RECT GetKeyColumnRect(const RECT& area, int key);

// The byte whose cell the point lies in, strictly right of and below the cell's
// top-left corner, the highest such byte when cells coincide; kNoHit when none.
int HitTestChar(const RECT& area, POINT point);
// The key whose column the point lies in, below the area's top; kNoHit when none.
int HitTestKey(const RECT& area, POINT point);
