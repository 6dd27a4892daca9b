#include "tables/CGdiTableHandler.h"

#include <cstring>

namespace {

// A forward scan over every start offset from 384 on, one byte at a time;
// memchr finds the candidates for the first signature byte quickly.
std::int32_t FindTableBase(const std::uint8_t* buffer, std::int32_t count)
{
    if (buffer == nullptr || count <= CGdiTableHandler::kSignatureOffset) {
        return 0;
    }
    const std::uint8_t* position = buffer + CGdiTableHandler::kSignatureOffset;
    const std::uint8_t* end = buffer + count;
    while (position < end) {
        const void* candidate = std::memchr(position, CGdiTableHandler::kSignature[0], static_cast<std::size_t>(end - position));
        if (candidate == nullptr) {
            break;
        }
        position = static_cast<const std::uint8_t*>(candidate);
        if (std::memcmp(position, CGdiTableHandler::kSignature, sizeof CGdiTableHandler::kSignature) == 0) {
            return static_cast<std::int32_t>(position - buffer) - CGdiTableHandler::kSignatureOffset;
        }
        ++position;
    }
    return 0;
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
    return m_forwardOffset > 0 && static_cast<std::int64_t>(m_forwardOffset) + kTableSize <= m_length;
}

bool CGdiTableHandler::CanAssign(const std::vector<TableAssignment>& sequence) const
{
    for (const TableAssignment& change : sequence) {
        if (!IsInsideFile(static_cast<std::int64_t>(m_forwardOffset) + 2 * change.byte, 2)) {
            return false;
        }
    }
    return true;
}
