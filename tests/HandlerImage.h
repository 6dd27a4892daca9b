#pragma once
// A table handler loaded the way the document loads it, and what changed in
// it since. Free of GoogleTest, so that the fuzz targets use it too.

#include "tables/CTableHandler.h"

#include <cstdint>
#include <cstring>
#include <vector>

// False when the handler cannot hold an image of that length.
inline bool LoadImage(CTableHandler& handler, const std::vector<std::uint8_t>& bytes)
{
    if (!handler.AllocateData(static_cast<std::int32_t>(bytes.size()))) {
        return false;
    }
    if (!bytes.empty()) {
        std::memcpy(handler.m_data, bytes.data(), bytes.size());
    }
    return true;
}

// The bytes that a save of the handler's file writes.
inline std::vector<std::uint8_t> FileBytes(const CTableHandler& handler)
{
    return std::vector<std::uint8_t>(handler.m_data, handler.m_data + handler.m_length);
}
