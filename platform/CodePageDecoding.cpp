#include "platform/CodePageDecoding.h"

#include "platform/LogFont.h"

#include <QStringDecoder>

const char* AfxCodePageOfCharSet(BYTE charSet)
{
    // The system's default code page for any other set.
    return charSet == RUSSIAN_CHARSET ? "windows-1251" : "windows-1252";
}

namespace {
// A single-byte set turns every byte into one character, so that any text
// keeps its length; a multi-byte set (UTF-8, UTF-16, Shift_JIS, ...) joins
// some of the 65,536 pairs of bytes into one character, or splits them.
bool IsSingleByte(QStringDecoder& decoder)
{
    QByteArray pairs;
    pairs.reserve(2 * 65536);
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            pairs.append(static_cast<char>(first)).append(static_cast<char>(second));
        }
    }
    const QString text = decoder.decode(pairs);
    decoder.resetState();
    return text.size() == pairs.size();
}
} // namespace

bool AfxDecodeCodePage(const std::string& codePage, std::array<std::string, 256>& utf8)
{
    // Stateless, so that each byte is decoded on its own whatever came before.
    QStringDecoder decoder(codePage.c_str(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid() || !IsSingleByte(decoder)) {
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
