#pragma once
// Edit > Copy (Ctrl+C), Edit > Copy Table and File > Export Mapping in a table view. Copy takes
// the cursor cell's description, as the status bar shows it; Copy Table and Export take the whole
// table as varno-table prints it: a code-page table as a mapping text (export), a keyboard layout
// as a list of its keys (show), its bytes' characters in the display code page.

class CVarnoView;

void CopyCursorEntry(CVarnoView& view);
void CopyTable(CVarnoView& view);
// Asks for a file beside the table's, then writes the text there as a save does, whole or not
// at all. A file that is open in the editor is refused; a failure is told in a message.
void ExportMapping(CVarnoView& view);
