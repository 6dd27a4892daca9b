#include "cli/CVarnoTableApp.h"
#include "cli/TableListing.h"
#include "document/CVarnoDoc.h"

bool CVarnoTableApp::ReadTableValues(const std::string& name, const char* command, TableValues& values)
{
    if (IsMappingTextName(name)) {
        if (name != "-" && !CanOpen(name)) {
            return false;
        }
        std::string error;
        if (!ReadMappingText(name, values, error)) {
            Error(name, error);
            return false;
        }
        return true;
    }
    CVarnoDoc* document = Open(name);
    if (document == nullptr) {
        return false;
    }
    if (!CVarnoDoc::IsCodePageKind(document->m_nKind)) {
        Error(name, std::string(command) + " takes code-page files, GDI modules and mapping texts; the name makes this "
                        + KindWithArticle(document->m_nKind));
        return false;
    }
    values = DocumentValues(*document);
    return true;
}
