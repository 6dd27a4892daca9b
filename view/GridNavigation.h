#pragma once
// Where a key moves the cell cursor of a table view. The cells are numbered
// from 0 in reading order, in rows of `columns` cells: the character grid has
// 16 rows of 8, the key table one row of 14.
//   Left, Right      the cell before or after, on into the row above or below
//   Up, Down         the cell above or below
//   Home, End        the first or last cell of the row
//   Page Up, Down    the cell of the same column in the first or last row
//   Ctrl+Home, End   the first or last cell of the table
// A move that would leave the table keeps the cursor where it is.

// The cell that the key (a Qt::Key) moves the cursor to; -1 for a key that does not move it.
int MoveInGrid(int cell, int count, int columns, int key, bool control);
