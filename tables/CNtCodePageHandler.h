#pragma once
// An NT code-page file: the forward table at offset 28 and a flat reverse table
// with one byte for each of the 65,536 Unicode values. The reverse table
// usually starts at 546; files of OEM code pages keep a 512-byte glyph table
// behind the forward table and start it at 1,058, which the header's word at
// offset 26 tells (it counts 16-bit words from offset 28).

#include "tables/CTableHandler.h"

class CNtCodePageHandler : public CTableHandler {
public:
    static constexpr std::int32_t kForwardOffset = 28;
    static constexpr std::int32_t kReverseOffset = 546;
    static constexpr std::int32_t kReverseTableSize = 0x10000;
    static constexpr std::int32_t kTablePlaceWord = 26;

    CNtCodePageHandler();

    std::uint8_t ReverseLookup(std::uint16_t unicode) override;
    std::uint16_t Lookup(std::uint8_t byte) override;
    void Assign(std::uint8_t byte, std::uint16_t unicode) override;
    // The whole reverse table lies inside the file's bytes.
    bool IsImageLongEnough() const override;
    bool CanAssign(const std::vector<TableAssignment>& sequence) const override;
    // Unlike a run of Assign calls, leaves no stale reverse entry: every byte of
    // the sequence is named by its value's entry (the highest of them where
    // several hold one value), and any other entry that named a byte whose value
    // changed becomes 0x3F.
    bool AssignAll(const std::vector<TableAssignment>& sequence) override;

    // Where the reverse table starts in the current image: the place the header
    // gives when it lies behind the forward table and the whole table fits in
    // the file, otherwise 546. The table operations store it in m_reverseOffset
    // before they use it, since the image is filled behind the handler's back.
    std::int32_t ReverseTableOffset() const;

private:
    void FollowHeader() { m_reverseOffset = ReverseTableOffset(); }
    bool EntriesInsideFile(std::int64_t reverseOffset, std::uint8_t byte, std::uint16_t unicode) const;
};
