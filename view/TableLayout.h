#pragma once
// Where the table view puts its texts, shared by the paint and the click tests.
// Everything works inside the table area: the drawing's rectangle with its top
// moved down by a 10-pixel margin. Every rectangle keeps the area's right and
// bottom edges; its left and top edges are where a text starts. The character
// grid has a line of column headers above its 16 rows.

#include "platform/WinTypes.h"

constexpr int kNoHit = -1;

// The whole drawing of a view that scrolls, in the client area's pixels: the client
// rectangle grown to the total size where it is smaller, so that a table keeps the
// size at which it is legible, and moved up and left by the scroll position.
RECT GetDrawingRect(const RECT& clientRect, SIZE totalSize, POINT scrollPosition);
RECT GetTableArea(const RECT& drawingRect);
// Column k (0-7) of the character grid: its header, on the area's top line, where its cells start.
RECT GetColumnHeaderRect(const RECT& area, int column);
// Row r (0-15) of the character grid: its label starts at the area's left edge.
RECT GetRowLabelRect(const RECT& area, int row);
// Byte b (0x80-0xFF): row b/8 - 16, column b mod 8 right of the 75-pixel label column.
RECT GetCharCellRect(const RECT& area, int byte);
// Key i (0-13): the width is cut into 16 steps, the header takes the first two.
RECT GetKeyColumnRect(const RECT& area, int key);

// The drawing sizes at which those formulas give character-grid cells cellWidth wide
// and rows (the header's line too) lineHeight high, or key-table steps stepWidth wide
// and the key table's seven lines lineHeight high, exactly.
SIZE GetCharGridClientSize(LONG cellWidth, LONG lineHeight);
SIZE GetKeyTableClientSize(LONG stepWidth, LONG lineHeight);

// The byte whose cell the point lies in, strictly right of and below the cell's
// top-left corner, the highest such byte when cells coincide; kNoHit when none.
int HitTestChar(const RECT& area, POINT point);
// The key whose column the point lies in, below the area's top; kNoHit when none.
int HitTestKey(const RECT& area, POINT point);

// The whole cell of byte b: from its corner to the corners of the next column
// and the next row, or to the area's edges in the last column and row.
RECT GetCharCellBox(const RECT& area, int byte);
// The whole column of key i: from its edge to the next key's, or to the area's
// right edge for the last key, down the whole area.
RECT GetKeyColumnBox(const RECT& area, int key);
