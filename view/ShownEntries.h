#pragma once
// What the cells of a table view show, read from the document: a cell's text and colour
// follow from its entry's values alone, so two readings tell which cells an edit changed.

#include <cstdint>
#include <vector>

class CVarnoDoc;

struct ShownEntry {
    // A code-page entry's Unicode value; a key's low byte and, above it, its high byte.
    std::uint16_t value = 0;
    // The byte that the value maps back to (NT and 9x code-page files); a key's caps lock.
    std::uint8_t back = 0;
    // Changed since loading (green).
    std::uint8_t modified = 0;

    bool operator==(const ShownEntry&) const = default;
};

// The entries in the order of the view's cells: bytes 0x80-0xFF of a code-page table, keys
// 0-13 of a keyboard layout; none for a document without a table.
std::vector<ShownEntry> ReadShownEntries(CVarnoDoc& doc);

// The cells, numbered from 0, whose entries differ between two readings of one table.
std::vector<int> ChangedCells(const std::vector<ShownEntry>& before, const std::vector<ShownEntry>& after);
