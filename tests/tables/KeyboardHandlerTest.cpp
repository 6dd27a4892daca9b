#include "tables/CKeyboardHandler.h"

#include "tests/HandlerImage.h"
#include "tools/SampleGenerator.h"

#include <gtest/gtest.h>


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
