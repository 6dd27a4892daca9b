#include "tables/CTableHandler.h"

#include <algorithm>
#include <cstring>
#include <new>

CTableHandler::CTableHandler() { std::memset(m_modified, 0, sizeof m_modified); }

CTableHandler::~CTableHandler() { delete[] m_data; }

std::uint8_t CTableHandler::ReverseLookup(std::uint16_t) { return 0; }

std::uint16_t CTableHandler::Lookup(std::uint8_t) { return 0; }

void CTableHandler::Assign(std::uint8_t, std::uint16_t) {}

bool CTableHandler::IsImageLongEnough() const { return true; }

bool CTableHandler::CanAssign(const std::vector<TableAssignment>&) const { return true; }

bool CTableHandler::CanAssignAll(const std::vector<TableAssignment>& sequence) const { return CanAssign(sequence); }

bool CTableHandler::AssignAll(const std::vector<TableAssignment>& sequence)
{
    if (!CanAssign(sequence)) {
        return false;
    }
    for (const TableAssignment& change : sequence) {
        Assign(change.byte, change.unicode);
    }
    return true;
}

bool CTableHandler::AllocateData(std::int32_t length)
{
    delete[] m_data;
    m_data = nullptr;
    m_length = 0;
    if (length < 0) {
        return false;
    }
    // Cleared, so that nothing past the file's end can look like table data.
    m_data = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(length) + kSlack]();
    if (m_data == nullptr) {
        return false;
    }
    m_length = length;
    return true;
}

bool CTableHandler::PutBack(std::int64_t offset, std::span<const std::uint8_t> bytes)
{
    if (!IsInsideImage(offset, static_cast<std::int64_t>(bytes.size()))) {
        return false;
    }
    std::ranges::copy(bytes, m_data + offset);
    return true;
}

std::int64_t CTableHandler::AllocatedSize() const
{
    return m_data == nullptr ? 0 : static_cast<std::int64_t>(m_length) + kSlack;
}

bool CTableHandler::IsInsideImage(std::int64_t offset, std::int64_t size) const
{
    return offset >= 0 && size >= 0 && offset + size <= AllocatedSize();
}

bool CTableHandler::IsInsideFile(std::int64_t offset, std::int64_t size) const
{
    return m_data != nullptr && offset >= 0 && size >= 0 && offset + size <= m_length;
}

std::uint8_t CTableHandler::ReadByte(std::int64_t offset) const
{
    return IsInsideImage(offset, 1) ? m_data[offset] : 0;
}

bool CTableHandler::WriteByte(std::int64_t offset, std::uint8_t value)
{
    if (!IsInsideImage(offset, 1)) {
        return false;
    }
    m_data[offset] = value;
    return true;
}

std::uint16_t CTableHandler::ReadWord(std::int64_t offset) const
{
    if (!IsInsideImage(offset, 2)) {
        return 0;
    }
    return static_cast<std::uint16_t>(m_data[offset] | (m_data[offset + 1] << 8));
}

bool CTableHandler::WriteWord(std::int64_t offset, std::uint16_t value)
{
    if (!IsInsideImage(offset, 2)) {
        return false;
    }
    m_data[offset] = static_cast<std::uint8_t>(value & 0xFF);
    m_data[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    return true;
}

std::uint16_t CTableHandler::LookupForward(std::uint8_t byte) const
{
    return ReadWord(static_cast<std::int64_t>(m_forwardOffset) + 2 * byte);
}
