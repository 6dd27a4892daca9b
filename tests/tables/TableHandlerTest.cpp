#include "tables/CTableHandler.h"

#include <gtest/gtest.h>

TEST(TableHandler, BaseHandlerAnswersNothingAndChangesNothing)
{
    CTableHandler handler;
    ASSERT_TRUE(handler.AllocateData(600));
    for (int i = 0; i < 600; ++i) {
        handler.m_data[i] = static_cast<std::uint8_t>(i * 7);
    }
    for (int value = 0; value < 0x10000; value += 0x111) {
        EXPECT_EQ(handler.ReverseLookup(static_cast<std::uint16_t>(value)), 0);
    }
    for (int byte = 0; byte < 256; ++byte) {
        EXPECT_EQ(handler.Lookup(static_cast<std::uint8_t>(byte)), 0);
        handler.Assign(static_cast<std::uint8_t>(byte), 0x1234);
        EXPECT_EQ(handler.m_modified[byte], 0);
    }
    for (int i = 0; i < 600; ++i) {
        ASSERT_EQ(handler.m_data[i], static_cast<std::uint8_t>(i * 7));
    }
}

TEST(TableHandler, AllocateDataReplacesTheImageAndKeepsFlagsAndOffsets)
{
    CTableHandler handler;
    ASSERT_TRUE(handler.AllocateData(0));
    EXPECT_EQ(handler.m_length, 0);
    ASSERT_NE(handler.m_data, nullptr);
    for (int i = 0; i < CTableHandler::kSlack; ++i) {
        EXPECT_EQ(handler.m_data[i], 0) << "slack is cleared";
    }
    handler.m_modified[5] = 1;
    handler.m_forwardOffset = 28;
    ASSERT_TRUE(handler.AllocateData(100));
    EXPECT_EQ(handler.m_length, 100);
    EXPECT_EQ(handler.m_modified[5], 1);
    EXPECT_EQ(handler.m_forwardOffset, 28);

    EXPECT_FALSE(handler.AllocateData(-1));
    EXPECT_EQ(handler.m_data, nullptr);
    EXPECT_EQ(handler.m_length, 0);
}
