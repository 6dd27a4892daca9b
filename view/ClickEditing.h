#pragma once
// Editing by a left click in a table view. CVarnoView::OnLButtonDown calls
// EditAtPoint with the click and then passes the message on to Default().
// A click in a key table edits that key of the clicked layout; a click in a
// character grid edits that byte and applies the change to every open document.

#include "platform/WinTypes.h"

class CView;
class CVarnoDoc;

// The view's document must be a CVarnoDoc; with any other, or none, nothing happens.
// point is in the view's client coordinates.
void EditAtPoint(CView& view, POINT point);

// "Change key" for the key in the area's column under the point; on OK the
// key takes the three values, the document is marked modified and all its
// views repaint. Nothing without a hit or on Cancel.
void EditKeyAtPoint(CVarnoDoc& doc, const RECT& area, POINT point);

// "Change char" for the byte whose cell is under the point; on OK the change
// goes to every open document (PropagateCharChange). When an open file cannot
// take it, a stop message names that file and nothing is changed.
void EditCharAtPoint(CVarnoDoc& doc, const RECT& area, POINT point);
