#pragma once
// The display font with which the table views draw, the code page in which it
// shows bytes, and what the cells of a code-page table show as their letter.

#include "platform/LogFont.h"

// The letter of a code-page table's cell: the character of the entry's value, so that the
// grid tells what the table holds, or the byte in the display font's character set, to
// compare a table with the code page it should carry. Keys always show their bytes.
enum class Letters { tableCharacters = 0, displayCodePage = 1 };

// The display font until Edit > Font changes it: 14 units high, Cyrillic
// character set, "Microsoft Sans Serif", everything else 0.
LOGFONT DefaultDisplayFont();

// The main window's display font (TableViewHost.h); the default while there is no main window.
LOGFONT CurrentDisplayFont();

// The code page of the display font's character set ("windows-1251", ...).
const char* DisplayCodePage();

// The main window's choice of letters (TableViewHost.h); the table's characters while there is
// no main window.
Letters CurrentLetters();
