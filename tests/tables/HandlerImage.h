#pragma once
// Loading a handler the way the document does, and looking at what changed.

#include "tables/CTableHandler.h"
#include "tools/SampleGenerator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

inline void LoadImage(CTableHandler& handler, const samples::Bytes& bytes)
{
    ASSERT_TRUE(handler.AllocateData(static_cast<std::int32_t>(bytes.size())));
    if (!bytes.empty()) {
        std::memcpy(handler.m_data, bytes.data(), bytes.size());
    }
}

inline samples::Bytes FileBytes(const CTableHandler& handler)
{
    return samples::Bytes(handler.m_data, handler.m_data + handler.m_length);
}

// The offsets at which the handler's file bytes differ from bytes.
inline std::vector<std::size_t> ChangedOffsets(const CTableHandler& handler, const samples::Bytes& bytes)
{
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (handler.m_data[i] != bytes[i]) {
            changed.push_back(i);
        }
    }
    return changed;
}

inline std::vector<int> FlaggedEntries(const CTableHandler& handler)
{
    std::vector<int> flagged;
    for (int i = 0; i < 256; ++i) {
        if (handler.m_modified[i] != 0) {
            flagged.push_back(i);
        }
    }
    return flagged;
}
