#pragma once
// The code-page table embedded in a GDI module: 256 little-endian words at no
// fixed place, found by the Unicode values of the Cyrillic capitals A to DE
// where the table keeps the bytes 0xC0 to 0xC4. There is no reverse table.

#include "tables/CTableHandler.h"

class CGdiTableHandler : public CTableHandler {
public:
    // The ten bytes that the entries of the bytes 0xC0 to 0xC4 hold: U+0410 to U+0414.
    static constexpr std::uint8_t kSignature[10] = {0x10, 0x04, 0x11, 0x04, 0x12, 0x04, 0x13, 0x04, 0x14, 0x04};
    static constexpr std::int32_t kSignatureOffset = 2 * 0xC0;
    static constexpr std::int32_t kTableSize = 512;

    CGdiTableHandler();

    std::uint8_t ReverseLookup(std::uint16_t unicode) override;
    std::uint16_t Lookup(std::uint8_t byte) override;
    void Assign(std::uint8_t byte, std::uint16_t unicode) override;
    // True once a table has been found and all of it lies inside the file's bytes.
    bool IsImageLongEnough() const override;
    // Refuses, besides writes past the file's end, any sequence after which
    // KeepsTableFindable is false.
    bool CanAssign(const std::vector<TableAssignment>& sequence) const override;
    // Whether the search would still find this table after the sequence: the
    // entries 0xC0 to 0xC4 keep the signature, and no copy of it starts before.
    // Otherwise the next open would find no table, or the wrong one.
    bool KeepsTableFindable(const std::vector<TableAssignment>& sequence) const;

    // Finds the table base in buffer's first count bytes, or, with a null buffer,
    // in the handler's own image. Returns the base, 0 when no table is found, and
    // stores it in m_forwardOffset. The compare at the last start offsets reads up
    // to nine bytes past count: every buffer must have that much slack behind it.
    std::int32_t LocateTable(const std::uint8_t* buffer, std::int32_t count);
};
