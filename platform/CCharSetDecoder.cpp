#include "platform/CCharSetDecoder.h"

#include "platform/LogFont.h"

namespace {
constexpr BYTE MAC_CHARSET = 77;
constexpr const char* kAnsiCodePage = "windows-1252";
} // namespace

const char* CCharSetDecoder::CodePageName(BYTE charSet)
{
    switch (charSet) {
    case ANSI_CHARSET: return kAnsiCodePage;
    case SYMBOL_CHARSET: return nullptr;
    case MAC_CHARSET: return "macintosh";
    case SHIFTJIS_CHARSET: return "Shift_JIS";
    case HANGUL_CHARSET: return "windows-949";
    case GB2312_CHARSET: return "GBK";
    case CHINESEBIG5_CHARSET: return "Big5";
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
    // The system's default code page; Johab and unknown sets have no decoder here.
    default: return kAnsiCodePage;
    }
}

CCharSetDecoder::CCharSetDecoder(BYTE charSet) : m_charSet(charSet)
{
    if (const char* name = CodePageName(charSet)) {
        // Every text is decoded whole, so no state may carry over from one to the next.
        m_decoder = QStringDecoder(name, QStringConverter::Flag::Stateless);
        if (!m_decoder.isValid()) {
            m_decoder = QStringDecoder(kAnsiCodePage, QStringConverter::Flag::Stateless);
        }
    }
}

QString CCharSetDecoder::Decode(const char* bytes, qsizetype count)
{
    if (!m_decoder.isValid()) {
        // The symbol set, or a Qt without code-page decoders: one byte, one character.
        return QString::fromLatin1(bytes, count);
    }
    QString text = m_decoder.decode(QByteArrayView(bytes, count));
    m_decoder.resetState();
    return text;
}
