#pragma once
// Turns the bytes of a text into characters the way a font of a given
// character set shows them: each character set stands for one code page.

#include "platform/WinTypes.h"

#include <QString>
#include <QStringDecoder>

class CCharSetDecoder {
public:
    explicit CCharSetDecoder(BYTE charSet);

    BYTE GetCharSet() const { return m_charSet; }
    // The text of count bytes; bytes that the code page does not define become U+FFFD.
    QString Decode(const char* bytes, qsizetype count);

    // The name of the code page that a character set stands for, as Qt's decoders know it,
    // or null for the symbol character set, whose bytes are their own character codes.
    static const char* CodePageName(BYTE charSet);

private:
    BYTE m_charSet;
    QStringDecoder m_decoder;
};
