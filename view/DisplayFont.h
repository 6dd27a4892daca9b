#pragma once
// The display font with which the table views draw, and the code page in
// which it shows bytes.

#include "platform/LogFont.h"

// The display font until Edit > Font changes it: 14 units high, Cyrillic
// character set, "Microsoft Sans Serif", everything else 0.
LOGFONT DefaultDisplayFont();

// The main window's display font (TableViewHost.h); the default while there is no main window.
LOGFONT CurrentDisplayFont();

// The code page of the display font's character set ("windows-1251", ...).
const char* DisplayCodePage();
