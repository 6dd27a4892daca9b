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
constexpr int kProbePixels = 100;

// The sans font that stands in for a face that is not installed: one with Cyrillic glyphs.
QString FallbackFamily()
{
    static const QString family = [] {
        for (const char* name : {"DejaVu Sans", "Noto Sans", "Liberation Sans", "FreeSans", "Arial"}) {
            if (QFontDatabase::writingSystems(name).contains(QFontDatabase::Cyrillic)) {
                return QString::fromLatin1(name);
            }
        }
        const QStringList cyrillic = QFontDatabase::families(QFontDatabase::Cyrillic);
        return cyrillic.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : cyrillic.first();
    }();
    return family;
}

int ClampPixels(double pixels) { return static_cast<int>(std::clamp(std::lround(pixels), 1L, long{kMaxPixels})); }
} // namespace

double AfxLogicalDpi()
{
    const QScreen* screen = qGuiApp != nullptr ? QGuiApplication::primaryScreen() : nullptr;
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

QString AfxFontFamilyFor(const char* faceName)
{
    const QString face = QString::fromUtf8(faceName != nullptr ? faceName : "");
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) {
        return face;
    }
    return FallbackFamily();
}

QFont LogFontToQFont(const LOGFONT& logFont)
{
    QFont font;
    // The face need not be zero-terminated inside its 32 bytes.
    const QString face = QString::fromUtf8(logFont.lfFaceName, qstrnlen(logFont.lfFaceName, LF_FACESIZE));
    const QString fallback = FallbackFamily();
    font.setFamilies(face.isEmpty() || face == fallback ? QStringList{fallback} : QStringList{face, fallback});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(logFont.lfWeight == FW_DONTCARE ? FW_NORMAL : logFont.lfWeight, 1, 1000)));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);

    const double height = static_cast<double>(logFont.lfHeight);
    if (logFont.lfHeight < 0) {
        font.setPixelSize(ClampPixels(-height));
    } else if (logFont.lfHeight > 0) {
        // A cell height: scale the em so that ascent plus descent come to it.
        QFont probe = font;
        probe.setPixelSize(kProbePixels);
        const QFontMetricsF metrics(probe);
        const double cell = metrics.ascent() + metrics.descent();
        const double cellPerEm = cell > 0 ? cell / kProbePixels : 1.15;
        font.setPixelSize(ClampPixels(height / cellPerEm));
    }
    return font;
}

LOGFONT QFontToLogFont(const QFont& font, BYTE charSet)
{
    LOGFONT logFont{};
    double pixels = font.pixelSize();
    if (pixels <= 0) {
        pixels = font.pointSizeF() * AfxLogicalDpi() / 72.0;
    }
    logFont.lfHeight = -ClampPixels(pixels);
    logFont.lfWeight = static_cast<LONG>(font.weight());
    logFont.lfItalic = font.italic() ? 1 : 0;
    logFont.lfUnderline = font.underline() ? 1 : 0;
    logFont.lfStrikeOut = font.strikeOut() ? 1 : 0;
    logFont.lfCharSet = charSet;
    // Cut the face at a character boundary so that the zero always fits.
    const QByteArray face = font.family().toUtf8();
    qsizetype length = std::min<qsizetype>(face.size(), LF_FACESIZE - 1);
    while (length > 0 && length < face.size() && (static_cast<unsigned char>(face[length]) & 0xC0) == 0x80) {
        --length;
    }
    std::memcpy(logFont.lfFaceName, face.constData(), static_cast<std::size_t>(length));
    return logFont;
}
