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

TEST(KeyboardHandler, SettersWriteOneByteOrBitAndFlagTheKey)
{
    samples::KeyboardLayoutOptions options;
    for (int key = 1; key <= 7; ++key) {
        options.keys[static_cast<std::size_t>(key)].capsLock = true;
    }
    samples::Bytes expected = samples::MakeKeyboardLayout(options);
    expected[72] &= 0xFE; // bit 0 of byte 72 belongs to no key
    CKeyboardHandler handler;
    ASSERT_TRUE(LoadImage(handler, expected));

    // The value a key already holds: flagged, nothing written.
    handler.SetLow(4, handler.GetLow(4));
    for (int key = 0; key < 14; ++key) {
        handler.SetCapsLock(key, handler.GetCapsLock(key));
    }
    EXPECT_EQ(DifferingOffsets(FileBytes(handler), expected), std::vector<std::size_t>{});
    EXPECT_EQ(FlaggedEntries(handler), std::vector<int>{4});

    handler.SetHigh(13, 0xA7);
    expected[400] = 0xA7;
    handler.SetCapsLock(3, false);
    expected[72] = 0xF6;
    EXPECT_EQ(DifferingOffsets(FileBytes(handler), expected), std::vector<std::size_t>{});
    EXPECT_EQ(FlaggedEntries(handler), (std::vector<int>{3, 4, 13}));
    // The caps-lock bits of keys sharing a byte (12 in 89, 13 in 90) stay apart.
    for (int key : {0, 8, 12, 13}) {
        const samples::KeyboardKeyPlace place = samples::KeyboardPlace(key);
        handler.SetCapsLock(key, !handler.GetCapsLock(key));
        expected[place.caps] ^= place.mask;
    }
    EXPECT_EQ(DifferingOffsets(FileBytes(handler), expected), std::vector<std::size_t>{});
}

TEST(KeyboardHandler, SwapCharsFirstMatchingTestWins)
{
    const std::uint8_t a = 0xE0;
    const std::uint8_t b = 0xE1;
    const std::uint8_t x = 0x61;
    struct Case {
        const char* what;
        std::uint8_t low, high, swapA, swapB;
        std::uint8_t lowAfter, highAfter;
        bool flagged;
    };
    const Case cases[] = {
        {"high a, low b", b, a, a, b, b, b, true},
        {"high b, low a", a, b, a, b, b, b, true},
        {"high a, low a", a, a, a, b, a, b, true},
        {"only low b", b, x, a, b, a, x, true},
        {"only high b", x, b, a, b, x, a, true},
        {"neither", x, x, a, b, x, x, false},
        {"swap a with a on the high", x, a, a, a, x, a, true},
        {"swap a with a on the low", a, x, a, a, a, x, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        samples::KeyboardLayoutOptions options;
        options.keys[9] = {c.low, c.high, false};
        CKeyboardHandler handler;
        ASSERT_TRUE(LoadImage(handler, samples::MakeKeyboardLayout(options)));
        handler.SwapChars(c.swapA, c.swapB);
        EXPECT_EQ(handler.GetLow(9), c.lowAfter);
        EXPECT_EQ(handler.GetHigh(9), c.highAfter);
        EXPECT_EQ(FlaggedEntries(handler), c.flagged ? std::vector<int>{9} : std::vector<int>{});
    }
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
