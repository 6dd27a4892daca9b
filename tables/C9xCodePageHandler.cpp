#include "tables/C9xCodePageHandler.h"

#include <bit>
#include <cstring>

namespace {

constexpr std::uint16_t kDefaultSecondLevel = 256;
constexpr std::uint16_t kDefaultThirdLevel = 272;
constexpr std::uint8_t kNoByte = 0x3F;

// The bytes of a forward table grouped by the high byte of their values, and
// for each high byte the middle nibbles that its values use: what a rebuild
// needs to lay out its blocks. Within a group the bytes stay in ascending
// order, so that writing their entries in turn leaves the highest holder of a
// value in its entry. A value whose highest holder is 0x3F is left out with
// all its holders: its entry keeps the default block's 0x3F, which answers the same.
struct Grouping {
    std::uint16_t forward[256];
    std::uint8_t byte[256];
    // Group h is byte[end[h - 1]] up to byte[end[h]], the first from 0.
    int end[256];
    std::uint16_t middles[256];
    std::int32_t entries = 0;
};

bool HighestHolderIsQuestionMark(const std::uint16_t (&forward)[256])
{
    bool higherHolder = false;
    for (int byte = kNoByte + 1; byte < 256; ++byte) {
        higherHolder |= forward[byte] == forward[kNoByte];
    }
    return !higherHolder;
}

// One stable counting pass over the high byte. The two halves of the table
// count and place with counters of their own: a run of equal high bytes
// (ASCII, a script's block) would otherwise make every step wait for the
// increment before it. Only bytes of the first half can hold the value left out.
void GroupBytes(Grouping& grouping)
{
    const std::uint16_t(&forward)[256] = grouping.forward;
    const bool leaveOut = HighestHolderIsQuestionMark(forward);
    auto kept = [&](int byte) { return !leaveOut || forward[byte] != forward[kNoByte]; };
    int first[256] = {};
    int second[256] = {};
    for (int byte = 0; byte < 128; ++byte) {
        first[forward[byte] >> 8] += kept(byte);
        ++second[forward[byte + 128] >> 8];
    }
    for (int high = 0, start = 0; high < 256; ++high) {
        int firstCount = first[high];
        int secondCount = second[high];
        first[high] = start;
        second[high] = start + firstCount;
        start += firstCount + secondCount;
    }
    for (int byte = 0; byte < 128; ++byte) {
        if (kept(byte)) {
            grouping.byte[first[forward[byte] >> 8]++] = static_cast<std::uint8_t>(byte);
        }
        grouping.byte[second[forward[byte + 128] >> 8]++] = static_cast<std::uint8_t>(byte + 128);
    }
    // Placed, second[h] is where group h ends.
    std::int32_t blocks = 0;
    for (int high = 0, i = 0; high < 256; ++high) {
        unsigned middles = 0;
        for (; i < second[high]; ++i) {
            middles |= 1u << ((forward[grouping.byte[i]] >> 4) & 0xF);
        }
        grouping.end[high] = i;
        grouping.middles[high] = static_cast<std::uint16_t>(middles);
        if (middles != 0) {
            blocks += 1 + std::popcount(middles);
        }
    }
    grouping.entries = C9xCodePageHandler::kFixedEntries + C9xCodePageHandler::kBlockEntries * blocks;
}

// The entries of the table rebuilt once the forward table read into grouping takes the sequence.
std::int32_t RegroupedEntries(Grouping& grouping, std::span<const TableAssignment> sequence)
{
    for (const TableAssignment& change : sequence) {
        grouping.forward[change.byte] = change.unicode;
    }
    GroupBytes(grouping);
    return grouping.entries;
}

constexpr void PutEntry(std::uint8_t* table, std::int32_t k, std::uint16_t value)
{
    table[2 * k] = static_cast<std::uint8_t>(value & 0xFF);
    table[2 * k + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Entries as they lie in the image, prepared once so that a rebuild copies them.
template <std::int32_t Count>
struct Entries {
    std::uint8_t bytes[2 * Count] = {};
};

constexpr Entries<C9xCodePageHandler::kBlockEntries> Block(std::uint16_t fill)
{
    Entries<C9xCodePageHandler::kBlockEntries> block;
    for (std::int32_t k = 0; k < C9xCodePageHandler::kBlockEntries; ++k) {
        PutEntry(block.bytes, k, fill);
    }
    return block;
}

// The first level pointing at the default second-level block, then the two default blocks.
constexpr Entries<C9xCodePageHandler::kFixedEntries> FixedPart()
{
    Entries<C9xCodePageHandler::kFixedEntries> fixed;
    for (std::int32_t k = 0; k < C9xCodePageHandler::kFixedEntries; ++k) {
        PutEntry(fixed.bytes, k, k < kDefaultSecondLevel ? kDefaultSecondLevel : k < kDefaultThirdLevel ? kDefaultThirdLevel : kNoByte);
    }
    return fixed;
}

constexpr auto kFixedPart = FixedPart();
constexpr auto kSecondLevelFill = Block(kDefaultThirdLevel);
constexpr auto kThirdLevelFill = Block(kNoByte);

// Writes the table in the order of allocation that a pass over all Unicode
// values in ascending order gives: a high byte's second-level block right
// before the third-level blocks of its middle nibbles. The caller has made
// sure that grouping.entries entries fit behind table.
void WriteTable(std::uint8_t* table, const Grouping& grouping)
{
    std::memcpy(table, kFixedPart.bytes, sizeof kFixedPart.bytes);
    std::int32_t next = C9xCodePageHandler::kFixedEntries;
    for (int high = 0, i = 0; high < 256; ++high) {
        if (grouping.middles[high] == 0) {
            continue;
        }
        std::int32_t secondLevel = next;
        next += C9xCodePageHandler::kBlockEntries;
        PutEntry(table, high, static_cast<std::uint16_t>(secondLevel));
        std::memcpy(table + 2 * secondLevel, kSecondLevelFill.bytes, sizeof kSecondLevelFill.bytes);
        std::int32_t thirdLevel[16];
        for (unsigned middles = grouping.middles[high]; middles != 0; middles &= middles - 1) {
            int middle = std::countr_zero(middles);
            thirdLevel[middle] = next;
            next += C9xCodePageHandler::kBlockEntries;
            PutEntry(table, secondLevel + middle, static_cast<std::uint16_t>(thirdLevel[middle]));
            std::memcpy(table + 2 * thirdLevel[middle], kThirdLevelFill.bytes, sizeof kThirdLevelFill.bytes);
        }
        for (; i < grouping.end[high]; ++i) {
            std::uint8_t byte = grouping.byte[i];
            std::uint16_t value = grouping.forward[byte];
            PutEntry(table, thirdLevel[(value >> 4) & 0xF] + (value & 0xF), byte);
        }
    }
}

} // namespace

C9xCodePageHandler::C9xCodePageHandler()
{
    m_forwardOffset = kForwardOffset;
    m_reverseOffset = kReverseOffset;
}

bool C9xCodePageHandler::ReadEntry(std::int64_t k, std::uint16_t& value) const
{
    std::int64_t offset = kReverseOffset + 2 * k;
    if (!IsInsideFile(offset, 2)) {
        return false;
    }
    value = ReadWord(offset);
    return true;
}

bool C9xCodePageHandler::ReadForwardTable(std::uint16_t (&forward)[256]) const
{
    if (!IsInsideFile(kForwardOffset, 2 * 256)) {
        return false;
    }
    const std::uint8_t* entry = m_data + kForwardOffset;
    for (int byte = 0; byte < 256; ++byte, entry += 2) {
        forward[byte] = static_cast<std::uint16_t>(entry[0] | entry[1] << 8);
    }
    return true;
}

bool C9xCodePageHandler::TableFits(std::int32_t entries) const { return IsInsideFile(kReverseOffset, 2 * static_cast<std::int64_t>(entries)); }

std::uint8_t C9xCodePageHandler::ReverseLookup(std::uint16_t unicode)
{
    // The positions come from the file or the last rebuild; one that leads
    // outside the file finds no byte.
    std::uint16_t secondLevel = 0;
    std::uint16_t thirdLevel = 0;
    std::uint16_t entry = 0;
    if (!ReadEntry(unicode >> 8, secondLevel) || !ReadEntry(static_cast<std::int64_t>(secondLevel) + ((unicode >> 4) & 0xF), thirdLevel) ||
        !ReadEntry(static_cast<std::int64_t>(thirdLevel) + (unicode & 0xF), entry)) {
        return kNoByte;
    }
    return static_cast<std::uint8_t>(entry & 0xFF);
}

std::uint16_t C9xCodePageHandler::Lookup(std::uint8_t byte) { return LookupForward(byte); }

void C9xCodePageHandler::Assign(std::uint8_t byte, std::uint16_t unicode)
{
    const TableAssignment change{byte, unicode};
    AssignInOneRebuild({&change, 1});
}

bool C9xCodePageHandler::AssignAll(const std::vector<TableAssignment>& sequence) { return AssignInOneRebuild(sequence); }

bool C9xCodePageHandler::CanAssignAll(const std::vector<TableAssignment>& sequence) const
{
    Grouping grouping;
    return ReadForwardTable(grouping.forward) && TableFits(RegroupedEntries(grouping, sequence));
}

bool C9xCodePageHandler::AssignInOneRebuild(std::span<const TableAssignment> sequence)
{
    Grouping grouping;
    if (!ReadForwardTable(grouping.forward) || !TableFits(RegroupedEntries(grouping, sequence))) {
        return false;
    }
    for (const TableAssignment& change : sequence) {
        WriteWord(kForwardOffset + 2 * static_cast<std::int64_t>(change.byte), change.unicode);
        m_modified[change.byte] = 1;
    }
    WriteTable(m_data + kReverseOffset, grouping);
    return true;
}

bool C9xCodePageHandler::IsImageLongEnough() const { return TableFits(kFixedEntries); }

bool C9xCodePageHandler::CanAssign(const std::vector<TableAssignment>& sequence) const
{
    if (sequence.empty()) {
        return true;
    }
    Grouping grouping;
    if (!ReadForwardTable(grouping.forward)) {
        return false;
    }
    for (const TableAssignment& change : sequence) {
        grouping.forward[change.byte] = change.unicode;
        GroupBytes(grouping);
        if (!TableFits(grouping.entries)) {
            return false;
        }
    }
    return true;
}
