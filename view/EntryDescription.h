#pragma once
// What the status bar and the tooltips say about one entry of a table view, in
// parts that the status bar joins with " · " and a tooltip puts on lines of
// their own. Whichever letter the cells show (View > Letters), these parts name both
// the byte's glyph in the display font's character set and the table's character.

#include <QStringList>

class CVarnoDoc;

// The key's name as the key table shows it ("7 &"); empty outside 0-13.
QString KeyName(int key);

// entry is a byte of a code-page table or a key number (0-13) of a keyboard
// layout; bytes show their glyphs in codePage, the display font's code page.
//   C0 · А in windows-1251 · U+00C0 À LATIN CAPITAL LETTER A WITH GRAVE · maps back to C0
//   Key 3 # · low 33 (3), high B9 (№) in windows-1251 · CapsLock off
// A GDI module keeps no reverse table, so its entries say nothing of mapping
// back. Empty for a document without a table or an entry outside it.
QStringList DescribeEntry(CVarnoDoc& doc, int entry, const char* codePage);

// What a key's tooltip adds: a layout holds bytes and no table of its own, so its keys show
// them in the display code page whatever the cells of code-page tables show.
QString KeyBytesNote(const char* codePage);
