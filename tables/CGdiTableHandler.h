#pragma once
// The code-page tables embedded in a GDI module: 256 little-endian words each,
// at no fixed place, one for each character set the module serves. They are
// found by the printable ASCII half that every code page shares (see
// GdiTableSearch.h); the one a module opens on, and the only one that the batch
// transplant sees, is found by the Unicode values of the Cyrillic capitals A
// to DE where the table keeps the bytes 0xC0 to 0xC4. There is no reverse table.
// Lookup, Assign and the rest work on one table at a time, the selected one.

#include "tables/CTableHandler.h"
#include "tables/CodePageMatch.h"
#include "tables/GdiTableSearch.h"

#include <array>
#include <optional>

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
    // True once a table has been found and all of the selected one lies inside the file's bytes.
    bool IsImageLongEnough() const override;
    // Refuses, besides writes past the file's end, any sequence after which
    // KeepsTableFindable is false.
    bool CanAssign(const std::vector<TableAssignment>& sequence) const override;
    // Whether the signature would still find the table it finds now after the
    // sequence: the entries 0xC0 to 0xC4 keep it, and no copy of it starts
    // before. Otherwise the next open would find no table, or open on another.
    // Only that table is bound so; a change of any other is free. False
    // without a selected table.
    bool KeepsTableFindable(const std::vector<TableAssignment>& sequence) const;

    // Finds every table of the own image: those FindGdiTables finds, and the one
    // the signature finds when the scan does not list it (it may lie partly
    // past the file's end, which IsImageLongEnough tells). Selects the one the
    // signature finds, else the first, and clears every modified flag.
    // Returns the number of tables.
    std::size_t FindTables();
    // The tables FindTables found, in file order.
    const std::vector<GdiTable>& Tables() const { return m_tables; }
    // The index in Tables() of the table that Lookup, Assign and the rest work on.
    std::size_t SelectedTable() const { return m_selected; }
    // Makes the table at index the one worked on; false, changing nothing, for
    // an index out of range. Each table keeps its own modified flags:
    // m_modified holds the selected table's, and a table selected again shows
    // its flags as it left them.
    bool SelectTable(std::size_t index);
    // The index of the table the signature finds, the one a module opens on.
    std::optional<std::size_t> SignatureTable() const { return m_signatureTable; }
    // The built-in code page whose upper half the table at index matches best.
    CodePageMatch TableMatch(std::size_t index) const;

    // Finds the table base in buffer's first count bytes, or, with a null buffer,
    // in the handler's own image. Returns the base, 0 when no table is found, and
    // stores it in m_forwardOffset. The compare at the last start offsets reads up
    // to nine bytes past count: every buffer must have that much slack behind it.
    std::int32_t LocateTable(const std::uint8_t* buffer, std::int32_t count);

private:
    using Flags = std::array<std::uint8_t, 256>;

    bool HasSelectedTable() const { return m_selected < m_tables.size(); }

    std::vector<GdiTable> m_tables;
    std::size_t m_selected = 0;
    std::optional<std::size_t> m_signatureTable;
    // The flags of each table; the selected one's live in m_modified.
    std::vector<Flags> m_tableFlags;
};
