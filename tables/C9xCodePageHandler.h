#pragma once
// A 9x code-page file: the forward table at offset 98 and a three-level reverse
// table of little-endian words at 610. The first level has one entry per high
// byte of a Unicode value, the second one per middle nibble, the third one per
// low nibble, which holds the byte. Every Assign rebuilds the whole reverse
// table from the forward table, in place.

#include "tables/CTableHandler.h"

#include <span>

class C9xCodePageHandler : public CTableHandler {
public:
    static constexpr std::int32_t kForwardOffset = 98;
    static constexpr std::int32_t kReverseOffset = 610;
    // The first level and the default second- and third-level blocks.
    static constexpr std::int32_t kFixedEntries = 288;
    static constexpr std::int32_t kBlockEntries = 16;
    // 255 stored values, each with a second- and a third-level block of its own.
    static constexpr std::int32_t kMaxEntries = kFixedEntries + kBlockEntries * (255 + 255);

    C9xCodePageHandler();

    std::uint8_t ReverseLookup(std::uint16_t unicode) override;
    std::uint16_t Lookup(std::uint8_t byte) override;
    // Writes the forward entry and rebuilds the reverse table, but only when the
    // rebuilt table fits in the file's bytes; otherwise changes nothing.
    void Assign(std::uint8_t byte, std::uint16_t unicode) override;
    // The forward table and the fixed part of the reverse table lie inside the file.
    bool IsImageLongEnough() const override;
    bool CanAssign(const std::vector<TableAssignment>& sequence) const override;
    // Writes all the forward entries and rebuilds the reverse table once, when
    // the table rebuilt from the final forward table fits in the file's bytes.
    bool AssignAll(const std::vector<TableAssignment>& sequence) override;
    // Only the table of the final forward table has to fit, not those on the way.
    bool CanAssignAll(const std::vector<TableAssignment>& sequence) const override;

private:
    bool AssignInOneRebuild(std::span<const TableAssignment> sequence);
    // Reads entry k of the reverse table into value; false when it lies outside the file.
    bool ReadEntry(std::int64_t k, std::uint16_t& value) const;
    bool ReadForwardTable(std::uint16_t (&forward)[256]) const;
    bool TableFits(std::int32_t entries) const;
};
