#pragma once
// Edit > Take Table From: the active document takes a whole range of another
// table in one step, by the rule that varno-table apply follows (TakeTable).

class CVarnoDoc;

// A keyboard layout, or a file without a table, is refused with a message.
// Otherwise the dialog asks for the source and the bytes, the source is read
// (a keyboard layout refused), and the target takes the table; only the
// target changes, as one step of the edit history. A message tells how many
// entries changed, or why nothing did.
void TakeTableInto(CVarnoDoc& target);
