#include "cli/CVarnoTableApp.h"
#include "document/SourceTable.h"
#include "document/TableListing.h"

bool CVarnoTableApp::ReadTableValues(const std::string& name, const char* command, TableValues& values)
{
    // A file that cannot be read is told in the same words as for every command; what the document
    // says of a file that it refuses comes as a message box naming m_currentFile.
    if (name != "-" && !CanOpen(name)) {
        return false;
    }
    m_currentFile = name;
    SourceTable source = ReadSourceTable(name, m_chosenKind != CVarnoDoc::kindUndefined);
    m_currentFile.clear();
    if (source.outcome == SourceTable::notCodePage) {
        Error(name, std::string(command) + " takes code-page files, GDI modules and mapping texts; "
                        + KindOrigin(source.kind, source.kindChosen));
    } else if (!source.error.empty()) {
        Error(name, source.error);
    }
    values = source.values;
    return source.outcome == SourceTable::read;
}
