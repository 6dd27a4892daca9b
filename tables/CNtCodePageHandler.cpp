#include "tables/CNtCodePageHandler.h"

namespace {

std::int64_t ForwardEntry(std::uint8_t byte) { return CNtCodePageHandler::kForwardOffset + 2 * static_cast<std::int64_t>(byte); }

} // namespace

CNtCodePageHandler::CNtCodePageHandler()
{
    m_forwardOffset = kForwardOffset;
    m_reverseOffset = kReverseOffset;
}

std::int32_t CNtCodePageHandler::ReverseTableOffset() const
{
    if (!IsInsideFile(kTablePlaceWord, 2)) {
        return kReverseOffset;
    }
    std::int64_t offset = kTablePlaceWord + 2 + 2 * static_cast<std::int64_t>(ReadWord(kTablePlaceWord));
    // A place inside the forward table or the words behind it, or a table cut
    // short by the file's end, is no usable header.
    if (offset < kReverseOffset || !IsInsideFile(offset, kReverseTableSize)) {
        return kReverseOffset;
    }
    return static_cast<std::int32_t>(offset);
}

std::uint8_t CNtCodePageHandler::ReverseLookup(std::uint16_t unicode)
{
    FollowHeader();
    std::int64_t entry = static_cast<std::int64_t>(m_reverseOffset) + unicode;
    return IsInsideFile(entry, 1) ? ReadByte(entry) : 0x3F;
}

std::uint16_t CNtCodePageHandler::Lookup(std::uint8_t byte)
{
    FollowHeader();
    return LookupForward(byte);
}

void CNtCodePageHandler::Assign(std::uint8_t byte, std::uint16_t unicode)
{
    FollowHeader();
    if (!EntriesInsideFile(m_reverseOffset, byte, unicode)) {
        return;
    }
    WriteWord(ForwardEntry(byte), unicode);
    WriteByte(static_cast<std::int64_t>(m_reverseOffset) + unicode, byte);
    m_modified[byte] = 1;
}

bool CNtCodePageHandler::IsImageLongEnough() const { return IsInsideFile(ReverseTableOffset(), kReverseTableSize); }

bool CNtCodePageHandler::CanAssign(const std::vector<TableAssignment>& sequence) const
{
    // No write reaches the header, so the reverse table stays where it is.
    std::int64_t reverseOffset = ReverseTableOffset();
    for (const TableAssignment& change : sequence) {
        if (!EntriesInsideFile(reverseOffset, change.byte, change.unicode)) {
            return false;
        }
    }
    return true;
}

bool CNtCodePageHandler::EntriesInsideFile(std::int64_t reverseOffset, std::uint8_t byte, std::uint16_t unicode) const
{
    return IsInsideFile(ForwardEntry(byte), 2) && IsInsideFile(reverseOffset + unicode, 1);
}

bool CNtCodePageHandler::AssignAll(const std::vector<TableAssignment>& sequence)
{
    FollowHeader();
    if (!IsInsideFile(kForwardOffset, 2 * 256) || !IsInsideFile(m_reverseOffset, kReverseTableSize)) {
        return false;
    }
    std::uint16_t before[256];
    bool named[256] = {};
    for (int byte = 0; byte < 256; ++byte) {
        before[byte] = LookupForward(static_cast<std::uint8_t>(byte));
    }
    for (const TableAssignment& change : sequence) {
        WriteWord(ForwardEntry(change.byte), change.unicode);
        named[change.byte] = true;
        m_modified[change.byte] = 1;
    }
    std::uint8_t* reverse = m_data + m_reverseOffset;
    for (std::int32_t unicode = 0; unicode < kReverseTableSize; ++unicode) {
        std::uint8_t byte = reverse[unicode];
        std::uint16_t now = LookupForward(byte);
        if (now != before[byte] && now != unicode) {
            reverse[unicode] = 0x3F;
        }
    }
    for (int byte = 0; byte < 256; ++byte) {
        if (named[byte]) {
            reverse[LookupForward(static_cast<std::uint8_t>(byte))] = static_cast<std::uint8_t>(byte);
        }
    }
    return true;
}
