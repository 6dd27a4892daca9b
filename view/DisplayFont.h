#pragma once
// The display font with which the table views draw, and the code page in
// which it shows bytes.

#include "platform/LogFont.h"

// The main frame's display font; the default while there is no main frame.
LOGFONT CurrentDisplayFont();

// The code page of the display font's character set ("windows-1251", ...).
const char* DisplayCodePage();
