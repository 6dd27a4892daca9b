#include "platform/FontConversion.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

QString SansFallbackFamily()
{
    static const QString family = [] {
        const QStringList cyrillic = QFontDatabase::families(QFontDatabase::Cyrillic);
        for (const char* preferred : {"DejaVu Sans", "Noto Sans", "Liberation Sans", "Nimbus Sans", "FreeSans"}) {
            if (cyrillic.contains(QString::fromLatin1(preferred))) {
                return QString::fromLatin1(preferred);
            }
        }
        for (const QString& candidate : cyrillic) {
            if (!QFontDatabase::isFixedPitch(candidate) && candidate.contains(QLatin1String("Sans"))) {
                return candidate;
            }
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

// The largest pixel size whose ascent + descent fits the cell height.
int PixelSizeForCellHeight(QFont font, int cellHeight)
{
    font.setPixelSize(cellHeight);
    int height = QFontMetrics(font).height();
    if (height <= cellHeight) {
        return cellHeight;
    }
    int pixelSize = std::max(1, cellHeight * cellHeight / height);
    for (;;) {
        font.setPixelSize(pixelSize + 1);
        if (QFontMetrics(font).height() > cellHeight) {
            break;
        }
        ++pixelSize;
    }
    while (pixelSize > 1) {
        font.setPixelSize(pixelSize);
        if (QFontMetrics(font).height() <= cellHeight) {
            break;
        }
        --pixelSize;
    }
    return pixelSize;
}

} // namespace

double AfxLogicalDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

QString AfxFontFamilyFor(const char* faceName)
{
    QString face = QString::fromUtf8(faceName != nullptr ? faceName : "");
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) {
        return face;
    }
    return SansFallbackFamily();
}

QFont AfxFontFromLogFont(const LOGFONT& logFont)
{
    // The face field need not be terminated; never read past it.
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, logFont.lfFaceName, LF_FACESIZE);

    QFont font(AfxFontFamilyFor(face));
    // Heights beyond any screen would only make the rasteriser allocate without end.
    constexpr LONG kMaxHeight = 4096;
    if (logFont.lfHeight < 0) {
        font.setPixelSize(static_cast<int>(-std::max(logFont.lfHeight, -kMaxHeight)));
    } else if (logFont.lfHeight > 0) {
        font.setPixelSize(PixelSizeForCellHeight(font, std::min(kMaxHeight, logFont.lfHeight)));
    }
    int weight = logFont.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp<int>(logFont.lfWeight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    return font;
}

void AfxLogFontFromFont(const QFont& font, LOGFONT* logFont)
{
    if (logFont == nullptr) {
        return;
    }
    int pixelSize = font.pixelSize();
    if (pixelSize <= 0) {
        pixelSize = static_cast<int>(std::lround(font.pointSizeF() * AfxLogicalDpi() / 72.0));
    }
    logFont->lfHeight = -std::max(1, pixelSize);
    logFont->lfWeight = font.weight();
    logFont->lfItalic = font.italic() ? 1 : 0;
    logFont->lfUnderline = font.underline() ? 1 : 0;
    logFont->lfStrikeOut = font.strikeOut() ? 1 : 0;

    QByteArray face = font.family().toUtf8();
    qsizetype length = std::min<qsizetype>(face.size(), LF_FACESIZE - 1);
    // Do not cut a multi-byte character in two.
    while (length > 0 && length < face.size() && (static_cast<unsigned char>(face[length]) & 0xC0) == 0x80) {
        --length;
    }
    std::memset(logFont->lfFaceName, 0, LF_FACESIZE);
    std::memcpy(logFont->lfFaceName, face.constData(), static_cast<std::size_t>(length));
}
