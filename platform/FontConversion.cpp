#include "platform/FontConversion.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr int kMaxPixels = 4096;
// The size at which a font's cell is measured before it is scaled to a cell height.
constexpr int kProbePixels = 100;

QString FindFallbackFamily()
{
    for (const char* name : {"DejaVu Sans", "Noto Sans", "Liberation Sans", "FreeSans", "Arial"}) {
        if (QFontDatabase::writingSystems(name).contains(QFontDatabase::Cyrillic)) {
            return QString::fromLatin1(name);
        }
    }
    const QStringList cyrillic = QFontDatabase::families(QFontDatabase::Cyrillic);
    if (cyrillic.isEmpty()) {
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }
    return cyrillic.first();
}

int ClampPixels(double pixels)
{
    return static_cast<int>(std::clamp(std::lround(pixels), 1L, long{kMaxPixels}));
}

// The pixel size at which the font's ascent and descent together come to the cell height.
int PixelSizeForCell(const QFont& font, double cellHeight)
{
    QFont probe = font;
    probe.setPixelSize(kProbePixels);
    const QFontMetricsF metrics(probe);
    const double cell = metrics.ascent() + metrics.descent();
    if (cell <= 0) {
        // A font without metrics: its em is taken for the cell.
        return ClampPixels(cellHeight);
    }
    return ClampPixels(cellHeight / (cell / kProbePixels));
}

// The screen's logical resolution that turns points into pixels (96 without a screen).
double LogicalDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return 96.0;
    }
    return screen->logicalDotsPerInchY();
}

// Whether the byte continues a character of UTF-8 rather than starts one.
bool IsContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}
} // namespace

QString AfxFallbackFontFamily()
{
    static const QString family = FindFallbackFamily();
    return family;
}

QFont LogFontToQFont(const LOGFONT& logFont)
{
    // The face need not be zero-terminated inside its 32 bytes.
    const QString face = QString::fromUtf8(logFont.lfFaceName, qstrnlen(logFont.lfFaceName, LF_FACESIZE));
    QStringList families{AfxFallbackFontFamily()};
    // An empty face would match any font at all, a serif one or one without Cyrillic.
    if (!face.isEmpty()) {
        families.prepend(face);
    }
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    LONG weight = logFont.lfWeight;
    if (weight == FW_DONTCARE) {
        weight = FW_NORMAL;
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(weight, 1, 1000)));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    // Negative: the character height; positive: the cell height; 0 keeps the default size.
    if (logFont.lfHeight < 0) {
        font.setPixelSize(ClampPixels(-static_cast<double>(logFont.lfHeight)));
    }
    if (logFont.lfHeight > 0) {
        font.setPixelSize(PixelSizeForCell(font, logFont.lfHeight));
    }
    return font;
}

LOGFONT QFontToLogFont(const QFont& font, BYTE charSet)
{
    LOGFONT logFont{};
    logFont.lfHeight = -ClampPixels(font.pointSizeF() * LogicalDpi() / 72.0);
    logFont.lfWeight = static_cast<LONG>(font.weight());
    logFont.lfItalic = static_cast<BYTE>(font.italic());
    logFont.lfUnderline = static_cast<BYTE>(font.underline());
    logFont.lfStrikeOut = static_cast<BYTE>(font.strikeOut());
    logFont.lfCharSet = charSet;
    // Cut the face at a character boundary so that the zero always fits.
    const QByteArray face = font.family().toUtf8();
    qsizetype length = std::min<qsizetype>(face.size(), LF_FACESIZE - 1);
    while (length > 0 && length < face.size() && IsContinuationByte(face[length])) {
        --length;
    }
    std::memcpy(logFont.lfFaceName, face.constData(), static_cast<std::size_t>(length));
    return logFont;
}
