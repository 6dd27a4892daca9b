#pragma once
// Editing by a left click in a table view. The hops of one click:
//   1. widget event: the view's widget turns the mouse press into WM_LBUTTONDOWN
//      (platform/CScrollView.cpp);
//   2. message map: ON_WM_LBUTTONDOWN routes it to CVarnoView::OnLButtonDown, which
//      calls EditAtPoint and then passes the message on to Default();
//   3. hit test: HitTestChar or HitTestKey (view/TableLayout.h) names the byte or key;
//   4. dialog: "Change char" or "Change key", run modally;
//   5. propagation: a character change goes to every open document
//      (document/PropagateCharChange.h), a key change to the clicked layout;
//   6. repaint: each changed document asks its views to update.

#include "platform/WinTypes.h"

#include <cstdint>

class CVarnoDoc;
class CVarnoView;

// With no document nothing happens; in a reference, the status bar says how to make it
// editable. point is in the view's client coordinates, at any scroll position.
void EditAtPoint(CVarnoView& view, POINT point);

// "Change key" for the key in the area's column under the point; on OK the
// key takes the three values and all the document's views repaint, as one
// step of the application's edit history; the document is marked modified
// when a value changed. Nothing without a hit or on Cancel.
void EditKeyAtPoint(CVarnoDoc& doc, const RECT& area, POINT point);

// "Change char" for the byte whose cell is under the point; on OK the change
// goes to every open document (PropagateCharChange), as one step of the
// application's edit history. When an open file cannot take it, a stop message
// names that file and nothing is changed.
void EditCharAtPoint(CVarnoDoc& doc, const RECT& area, POINT point);

// The change that "Change char" confirmed (PropagateCharChange, whose letters these are), made
// to every open document as one step of the application's edit history; when an open file
// cannot take it, a stop message names that file and nothing is changed.
void ChangeCharEverywhere(std::uint8_t b, std::uint8_t n, std::uint16_t u, std::uint8_t p, std::uint16_t o);
