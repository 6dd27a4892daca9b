#pragma once
// View > Letters, what the cells of code-page tables show (view/DisplayFont.h): the
// choice kept in the settings file beside the recent-file list, and its two radio items.

#include "view/DisplayFont.h"

class QMenu;

// The kept choice; the table's characters when none is kept, when the entry holds
// anything else, and when the settings cannot be read.
Letters ReadLettersSetting();
// Keeps the choice for the next start; settings that cannot be written keep nothing.
void WriteLettersSetting(Letters letters);

// The menu's two Letters items as radio items with the current one chosen. Other items,
// and the items of other menus, are left as they are.
void CheckLettersItems(QMenu& menu, Letters current);
