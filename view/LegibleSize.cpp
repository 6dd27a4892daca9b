#include "view/LegibleSize.h"

#include "document/CVarnoDoc.h"
#include "platform/CodePageDecoding.h"
#include "platform/FontConversion.h"
#include "tables/CKeyboardHandler.h"
#include "view/TableLayout.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

// Measures the texts of a table as the view draws them in the font: bytes are
// characters of the font's character set.
class TextWidths {
public:
    explicit TextWidths(const LOGFONT& logFont)
        : m_font(LogFontToQFont(logFont)), m_metrics(m_font), m_lineHeight(QFontMetrics(m_font).height()),
          m_characters(AfxDecodeCodePage(AfxCodePageOfCharSet(logFont.lfCharSet)))
    {
    }

    // As the view's texts step from line to line.
    LONG LineHeight() const { return m_lineHeight; }
    double Width(const QString& text) const { return m_metrics.horizontalAdvance(text); }

    // The widest character of the bytes first to 0xFF.
    QString WidestByte(int first) const
    {
        QString widest;
        for (int b = first; b <= 0xFF; ++b) {
            if (Width(m_characters[b]) > Width(widest)) {
                widest = m_characters[b];
            }
        }
        return widest;
    }

    QString WidestHexDigit() const
    {
        QString widest;
        for (QChar digit : QStringLiteral("0123456789ABCDEF")) {
            if (Width(digit) > Width(widest)) {
                widest = digit;
            }
        }
        return widest;
    }

    // A text of the pattern, each 'c' standing for the character and each 'h' for the digit.
    QString Fill(const char* pattern, const QString& character, const QString& digit) const
    {
        QString text;
        for (const char* p = pattern; *p != '\0'; ++p) {
            if (*p == 'c') {
                text += character;
            } else if (*p == 'h') {
                text += digit;
            } else {
                text += QChar::fromLatin1(*p);
            }
        }
        return text;
    }

    // A column's room: the text and a space's width to keep it off the next one.
    LONG Room(double width) const { return static_cast<LONG>(std::ceil(width + Width(QStringLiteral(" ")))); }

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    LONG m_lineHeight;
    std::array<QString, 256> m_characters;
};

SIZE GridSize(const TextWidths& widths, bool gdiModule)
{
    // "%c=%04X=%02X" in code-page files, "%c(%02X)=%04X" in GDI modules.
    const char* pattern = gdiModule ? "c(hh)=hhhh" : "c=hhhh=hh";
    const QString cell = widths.Fill(pattern, widths.WidestByte(0x80), widths.WidestHexDigit());
    return GetCharGridClientSize(widths.Room(widths.Width(cell)), widths.LineHeight());
}

SIZE KeyTableSize(const TextWidths& widths)
{
    double column = std::max(widths.Width(QStringLiteral("ON")), widths.Width(QStringLiteral("off")));
    // A key's byte "%c(%02X)"; any byte may stand on a key.
    column = std::max(column, widths.Width(widths.Fill("c(hh)", widths.WidestByte(0x20), widths.WidestHexDigit())));
    for (const char* name : CKeyboardHandler::kKeyNames) {
        // Drawn with "&&" as one "&".
        const QString shown = QString::fromLatin1(name).replace(QStringLiteral("&&"), QStringLiteral("&"));
        column = std::max(column, widths.Width(shown));
    }
    double header = 0;
    for (const char* line : {"Key", "low", "HIGH", "CapsLock"}) {
        header = std::max(header, widths.Width(QString::fromLatin1(line)));
    }
    const LONG step = std::max(widths.Room(column), (widths.Room(header) + 1) / 2);
    return GetKeyTableClientSize(step, widths.LineHeight());
}

std::string FontKey(const LOGFONT& logFont, int kind)
{
    char key[96];
    std::snprintf(key, sizeof key, "%d|%ld|%ld|%d|%d|%d|%d|%.*s", kind, static_cast<long>(logFont.lfHeight),
                  static_cast<long>(logFont.lfWeight), logFont.lfItalic, logFont.lfUnderline, logFont.lfStrikeOut,
                  logFont.lfCharSet, static_cast<int>(strnlen(logFont.lfFaceName, LF_FACESIZE)), logFont.lfFaceName);
    return key;
}

} // namespace

SIZE GetLegibleSize(const LOGFONT& logFont, int kind)
{
    if (kind == CVarnoDoc::kindUndefined) {
        return {0, 0};
    }
    // Asked for at every layout of a window: measured once a font and kind.
    static std::map<std::string, SIZE> measured;
    const std::string key = FontKey(logFont, kind);
    if (const auto found = measured.find(key); found != measured.end()) {
        return found->second;
    }
    const TextWidths widths(logFont);
    const SIZE size = kind == CVarnoDoc::kindKeyboard ? KeyTableSize(widths)
                                                      : GridSize(widths, kind == CVarnoDoc::kindGdiModule);
    return measured.emplace(key, size).first->second;
}
