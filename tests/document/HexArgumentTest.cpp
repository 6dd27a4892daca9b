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
