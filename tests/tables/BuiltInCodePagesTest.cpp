// The built-in code pages, which come from the published mapping tables,
// checked byte by byte against glibc's iconv, which was made from its own copy.

#include "tables/BuiltInCodePages.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The byte's value in glibc's code page, or nothing when glibc leaves it undefined.
// A space behind it makes the decoders that wait for a combining mark
// (windows-1255, windows-1258) give the byte's own character.
std::optional<std::uint16_t> GlibcValue(const std::string& charset, int byte)
{
    const std::optional<std::string> utf16 = Iconv("UTF-16LE", charset.c_str(), {static_cast<char>(byte), ' '});
    if (!utf16 || utf16->size() != 4) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>((*utf16)[0]) | static_cast<std::uint8_t>((*utf16)[1]) << 8);
}

std::string GlibcName(const std::string& name)
{
    if (name.starts_with("windows-")) {
        return "CP" + name.substr(8);
    }
    if (name == "x-mac-cyrillic") {
        return "MAC-CYRILLIC";
    }
    return name;
}

// Where Apple's revised tables, which the built-in ones follow, differ from
// the older ones that glibc copied.
struct Revision {
    const char* codePage;
    int byte;
    std::uint16_t value;
};
const Revision kAppleRevisions[] = {
    {"macintosh", 0xC6, 0x2206},      // INCREMENT, not GREEK CAPITAL LETTER DELTA
    {"macintosh", 0xF0, 0xF8FF},      // the Apple logo in the private use area
    {"x-mac-cyrillic", 0xFF, 0x20AC}, // EURO SIGN, not CURRENCY SIGN
};

std::optional<std::uint16_t> ExpectedValue(const BuiltInCodePage& codePage, int byte)
{
    for (const Revision& revision : kAppleRevisions) {
        if (codePage.name == std::string(revision.codePage) && byte == revision.byte) {
            return revision.value;
        }
    }
    return GlibcValue(GlibcName(codePage.name), byte);
}

TEST(BuiltInCodePages, AgreeWithGlibcOnEveryByte)
{
    for (const BuiltInCodePage& codePage : BuiltInCodePages()) {
        SCOPED_TRACE(codePage.name);
        for (int byte = 0; byte < 256; ++byte) {
            SCOPED_TRACE(byte);
            EXPECT_EQ(BuiltInCodePageValue(codePage, static_cast<std::uint8_t>(byte)), ExpectedValue(codePage, byte));
        }
    }
}

TEST(BuiltInCodePages, AreFoundByNameOrAliasInAnyCase)
{
    const struct {
        const char* asked;
        const char* found;
    } names[] = {{"windows-1253", "windows-1253"}, {"WINDOWS-1253", "windows-1253"}, {"cp1253", "windows-1253"},
                 {"Latin-5", "ISO-8859-9"}, {"latin-6", "ISO-8859-10"}};
    for (const auto& name : names) {
        const BuiltInCodePage* codePage = FindBuiltInCodePage(name.asked);
        ASSERT_NE(codePage, nullptr) << name.asked;
        EXPECT_STREQ(codePage->name, name.found);
    }
    EXPECT_EQ(FindBuiltInCodePage("windows-125"), nullptr);
    EXPECT_EQ(FindBuiltInCodePage("c_1253.nls"), nullptr);
}

} // namespace
