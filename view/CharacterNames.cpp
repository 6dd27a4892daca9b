#include "view/CharacterNames.h"

#include <QStringDecoder>

#include <unicode/uchar.h>
#include <unicode/utf.h>

namespace {
// Private-use values count as graphic, but no font agrees on what they show.
bool HasGlyph(char32_t c)
{
    return u_isgraph(static_cast<UChar32>(c)) && u_charType(static_cast<UChar32>(c)) != U_PRIVATE_USE_CHAR;
}

// What a value is when ICU gives it no name.
QString KindOf(char32_t c)
{
    const auto character = static_cast<UChar32>(c);
    if (U_IS_UNICODE_NONCHAR(character)) {
        return QStringLiteral("noncharacter");
    }
    switch (u_charType(character)) {
    case U_CONTROL_CHAR: return QStringLiteral("control character");
    case U_SURROGATE: return QStringLiteral("surrogate half");
    case U_PRIVATE_USE_CHAR: return QStringLiteral("private use");
    default: return QStringLiteral("unassigned");
    }
}
} // namespace

QString HexText(unsigned value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString ByteGlyph(std::uint8_t byte, const char* codePage)
{
    QStringDecoder decoder(codePage, QStringConverter::Flag::Stateless);
    const char text = static_cast<char>(byte);
    const QString decoded = decoder.decode(QByteArrayView(&text, 1));
    if (decoded.size() != 1 || !HasGlyph(decoded.front().unicode())) {
        return {};
    }
    return decoded;
}

char16_t CellLetter(std::uint16_t unicode) { return HasGlyph(unicode) ? char16_t(unicode) : kNoGlyphMark; }

QString CellCharacter(std::uint16_t unicode)
{
    const QChar letter(CellLetter(unicode));
    QString text;
    if (letter.isMark()) {
        text += QChar(kNoGlyphMark);
    }
    text += letter;
    if (letter.direction() == QChar::DirR || letter.direction() == QChar::DirAL) {
        text += QChar(u'\u200E');
    }
    return text;
}

QString ByteWithGlyph(std::uint8_t byte, const char* codePage)
{
    const QString glyph = ByteGlyph(byte, codePage);
    return HexText(byte, 2) + QStringLiteral(" (") + (glyph.isEmpty() ? QStringLiteral("no glyph") : glyph)
        + QLatin1Char(')');
}

QString UnicodeName(std::uint16_t unicode)
{
    UErrorCode status = U_ZERO_ERROR;
    char name[128] = {};
    u_charName(unicode, U_UNICODE_CHAR_NAME, name, sizeof name, &status);
    return U_SUCCESS(status) && name[0] != '\0' ? QString::fromLatin1(name) : KindOf(unicode);
}

QString DescribeUnicode(std::uint16_t unicode)
{
    const QString value = QStringLiteral("U+") + HexText(unicode, 4);
    const QString named = UnicodeName(unicode);
    if (!HasGlyph(unicode)) {
        return value + QLatin1Char(' ') + named + QStringLiteral(", no glyph");
    }
    return value + QLatin1Char(' ') + QString(QChar(unicode)) + QLatin1Char(' ') + named;
}
