#pragma once
// Edit > Go to Byte (Ctrl+G), Find (Ctrl+F), Find Next (F3) and Find Previous (Shift+F3) in a table
// view: the dialogs, the cell cursor moved to what they name, and the status bar's word on it.
// What Find seeks stays with the view, its cells marked, until another Find (TableSearch.h).

class CVarnoView;

// Asks for a byte 80-FF of a code-page table and moves the cursor to its cell. A keyboard layout
// has no bytes to go to: the status bar says that Find looks for one on its keys.
void GoToByte(CVarnoView& view);
// Asks what to seek, offering the text last sought in any view, marks the cells that hold it and
// moves the cursor to the first of them at or after it; the status bar says which match of how
// many, or that there is none.
void FindInView(CVarnoView& view);
// Moves the cursor to the next match after it (direction +1) or before it (-1), wrapping round.
// A view that seeks nothing yet seeks the text last sought; without one, Find asks.
void FindAgain(CVarnoView& view, int direction);
