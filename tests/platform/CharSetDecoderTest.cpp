#include "platform/CCharSetDecoder.h"

#include "platform/LogFont.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(CharSetDecoder, EachCharacterSetDecodesItsCodePage)
{
    struct Case {
        BYTE charSet;
        const char* bytes;
        char16_t expected;
    };
    const Case cases[] = {
        {RUSSIAN_CHARSET, "\xC0", u'\u0410'},
        {RUSSIAN_CHARSET, "\xFF", u'\u044F'},
        {ANSI_CHARSET, "\x80", u'\u20AC'},
        {ANSI_CHARSET, "\xC0", u'\u00C0'},
        {DEFAULT_CHARSET, "\x80", u'\u20AC'},
        {EASTEUROPE_CHARSET, "\x8A", u'\u0160'},
        {GREEK_CHARSET, "\xC1", u'\u0391'},
        {TURKISH_CHARSET, "\xD0", u'\u011E'},
        {HEBREW_CHARSET, "\xE0", u'\u05D0'},
        {ARABIC_CHARSET, "\xC7", u'\u0627'},
        {BALTIC_CHARSET, "\xC0", u'\u0104'},
        {VIETNAMESE_CHARSET, "\xD2", u'\u0309'},
        {THAI_CHARSET, "\xA1", u'\u0E01'},
        {OEM_CHARSET, "\x80", u'\u00C7'},
        {SHIFTJIS_CHARSET, "\x82\xA0", u'\u3042'},
        // The symbol set has no code page: each byte is its own character.
        {SYMBOL_CHARSET, "\xC0", u'\u00C0'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "character set " << int(c.charSet));
        CCharSetDecoder decoder(c.charSet);
        const QString text = decoder.Decode(c.bytes, qsizetype(std::strlen(c.bytes)));
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(text[0].unicode(), c.expected);
    }
}

TEST(CharSetDecoder, NoStateCarriesFromOneTextToTheNext)
{
    // A lone lead byte shows nothing of its own and must not swallow the first byte of the next text.
    CCharSetDecoder decoder(SHIFTJIS_CHARSET);
    const QString broken = decoder.Decode("\x82", 1);
    EXPECT_TRUE(broken.isEmpty() || broken == QString(QChar(0xFFFD))) << broken.toStdString();
    EXPECT_EQ(decoder.Decode("A", 1), QStringLiteral("A"));
}

TEST(CharSetDecoder, DecodesZeroBytesInsideACountedText)
{
    CCharSetDecoder decoder(RUSSIAN_CHARSET);
    const QString text = decoder.Decode("a\0\xC1", 3);
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(text[1].unicode(), 0);
    EXPECT_EQ(text[2].unicode(), 0x0411);
}

} // namespace
