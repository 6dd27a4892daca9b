#pragma once
// The Edit menu's items that change with the editor's state. Undo and Redo name the step they
// would take ("Undo Change C0 to 0410") and are greyed without one, following the edit history
// from the first time the menu opens; Reference Only is checked, as the menu opens, while the
// active document is a reference, and Take Table From greyed then. Go to Byte is greyed on a
// keyboard layout, which has keys and no bytes to go to.

class CVarnoDoc;
class EditHistory;
class QMenu;

// Items of other menus, and other items, are left as they are. active may be null.
void UpdateEditMenu(QMenu& menu, EditHistory& history, const CVarnoDoc* active);
