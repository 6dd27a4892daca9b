#include "tables/CKeyboardHandler.h"

#include "tests/tables/HandlerImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Every key holds 'q' and 'Q' but the one given.
samples::KeyboardLayoutOptions OneKey(int key, std::uint8_t low, std::uint8_t high)
{
    samples::KeyboardLayoutOptions options;
    for (samples::KeyboardKey& each : options.keys) {
        each = {'q', 'Q', false};
    }
    options.keys[static_cast<std::size_t>(key)] = {low, high, false};
    return options;
}

} // namespace

TEST(KeyboardHandler, KeysSitWhereTheLayoutKeepsThem)
{
    CKeyboardHandler handler;
    samples::KeyboardLayoutOptions options;
    for (int key = 0; key < 14; ++key) {
        options.keys[static_cast<std::size_t>(key)] = {static_cast<std::uint8_t>(0xA0 + key), static_cast<std::uint8_t>(0xC0 + key), key % 3 == 0};
        samples::KeyboardKeyPlace place = samples::KeyboardPlace(key);
        EXPECT_EQ(static_cast<std::size_t>(handler.m_lowOffsets[key]), place.low) << key;
        EXPECT_EQ(static_cast<std::size_t>(handler.m_highOffsets[key]), place.high) << key;
        EXPECT_EQ(handler.m_capsOffsets[key], place.caps) << key;
        EXPECT_EQ(handler.m_capsMasks[key], place.mask) << key;
    }
    LoadImage(handler, samples::MakeKeyboardLayout(options));
    for (int key = 0; key < 14; ++key) {
        EXPECT_EQ(handler.GetLow(key), 0xA0 + key);
        EXPECT_EQ(handler.GetHigh(key), 0xC0 + key);
        EXPECT_EQ(handler.GetCapsLock(key), key % 3 == 0);
    }
    EXPECT_TRUE(handler.IsImageLongEnough());
}

TEST(KeyboardHandler, SettersFlagTheKeyEvenWithoutAChange)
{
    samples::Bytes original = samples::MakeKeyboardLayout({});
    CKeyboardHandler handler;
    LoadImage(handler, original);
    handler.SetLow(4, handler.GetLow(4));
    EXPECT_TRUE(ChangedOffsets(handler, original).empty());
    EXPECT_EQ(FlaggedEntries(handler), std::vector<int>{4});
    handler.SetHigh(13, 0xA7);
    EXPECT_EQ(handler.GetHigh(13), 0xA7);
    EXPECT_EQ(ChangedOffsets(handler, original), std::vector<std::size_t>{400});
    EXPECT_EQ(FlaggedEntries(handler), (std::vector<int>{4, 13}));
}

TEST(KeyboardHandler, SetCapsLockFlipsOneBitOnlyWhenTheStateChanges)
{
    samples::KeyboardLayoutOptions options;
    for (int key = 1; key <= 7; ++key) {
        options.keys[static_cast<std::size_t>(key)].capsLock = true;
    }
    samples::Bytes original = samples::MakeKeyboardLayout(options);
    original[72] &= 0xFE; // bit 0 of byte 72 belongs to no key
    CKeyboardHandler handler;
    LoadImage(handler, original);
    ASSERT_EQ(handler.m_data[72], 0xFE);

    for (int key = 0; key < 14; ++key) {
        handler.SetCapsLock(key, handler.GetCapsLock(key));
    }
    EXPECT_TRUE(ChangedOffsets(handler, original).empty());
    EXPECT_TRUE(FlaggedEntries(handler).empty());

    handler.SetCapsLock(3, false);
    EXPECT_EQ(handler.m_data[72], 0xF6);
    EXPECT_EQ(FlaggedEntries(handler), std::vector<int>{3});
    for (int key = 0; key < 14; ++key) {
        EXPECT_EQ(handler.GetCapsLock(key), key >= 1 && key <= 7 && key != 3) << key;
    }
    // The neighbours of key 12 in byte 89 and of key 13 in byte 90 keep their bits too.
    for (int key : {0, 8, 12, 13}) {
        std::uint8_t caps = handler.m_capsOffsets[key];
        std::uint8_t before = handler.m_data[caps];
        handler.SetCapsLock(key, !handler.GetCapsLock(key));
        EXPECT_EQ(handler.m_data[caps] ^ before, handler.m_capsMasks[key]) << key;
    }
}

TEST(KeyboardHandler, KeyNamesCopyTheirTerminatingZero)
{
    struct Case {
        int key;
        const char* name;
    };
    const Case cases[] = {{0, "~ `"}, {1, "1 !"}, {7, "7 &&"}, {12, "= +"}, {13, "\\ |"}};
    CKeyboardHandler handler;
    for (const Case& c : cases) {
        char text[32];
        std::memset(text, 'x', sizeof text);
        int copied = handler.GetKeyName(c.key, text);
        EXPECT_STREQ(text, c.name);
        EXPECT_EQ(copied, static_cast<int>(std::strlen(c.name)) + 1);
        EXPECT_EQ(text[copied], 'x') << "nothing written behind the name";
    }
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
        samples::Bytes original = samples::MakeKeyboardLayout(OneKey(9, c.low, c.high));
        CKeyboardHandler handler;
        LoadImage(handler, original);
        handler.SwapChars(c.swapA, c.swapB);
        EXPECT_EQ(handler.GetLow(9), c.lowAfter);
        EXPECT_EQ(handler.GetHigh(9), c.highAfter);
        EXPECT_EQ(FlaggedEntries(handler), c.flagged ? std::vector<int>{9} : std::vector<int>{});
        EXPECT_LE(ChangedOffsets(handler, original).size(), 1u);
    }
}

TEST(KeyboardHandler, ShortImagesAndStrayKeysTouchNothingOutside)
{
    samples::Bytes whole = samples::MakeKeyboardLayout({});
    samples::Bytes bytes(whole.begin(), whole.begin() + 360); // lows inside, highs past the end
    CKeyboardHandler handler;
    LoadImage(handler, bytes);
    EXPECT_FALSE(handler.IsImageLongEnough());
    EXPECT_EQ(handler.GetLow(13), whole[351]);
    EXPECT_EQ(handler.GetHigh(0), 0);
    handler.SetHigh(0, 'z');
    handler.SetLow(2, 'z');
    EXPECT_EQ(FlaggedEntries(handler), std::vector<int>{2});
    EXPECT_EQ(ChangedOffsets(handler, bytes), std::vector<std::size_t>{328});

    for (int key : {-1, 14, 1000}) {
        EXPECT_EQ(handler.GetLow(key), 0);
        EXPECT_FALSE(handler.GetCapsLock(key));
        handler.SetLow(key, 'z');
        handler.SetCapsLock(key, true);
        char text[16];
        EXPECT_EQ(handler.GetKeyName(key, text), 1);
        EXPECT_STREQ(text, "");
    }
    EXPECT_EQ(FlaggedEntries(handler), std::vector<int>{2});
    for (int i = 0; i < CTableHandler::kSlack; ++i) {
        ASSERT_EQ(handler.m_data[handler.m_length + i], 0);
    }
}
