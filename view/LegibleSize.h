#pragma once
// The client size at which a table view shows every text of its table whole in
// the display font: the character grid with cells as wide as the widest text a
// cell can hold and rows a line high, or the key table with steps as wide as the
// widest text of a key column (the header taking two) and its seven lines.

#include "platform/LogFont.h"

// kind is a CVarnoDoc kind; 0 x 0 for a document without a table.
SIZE GetLegibleSize(const LOGFONT& logFont, int kind);
