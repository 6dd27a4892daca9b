#pragma once
// The table that a take or a comparison reads its values from: a mapping
// text, or a code-page file or GDI module loaded as the editor opens files,
// into a document of its own that no window shows and no change reaches; or
// a built-in code page.

#include "document/CVarnoDoc.h"
#include "document/MappingText.h"

#include <optional>
#include <string>

struct BuiltInCodePage;

struct SourceTable {
    enum Outcome {
        read,
        failed,
        notCodePage, // a file of a kind without a code-page table: a keyboard layout
        noSuchTable, // a GDI module without the table asked for
    };
    Outcome outcome = failed;
    TableValues values;
    // The kind that the file's name makes, or that was chosen for it (kindChosen); kindUndefined for a mapping text.
    int kind = CVarnoDoc::kindUndefined;
    bool kindChosen = false;
    // Why a mapping text could not be read. Empty for a file that could not be
    // loaded: the document has said why, as it does when a file is opened.
    std::string error;
    // The tables of a GDI module.
    std::size_t tableCount = 0;
};

// The table that name gives: a mapping text when IsMappingTextName says so,
// otherwise the file. With kindChosen, the application chooses the kind of a
// file whose name makes none (KindChooser.h), so only "-" and ".txt" names are mapping texts.
// Of a GDI module, the table at index table when one is given, else the one it opens on.
SourceTable ReadSourceTable(const std::string& name, bool kindChosen = false,
                            std::optional<std::size_t> table = std::nullopt);

// The values of a built-in code page. A byte that it leaves undefined has none,
// as a mapping text's #UNDEFINED, and so keeps its own in a take.
TableValues CodePageValues(const BuiltInCodePage& codePage);
