#include "tables/C9xCodePageHandler.h"

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

// One stable counting pass: the bytes of in, ordered by one 8-bit digit of their values.
void SortByDigit(const std::uint16_t (&forward)[256], const std::uint8_t* in, std::uint8_t* out, int shift)
{
    int start[257] = {};
    for (int i = 0; i < 256; ++i) {
        ++start[((forward[in[i]] >> shift) & 0xFF) + 1];
    }
    for (int digit = 0; digit < 256; ++digit) {
        start[digit + 1] += start[digit];
    }
    for (int i = 0; i < 256; ++i) {
        out[start[(forward[in[i]] >> shift) & 0xFF]++] = in[i];
    }
}

// Sorting the bytes by value, low digit first, keeps equal values in ascending
// order of bytes, so the highest holder of a value comes last.
void CollectStoredValues(const std::uint16_t (&forward)[256], StoredValues& stored)
{
    std::uint8_t ascending[256];
    std::uint8_t byLowDigit[256];
    std::uint8_t sorted[256];
    for (int byte = 0; byte < 256; ++byte) {
        ascending[byte] = static_cast<std::uint8_t>(byte);
    }
    SortByDigit(forward, ascending, byLowDigit, 0);
    SortByDigit(forward, byLowDigit, sorted, 8);
    stored.count = 0;
    for (int i = 0; i < 256; ++i) {
        std::uint8_t byte = sorted[i];
        if ((i + 1 < 256 && forward[sorted[i + 1]] == forward[byte]) || byte == kNoByte) {
            continue;
        }
        stored.value[stored.count] = forward[byte];
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

void PutEntry(std::uint8_t* table, std::int32_t k, std::uint16_t value)
{
    table[2 * k] = static_cast<std::uint8_t>(value & 0xFF);
    table[2 * k + 1] = static_cast<std::uint8_t>(value >> 8);
}

void FillBlock(std::uint8_t* table, std::int32_t start, std::uint16_t value)
{
    for (std::int32_t k = start; k < start + C9xCodePageHandler::kBlockEntries; ++k) {
        PutEntry(table, k, value);
    }
}

// Writes the table in the order of allocation that a pass over all Unicode
// values in ascending order gives: a high byte's second-level block right
// before the third-level block of its first middle nibble. The caller has made
// sure that TableEntries(stored) entries fit behind table.
void WriteTable(std::uint8_t* table, const StoredValues& stored)
{
    for (std::int32_t high = 0; high < 256; ++high) {
        PutEntry(table, high, kDefaultSecondLevel);
    }
    FillBlock(table, kDefaultSecondLevel, kDefaultThirdLevel);
    FillBlock(table, kDefaultThirdLevel, kNoByte);
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
            FillBlock(table, secondLevel, kDefaultThirdLevel);
            lastHigh = high;
        }
        if (value >> 4 != lastHighMiddle) {
            thirdLevel = next;
            next += C9xCodePageHandler::kBlockEntries;
            PutEntry(table, secondLevel + ((value >> 4) & 0xF), static_cast<std::uint16_t>(thirdLevel));
            FillBlock(table, thirdLevel, kNoByte);
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
    for (int byte = 0; byte < 256; ++byte) {
        forward[byte] = LookupForward(static_cast<std::uint8_t>(byte));
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
    std::uint16_t forward[256];
    if (!ReadForwardTable(forward)) {
        return;
    }
    forward[byte] = unicode;
    StoredValues stored;
    CollectStoredValues(forward, stored);
    if (!TableFits(TableEntries(stored))) {
        return;
    }
    WriteWord(kForwardOffset + 2 * static_cast<std::int64_t>(byte), unicode);
    WriteTable(m_data + kReverseOffset, stored);
    m_modified[byte] = 1;
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
