#pragma once
// The Edit menu's items that change with the editor's state, set as the menu opens: Undo and
// Redo name the step they would take ("Undo Change C0 to 0410") and are greyed without one;
// Reference Only is checked while the active document is a reference.

class CVarnoDoc;
class EditHistory;
class QMenu;

// Items of other menus, and other items, are left as they are. active may be null.
void UpdateEditMenu(QMenu& menu, const EditHistory& history, const CVarnoDoc* active);
