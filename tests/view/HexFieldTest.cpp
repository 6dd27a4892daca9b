#include "view/HexField.h"

#include <gtest/gtest.h>

namespace {

struct ScanCase {
    const char* text;
    HexDigits digits;
    int expected;
};

constexpr int kBefore = 0x5A5A;

// What the dialogs read back from a field, as the C library's scanner reads it.
const ScanCase kCases[] = {
    {"8A", HexDigits::Two, 0x8A},
    {"8a", HexDigits::Two, 0x8A},
    {"   9F", HexDigits::Two, 0x9F},
    {"\t9f", HexDigits::Two, 0x9F},
    {"123", HexDigits::Two, 0x12},
    {"F", HexDigits::Two, 0xF},
    {"7Z", HexDigits::Two, 0x7},
    {"", HexDigits::Two, kBefore},
    {"   ", HexDigits::Two, kBefore},
    {"G1", HexDigits::Two, kBefore},
    {"zz", HexDigits::Two, kBefore},
    {"0410", HexDigits::Four, 0x410},
    {"44B", HexDigits::Four, 0x44B},
    {"44b", HexDigits::Four, 0x44B},
    {"12345", HexDigits::Four, 0x1234},
    {" 0044B", HexDigits::Four, 0x44},
    {"", HexDigits::Four, kBefore},
    {"x41", HexDigits::Four, kBefore},
    {"1A3", HexDigits::Any, 0x1A3},
    {"1a3", HexDigits::Any, 0x1A3},
    {"21", HexDigits::Any, 0x21},
    {"  0x41", HexDigits::Any, 0x41},
    {"12345678", HexDigits::Any, 0x12345678},
    {"C0 ignored", HexDigits::Any, 0xC0},
    {"", HexDigits::Any, kBefore},
    {"-", HexDigits::Any, kBefore},
    {"Q", HexDigits::Any, kBefore},
};

} // namespace

TEST(HexField, ScansAsTheCLibraryDoesAndKeepsTheValueWhenNothingConverts)
{
    for (const ScanCase& scan : kCases) {
        int value = kBefore;
        ScanHexField(scan.text, scan.digits, &value);
        EXPECT_EQ(value, scan.expected) << '"' << scan.text << "\" with " << static_cast<int>(scan.digits);
    }
}
