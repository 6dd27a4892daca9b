#pragma once
// Every code-page table of a GDI module. Whatever the code page, a table keeps
// the printable ASCII characters where it keeps their bytes: entries 20-7E hold
// U+0020-U+007E. A table is found by those 190 bytes, at any byte offset, when
// all of its 512 bytes lie in the file and its upper half does not hold one and
// the same value throughout. Where the module is a 16-bit executable whose
// resource table can be read, a table that lies inside one of its data
// resources carries that resource's number.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct GdiTable {
    std::int32_t offset = 0; // of entry 0 in the file
    // The number of the data resource that holds all of the table; none
    // without a readable resource table, or outside every data resource.
    std::optional<std::uint16_t> resource;

    bool operator==(const GdiTable&) const = default;
};

// The number by which the user names the table at index, as --table takes it.
inline std::size_t TableNumber(std::size_t index) { return index + 1; }

// The tables of the file, in file order. Reads nothing outside the image.
std::vector<GdiTable> FindGdiTables(std::span<const std::uint8_t> image);

// The table at offset, found or not, with the number of the data resource that
// holds its 512 bytes.
GdiTable GdiTableAt(std::span<const std::uint8_t> image, std::int32_t offset);
