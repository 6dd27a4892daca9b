#include "document/HexArgument.h"

#include <gtest/gtest.h>

TEST(HexArgument, AcceptsHexadecimalNumbersWithinTheLimitOnly)
{
    const struct {
        const char* text;
        unsigned maxValue;
        std::optional<unsigned> value;
    } cases[] = {
        {"C0", 0xFF, 0xC0},      {"c0", 0xFF, 0xC0},     {"0xc0", 0xFF, 0xC0},    {"0XFF", 0xFF, 0xFF},
        {"0", 0xFF, 0},          {"00000041", 0xFF, 0x41}, {"100", 0xFF, {}},     {"FFFF", 0xFFFF, 0xFFFF},
        {"10000", 0xFFFF, {}},   {"FFFFFFFFFFFFFFFF1", 0xFFFF, {}},              {"", 0xFF, {}},
        {"0x", 0xFF, {}},        {"x1", 0xFF, {}},       {" C0", 0xFF, {}},       {"C0 ", 0xFF, {}},
        {"-1", 0xFF, {}},        {"+1", 0xFF, {}},       {"C0h", 0xFF, {}},       {"1g", 0xFF, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseHexArgument(c.text, c.maxValue), c.value) << '"' << c.text << '"';
    }
}

TEST(HexArgument, ATableEntryTakesAnyUtf16CodeUnitButASurrogate)
{
    for (const unsigned value : {0x0000u, 0xD7FFu, 0xE000u, 0xFFFFu}) {
        EXPECT_EQ(UnicodeValueRefusal(value), std::nullopt) << std::hex << value;
    }
    for (const unsigned value : {0xD800u, 0xDBFFu, 0xDC00u, 0xDFFFu}) {
        EXPECT_NE(UnicodeValueRefusal(value).value_or("").find("a surrogate"), std::string::npos) << std::hex << value;
    }
    EXPECT_EQ(UnicodeValueRefusal(0x10000), "not a value 0000 to FFFF");
}
