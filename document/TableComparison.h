#pragma once
// Where tables disagree, byte by byte: the rule that varno-table diff and the Compare
// window share. A byte disagrees when any two of its values that are compared differ; a
// value differs from the first one compared. A byte that a built-in code page leaves
// undefined is not compared with it: a take of the code page leaves that byte as it is.

#include "document/MappingText.h"

#include <cstdint>
#include <vector>

struct BuiltInCodePage;

struct ComparedTable {
    TableValues values;
    // A built-in code page, which has no say where it leaves a byte undefined.
    bool undefinedHasNoSay = false;
};

// The 256 values of a built-in code page; none for a byte that it leaves undefined.
ComparedTable CodePageTable(const BuiltInCodePage& codePage);

// For each table, whether its value at the byte differs from the first value compared
// there; all false when the tables agree.
std::vector<bool> DifferingTables(const std::vector<ComparedTable>& tables, std::uint8_t byte);

// Whether any of the tables differs at the byte.
bool TablesDisagree(const std::vector<ComparedTable>& tables, std::uint8_t byte);
