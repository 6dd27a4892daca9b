#include "tables/CTableHandler.h"

#include <gtest/gtest.h>

#include <algorithm>

// PutBack writes anywhere in the image, slack included, and nowhere else: a run that would reach
// past either end changes no byte at all.
TEST(TableHandler, PutBackWritesInsideTheImageOnly)
{
    constexpr std::int64_t kLength = 40;
    constexpr std::int64_t kEnd = kLength + CTableHandler::kSlack;
    const struct {
        std::int64_t offset;
        std::size_t size;
        bool written;
    } cases[] = {{0, kEnd, true}, {kEnd - 2, 2, true}, {kEnd - 1, 2, false}, {-1, 2, false}, {kEnd, 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes at " << c.offset);
        CTableHandler handler;
        ASSERT_TRUE(handler.AllocateData(kLength));
        const std::vector<std::uint8_t> bytes(c.size, 0xA5);
        EXPECT_EQ(handler.PutBack(c.offset, bytes), c.written);
        const auto changed = std::count(handler.m_data, handler.m_data + kEnd, 0xA5);
        EXPECT_EQ(changed, c.written ? static_cast<std::int64_t>(c.size) : 0);
    }
}
