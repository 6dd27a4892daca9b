#pragma once
// A whole-table take: the bytes of a range of code-page tables take the values
// that a source table gives them, as one change of every table. varno-table
// apply and the editor's Take Table From both go through TakeTable, so the same
// source gives the same bytes.

#include "document/MappingText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CVarnoDoc;

// The bytes first to last, both included.
struct ByteRange {
    unsigned first = 0x80;
    unsigned last = 0xFF;
};

struct TakeResult {
    enum Refusal {
        none,
        notCodePage, // the target holds no code-page table: a keyboard layout
        keptHolder,  // a byte would take a value that a byte which the take leaves alone holds
        noRoom,      // a 9x file whose rebuilt reverse table would not fit
        tableLost,   // a GDI module whose table the search would no longer find
    };
    Refusal refusal = none;
    // For keptHolder: the byte, the value it would take, and the byte that
    // holds that value and keeps it.
    std::uint8_t byte = 0;
    std::uint16_t unicode = 0;
    std::uint8_t holder = 0;
    // The entries whose value the take changed.
    int changedEntries = 0;

    bool Taken() const { return refusal == none; }
};

// What a take into several targets did: a result for each, in their order.
struct TakeResults {
    std::vector<TakeResult> targets;
    // The first target that refused, whose result says why; no target changed then.
    std::optional<std::size_t> refused;

    bool Taken() const { return !refused; }
};

// Gives every byte of the range for which the source has a value that value,
// in each target, in one AssignAll: an NT file's reverse entries then name
// each byte of the range for its new value, a 9x file's reverse table is
// rebuilt once. Every target is asked before any changes: all take the table,
// or none does.
//
// A target refuses when it holds no code-page table,
// when its table cannot take the change, and when a byte would take a value
// that a byte which the take leaves alone holds (one outside the range, or
// one the source gives no value): that byte would no longer convert back to
// itself, since an NT file's reverse entry, and a 9x file's highest holder,
// would name the other byte. So the lower half keeps its round trip.
//
// The entries whose value changed turn modified (green); the others keep
// their flags. When any byte of a file changed, its document is marked
// modified and all its views are asked to update.
TakeResults TakeTable(const std::vector<CVarnoDoc*>& targets, const TableValues& source, ByteRange range);

// Why the take was refused, as a clause: "its table has no room for this change".
std::string TakeRefusalReason(const TakeResult& result);
