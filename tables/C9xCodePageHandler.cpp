#include "tables/C9xCodePageHandler.h"

#include <cstring>

namespace {

constexpr std::uint16_t kDefaultSecondLevel = 256;
constexpr std::uint16_t kDefaultThirdLevel = 272;
constexpr std::uint8_t kNoByte = 0x3F;

// The values a rebuild stores, in ascending order, each with the highest byte
// that holds it. A value whose highest holder is 0x3F is left out: its entry
// keeps the default block's 0x3F, which answers the same.
struct StoredValues {
    int count = 0;
    std::uint16_t value[256];
    std::uint8_t byte[256];
};

// Each byte becomes the key value << 8 | byte. Two stable counting passes,
// over the value's low and then its high byte, sort the keys by value and
// leave equal values in ascending order of bytes, the highest holder last.
void CollectStoredValues(const std::uint16_t (&forward)[256], StoredValues& stored)
{
    std::uint32_t keys[256];
    std::uint32_t byLowByte[256];
    int lowStart[256] = {};
    int highStart[256] = {};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        keys[byte] = static_cast<std::uint32_t>(forward[byte]) << 8 | byte;
        ++lowStart[forward[byte] & 0xFF];
        ++highStart[forward[byte] >> 8];
    }
    for (int digit = 0, low = 0, high = 0; digit < 256; ++digit) {
        int lowCount = lowStart[digit];
        int highCount = highStart[digit];
        lowStart[digit] = low;
        highStart[digit] = high;
        low += lowCount;
        high += highCount;
    }
    for (std::uint32_t key : keys) {
        byLowByte[lowStart[(key >> 8) & 0xFF]++] = key;
    }
    for (std::uint32_t key : byLowByte) {
        keys[highStart[key >> 16]++] = key;
    }
    stored.count = 0;
    for (int i = 0; i < 256; ++i) {
        std::uint32_t key = keys[i];
        auto byte = static_cast<std::uint8_t>(key & 0xFF);
        if ((i + 1 < 256 && keys[i + 1] >> 8 == key >> 8) || byte == kNoByte) {
            continue;
        }
        stored.value[stored.count] = static_cast<std::uint16_t>(key >> 8);
        stored.byte[stored.count] = byte;
        ++stored.count;
    }
}

// Entries of the rebuilt table: the fixed part plus one block per distinct high
// byte and one per distinct high byte and middle nibble, in ascending order.
std::int32_t TableEntries(const StoredValues& stored)
{
    std::int32_t entries = C9xCodePageHandler::kFixedEntries;
    int lastHigh = -1;
    int lastHighMiddle = -1;
    for (int i = 0; i < stored.count; ++i) {
        int high = stored.value[i] >> 8;
        int highMiddle = stored.value[i] >> 4;
        if (high != lastHigh) {
            entries += C9xCodePageHandler::kBlockEntries;
            lastHigh = high;
        }
        if (highMiddle != lastHighMiddle) {
            entries += C9xCodePageHandler::kBlockEntries;
            lastHighMiddle = highMiddle;
        }
    }
    return entries;
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
// before the third-level block of its first middle nibble. The caller has made
// sure that TableEntries(stored) entries fit behind table.
void WriteTable(std::uint8_t* table, const StoredValues& stored)
{
    std::memcpy(table, kFixedPart.bytes, sizeof kFixedPart.bytes);
    std::int32_t next = C9xCodePageHandler::kFixedEntries;
    std::int32_t secondLevel = 0;
    std::int32_t thirdLevel = 0;
    int lastHigh = -1;
    int lastHighMiddle = -1;
    for (int i = 0; i < stored.count; ++i) {
        std::uint16_t value = stored.value[i];
        int high = value >> 8;
        if (high != lastHigh) {
            secondLevel = next;
            next += C9xCodePageHandler::kBlockEntries;
            PutEntry(table, high, static_cast<std::uint16_t>(secondLevel));
            std::memcpy(table + 2 * secondLevel, kSecondLevelFill.bytes, sizeof kSecondLevelFill.bytes);
            lastHigh = high;
        }
        if (value >> 4 != lastHighMiddle) {
            thirdLevel = next;
            next += C9xCodePageHandler::kBlockEntries;
            PutEntry(table, secondLevel + ((value >> 4) & 0xF), static_cast<std::uint16_t>(thirdLevel));
            std::memcpy(table + 2 * thirdLevel, kThirdLevelFill.bytes, sizeof kThirdLevelFill.bytes);
            lastHighMiddle = value >> 4;
        }
        PutEntry(table, thirdLevel + (value & 0xF), stored.byte[i]);
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
    C9xCodePageHandler::AssignAll({{byte, unicode}});
}

bool C9xCodePageHandler::AssignAll(const std::vector<TableAssignment>& sequence)
{
    std::uint16_t forward[256];
    if (!ReadForwardTable(forward)) {
        return false;
    }
    for (const TableAssignment& change : sequence) {
        forward[change.byte] = change.unicode;
    }
    StoredValues stored;
    CollectStoredValues(forward, stored);
    if (!TableFits(TableEntries(stored))) {
        return false;
    }
    for (const TableAssignment& change : sequence) {
        WriteWord(kForwardOffset + 2 * static_cast<std::int64_t>(change.byte), change.unicode);
        m_modified[change.byte] = 1;
    }
    WriteTable(m_data + kReverseOffset, stored);
    return true;
}

bool C9xCodePageHandler::IsImageLongEnough() const { return TableFits(kFixedEntries); }

bool C9xCodePageHandler::CanAssign(const std::vector<TableAssignment>& sequence) const
{
    if (sequence.empty()) {
        return true;
    }
    std::uint16_t forward[256];
    if (!ReadForwardTable(forward)) {
        return false;
    }
    StoredValues stored;
    for (const TableAssignment& change : sequence) {
        forward[change.byte] = change.unicode;
        CollectStoredValues(forward, stored);
        if (!TableFits(TableEntries(stored))) {
            return false;
        }
    }
    return true;
}
