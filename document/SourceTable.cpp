#include "document/SourceTable.h"

SourceTable ReadSourceTable(const std::string& name)
{
    SourceTable source;
    if (IsMappingTextName(name)) {
        source.outcome = ReadMappingText(name, source.values, source.error) ? SourceTable::read : SourceTable::failed;
        return source;
    }
    CVarnoDoc document;
    if (!document.OnOpenDocument(name.c_str())) {
        return source;
    }
    source.kind = document.m_nKind;
    if (!CVarnoDoc::IsCodePageKind(document.m_nKind)) {
        source.outcome = SourceTable::notCodePage;
        return source;
    }
    source.values = DocumentValues(document);
    source.outcome = SourceTable::read;
    return source;
}
