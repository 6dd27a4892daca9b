#pragma once
// Edit > Take Table From: the active document, or every open table, takes a
// whole range of another table in one step, by the rule that varno-table apply
// follows (TakeTable).

class CVarnoDoc;

// A keyboard layout, a file without a table, or a reference, is refused with a
// message. Otherwise the dialog asks for the source and the bytes, the source
// is read (a keyboard layout refused), and the target takes the table; or, when
// the user asks for it, every open code-page file and GDI module but the source
// and the references does, all or none. That is one step of the edit history.
// A message tells how many entries of each file changed, or which file refused
// and why, and then nothing changed.
void TakeTableInto(CVarnoDoc& target);
