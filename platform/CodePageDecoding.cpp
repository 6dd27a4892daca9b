#include "platform/CodePageDecoding.h"

#include "platform/LogFont.h"

#include <QStringDecoder>

const char* AfxCodePageOfCharSet(BYTE charSet)
{
    // The system's default code page for any other set.
    if (charSet == RUSSIAN_CHARSET) {
        return "windows-1251";
    }
    return "windows-1252";
}

std::array<QString, 256> AfxDecodeCodePage(const char* codePage)
{
    // Stateless, so that each byte is decoded on its own whatever came before.
    QStringDecoder decoder(codePage, QStringConverter::Flag::Stateless);
    std::array<QString, 256> characters;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        characters[b] = decoder.decode(QByteArrayView(&byte, 1));
        if (characters[b].isEmpty()) {
            characters[b] = QChar(QChar::ReplacementCharacter);
        }
    }
    return characters;
}
