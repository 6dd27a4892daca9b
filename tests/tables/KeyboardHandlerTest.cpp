#include "tables/CKeyboardHandler.h"

#include "tests/HandlerImage.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

TEST(KeyboardHandler, KeysReadFromWhereTheLayoutKeepsThem)
{
    samples::KeyboardLayoutOptions options;
    for (int key = 0; key < 14; ++key) {
        options.keys[static_cast<std::size_t>(key)] = {static_cast<std::uint8_t>(0xA0 + key),
                                                       static_cast<std::uint8_t>(0xC0 + key), key % 3 == 0};
    }
    CKeyboardHandler handler;
    ASSERT_TRUE(LoadImage(handler, samples::MakeKeyboardLayout(options)));
    for (int key = 0; key < 14; ++key) {
        EXPECT_EQ(handler.GetLow(key), 0xA0 + key);
        EXPECT_EQ(handler.GetHigh(key), 0xC0 + key);
        EXPECT_EQ(handler.GetCapsLock(key), key % 3 == 0);
    }
    EXPECT_TRUE(handler.IsImageLongEnough());
}

TEST(KeyboardHandler, ShortImagesAndStrayKeysTouchNothingOutside)
{
    samples::Bytes whole = samples::MakeKeyboardLayout({});
    samples::Bytes bytes(whole.begin(), whole.begin() + 360); // lows inside, highs past the end
    CKeyboardHandler handler;
    ASSERT_TRUE(LoadImage(handler, bytes));
    EXPECT_FALSE(handler.IsImageLongEnough());
    EXPECT_EQ(handler.GetLow(13), whole[351]);
    EXPECT_EQ(handler.GetHigh(0), 0);
    handler.SetHigh(0, 'z');
    handler.SetLow(2, 'z');
    for (int key : {-1, 14, 1000}) {
        EXPECT_EQ(handler.GetLow(key), 0);
        EXPECT_FALSE(handler.GetCapsLock(key));
        handler.SetLow(key, 'z');
        handler.SetCapsLock(key, true);
    }
    EXPECT_EQ(FlaggedEntries(handler), std::vector<int>{2});
    EXPECT_EQ(DifferingOffsets(FileBytes(handler), bytes), std::vector<std::size_t>{328});
    for (int i = 0; i < CTableHandler::kSlack; ++i) {
        ASSERT_EQ(handler.m_data[handler.m_length + i], 0);
    }
}
