#include "document/TableComparison.h"

#include "document/SourceTable.h"

#include <algorithm>

namespace {

bool Compared(const ComparedTable& table, std::uint8_t byte)
{
    return table.values[byte].has_value() || !table.undefinedHasNoSay;
}

} // namespace

ComparedTable CodePageTable(const BuiltInCodePage& codePage) { return {CodePageValues(codePage), true}; }

std::vector<bool> DifferingTables(const std::vector<ComparedTable>& tables, std::uint8_t byte)
{
    std::vector<bool> differs(tables.size(), false);
    const auto first = std::ranges::find_if(tables, [byte](const ComparedTable& table) { return Compared(table, byte); });
    if (first == tables.end()) {
        return differs;
    }
    for (std::size_t i = 0; i < tables.size(); ++i) {
        differs[i] = Compared(tables[i], byte) && tables[i].values[byte] != first->values[byte];
    }
    return differs;
}

bool TablesDisagree(const std::vector<ComparedTable>& tables, std::uint8_t byte)
{
    return std::ranges::any_of(DifferingTables(tables, byte), [](bool differs) { return differs; });
}
