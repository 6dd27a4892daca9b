#include "document/SourceTable.h"

#include "tables/BuiltInCodePages.h"
#include "tables/CGdiTableHandler.h"

SourceTable ReadSourceTable(const std::string& name, bool kindChosen, std::optional<std::size_t> table)
{
    SourceTable source;
    if (IsMappingTextName(name, kindChosen)) {
        source.outcome = ReadMappingText(name, source.values, source.error) ? SourceTable::read : SourceTable::failed;
        return source;
    }
    CVarnoDoc document;
    if (!document.OnOpenDocument(name.c_str())) {
        return source;
    }
    source.kind = document.m_nKind;
    source.kindChosen = document.m_bKindChosen;
    if (!CVarnoDoc::IsCodePageKind(document.m_nKind)) {
        source.outcome = SourceTable::notCodePage;
        return source;
    }
    if (auto* gdi = dynamic_cast<CGdiTableHandler*>(document.m_pHandler); gdi != nullptr && table) {
        source.tableCount = gdi->Tables().size();
        if (!gdi->SelectTable(*table)) {
            source.outcome = SourceTable::noSuchTable;
            return source;
        }
    }
    source.values = DocumentValues(document);
    source.outcome = SourceTable::read;
    return source;
}

TableValues CodePageValues(const BuiltInCodePage& codePage)
{
    TableValues values;
    for (unsigned byte = 0; byte < 256; ++byte) {
        values[byte] = BuiltInCodePageValue(codePage, static_cast<std::uint8_t>(byte));
    }
    return values;
}
