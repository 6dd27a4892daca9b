#include "platform/CodePageDecoding.h"

#include "platform/LogFont.h"

#include <QStringDecoder>

const char* AfxCodePageOfCharSet(BYTE charSet)
{
    // The system's default code page for any other set.
    return charSet == RUSSIAN_CHARSET ? "windows-1251" : "windows-1252";
}

bool AfxDecodeCodePage(const std::string& codePage, std::array<std::string, 256>& utf8)
{
    // Stateless, so that each byte is decoded on its own whatever came before.
    QStringDecoder decoder(codePage.c_str(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        return false;
    }
    std::array<std::string, 256> decoded;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        QString text = decoder.decode(QByteArrayView(&byte, 1));
        decoder.resetState();
        if (text.isEmpty()) {
            text = QString(QChar::ReplacementCharacter);
        }
        decoded[b] = text.toUtf8().toStdString();
    }
    utf8 = std::move(decoded);
    return true;
}
