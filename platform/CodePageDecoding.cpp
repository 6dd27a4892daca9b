#include "platform/CodePageDecoding.h"

#include "platform/LogFont.h"

#include <QStringDecoder>

const char* AfxCodePageOfCharSet(BYTE charSet)
{
    switch (charSet) {
    case SYMBOL_CHARSET: return "ISO-8859-1";
    case MAC_CHARSET: return "macintosh";
    case GREEK_CHARSET: return "windows-1253";
    case TURKISH_CHARSET: return "windows-1254";
    case VIETNAMESE_CHARSET: return "windows-1258";
    case HEBREW_CHARSET: return "windows-1255";
    case ARABIC_CHARSET: return "windows-1256";
    case BALTIC_CHARSET: return "windows-1257";
    case RUSSIAN_CHARSET: return "windows-1251";
    case THAI_CHARSET: return "windows-874";
    case EASTEUROPE_CHARSET: return "windows-1250";
    case OEM_CHARSET: return "IBM437";
    // ANSI_CHARSET, and the system's default code page for any other.
    default: return "windows-1252";
    }
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
