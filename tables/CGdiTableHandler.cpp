#include "tables/CGdiTableHandler.h"

#include <algorithm>
#include <cstring>

namespace {

// The first place in [begin, end) where the signature starts, or end. Reads
// up to nine bytes past end.
const std::uint8_t* FindSignature(const std::uint8_t* begin, const std::uint8_t* end)
{
    // memchr finds the candidates for the first signature byte quickly.
    for (const std::uint8_t* position = begin; position < end; ++position) {
        position = static_cast<const std::uint8_t*>(
            std::memchr(position, CGdiTableHandler::kSignature[0], static_cast<std::size_t>(end - position)));
        if (position == nullptr) {
            return end;
        }
        if (std::memcmp(position, CGdiTableHandler::kSignature, sizeof CGdiTableHandler::kSignature) == 0) {
            return position;
        }
    }
    return end;
}

// A forward scan over every start offset from 384 on, one byte at a time.
std::int32_t FindTableBase(const std::uint8_t* buffer, std::int32_t count)
{
    if (buffer == nullptr || count <= CGdiTableHandler::kSignatureOffset) {
        return 0;
    }
    const std::uint8_t* end = buffer + count;
    const std::uint8_t* found = FindSignature(buffer + CGdiTableHandler::kSignatureOffset, end);
    return found == end ? 0 : static_cast<std::int32_t>(found - buffer) - CGdiTableHandler::kSignatureOffset;
}

} // namespace

CGdiTableHandler::CGdiTableHandler()
{
    m_reverseOffset = 0;
    m_forwardOffset = 0;
}

std::int32_t CGdiTableHandler::LocateTable(const std::uint8_t* buffer, std::int32_t count)
{
    if (buffer == nullptr) {
        buffer = m_data;
        count = m_data != nullptr ? m_length : 0;
    }
    m_forwardOffset = FindTableBase(buffer, count);
    return m_forwardOffset;
}

std::size_t CGdiTableHandler::FindTables()
{
    const std::span<const std::uint8_t> image(m_data, m_data != nullptr ? static_cast<std::size_t>(m_length) : 0);
    m_tables = FindGdiTables(image);
    m_signatureTable.reset();
    // Base 0 counts as none, as the batch transplant has it.
    if (const std::int32_t signatureBase = FindTableBase(m_data, m_length); signatureBase != 0) {
        auto place = std::ranges::lower_bound(m_tables, signatureBase, {}, &GdiTable::offset);
        if (place == m_tables.end() || place->offset != signatureBase) {
            place = m_tables.insert(place, GdiTableAt(image, signatureBase));
        }
        m_signatureTable = static_cast<std::size_t>(place - m_tables.begin());
    }
    m_tableFlags.assign(m_tables.size(), Flags{});
    std::memset(m_modified, 0, sizeof m_modified);
    m_selected = m_tables.size();
    m_forwardOffset = 0;
    SelectTable(m_signatureTable.value_or(0));
    return m_tables.size();
}

bool CGdiTableHandler::SelectTable(std::size_t index)
{
    if (index >= m_tables.size()) {
        return false;
    }
    if (HasSelectedTable()) {
        std::memcpy(m_tableFlags[m_selected].data(), m_modified, sizeof m_modified);
    }
    std::memcpy(m_modified, m_tableFlags[index].data(), sizeof m_modified);
    m_selected = index;
    m_forwardOffset = m_tables[index].offset;
    return true;
}

CodePageMatch CGdiTableHandler::TableMatch(std::size_t index) const
{
    if (index >= m_tables.size()) {
        return {};
    }
    std::array<std::uint16_t, 128> upper{};
    for (std::size_t k = 0; k < upper.size(); ++k) {
        upper[k] = ReadWord(static_cast<std::int64_t>(m_tables[index].offset) + 2 * (0x80 + k));
    }
    return BestCodePageMatch(upper);
}

std::uint8_t CGdiTableHandler::ReverseLookup(std::uint16_t unicode)
{
    for (int byte = 0; byte < 256; ++byte) {
        if (Lookup(static_cast<std::uint8_t>(byte)) == unicode) {
            return static_cast<std::uint8_t>(byte);
        }
    }
    return 0x3F;
}

std::uint16_t CGdiTableHandler::Lookup(std::uint8_t byte) { return LookupForward(byte); }

void CGdiTableHandler::Assign(std::uint8_t byte, std::uint16_t unicode)
{
    if (WriteWord(static_cast<std::int64_t>(m_forwardOffset) + 2 * byte, unicode)) {
        m_modified[byte] = 1;
    }
}

bool CGdiTableHandler::IsImageLongEnough() const
{
    return HasSelectedTable() && static_cast<std::int64_t>(m_forwardOffset) + kTableSize <= m_length;
}

bool CGdiTableHandler::CanAssign(const std::vector<TableAssignment>& sequence) const
{
    for (const TableAssignment& change : sequence) {
        if (!IsInsideFile(static_cast<std::int64_t>(m_forwardOffset) + 2 * change.byte, 2)) {
            return false;
        }
    }
    return KeepsTableFindable(sequence);
}

bool CGdiTableHandler::KeepsTableFindable(const std::vector<TableAssignment>& sequence) const
{
    if (!HasSelectedTable()) {
        return false;
    }
    if (m_signatureTable != m_selected) {
        return true;
    }
    // Only the table's bytes change, so only a match that overlaps them can
    // come or go: one that starts from nine bytes before the table up to the
    // table's own signature. Those bytes as the sequence would leave them:
    const std::int64_t signature = static_cast<std::int64_t>(m_forwardOffset) + kSignatureOffset;
    const std::int64_t first = std::max<std::int64_t>(kSignatureOffset, m_forwardOffset - 9);
    std::vector<std::uint8_t> window;
    for (std::int64_t offset = first; offset < signature + static_cast<std::int64_t>(sizeof kSignature); ++offset) {
        window.push_back(ReadByte(offset));
    }
    for (const TableAssignment& change : sequence) {
        const std::int64_t at = static_cast<std::int64_t>(m_forwardOffset) + 2 * change.byte - first;
        for (std::int64_t k = 0; k < 2; ++k) {
            if (at + k >= 0 && at + k < static_cast<std::int64_t>(window.size())) {
                window[static_cast<std::size_t>(at + k)] = static_cast<std::uint8_t>(change.unicode >> (8 * k));
            }
        }
    }
    // The search must still stop at this table's signature, and not before.
    const std::uint8_t* own = window.data() + (signature - first);
    return FindSignature(window.data(), own + 1) == own;
}
