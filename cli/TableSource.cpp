#include "cli/CVarnoTableApp.h"
#include "document/SourceTable.h"
#include "document/TableListing.h"

bool CVarnoTableApp::ReadTableValues(const std::string& name, const char* command, TableValues& values,
                                     bool pickTable)
{
    // A file that cannot be read is told in the same words as for every command; what the document
    // says of a file that it refuses comes as a message box naming m_currentFile.
    if (name != "-" && !CanOpen(name)) {
        return false;
    }
    m_currentFile = name;
    const std::optional<std::size_t> table = pickTable && m_table ? std::optional<std::size_t>(*m_table - 1) : std::nullopt;
    SourceTable source = ReadSourceTable(name, m_chosenKind != CVarnoDoc::kindUndefined, table);
    m_currentFile.clear();
    if (source.outcome == SourceTable::notCodePage) {
        Error(name, std::string(command) + " takes code-page files, GDI modules and mapping texts; "
                        + KindOrigin(source.kind, source.kindChosen));
    } else if (source.outcome == SourceTable::noSuchTable) {
        Error(name, NoSuchTable(source.tableCount));
    } else if (!source.error.empty()) {
        Error(name, source.error);
    }
    values = source.values;
    return source.outcome == SourceTable::read;
}
