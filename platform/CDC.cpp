#include "platform/CDC.h"

#include "platform/CFont.h"
#include "platform/CodePageDecoding.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {
// The characters of the 256 bytes of each character set's code page, made once.
const std::array<QString, 256>& CharactersOf(BYTE charSet)
{
    static std::map<BYTE, std::array<QString, 256>> tables;
    auto [found, added] = tables.try_emplace(charSet);
    if (added) {
        std::array<std::string, 256> utf8;
        if (!AfxDecodeCodePage(AfxCodePageOfCharSet(charSet), utf8)) {
            // A Qt without that decoder: the system's default code page.
            AfxDecodeCodePage(AfxCodePageOfCharSet(ANSI_CHARSET), utf8);
        }
        for (std::size_t b = 0; b < utf8.size(); ++b) {
            found->second[b] = QString::fromStdString(utf8[b]);
        }
    }
    return found->second;
}

// A line of text as DrawText shows it: "&&" becomes "&", a single "&" is dropped
// and underlines the character after it, whose position goes into underlined.
std::string StripPrefixes(std::string_view text, std::vector<std::size_t>& underlined)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            shown += text[i];
        } else if (i + 1 < text.size()) {
            ++i;
            if (text[i] != '&') {
                underlined.push_back(shown.size());
            }
            shown += text[i];
        }
    }
    return shown;
}

int ClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN / 2, INT_MAX / 2));
}

// A text laid out once for a font, ready to be drawn again: shaping it is what costs,
// and views draw the same texts at every paint.
struct LaidOutText {
    // A line's pixels drawn once on a background colour: copied again where they land on
    // the same kind of image at the same offset from the pixel grid.
    struct Sprite {
        QRgb background;
        QPainter::RenderHints hints;
        QPoint origin; // of the line in the pixels
        QImage pixels;
    };
    // Few colours per text: the newest are kept.
    static constexpr std::size_t kSpritesPerLine = 2;
    struct Line {
        std::unique_ptr<QTextLayout> glyphs; // shaped with the painter's font
        qreal ascent = 0;
        // Relative to the left end of the baseline: the glyph boxes (advance by ascent
        // and descent), the underlines, and the pixels that glyphs and underlines touch,
        // measured at the first copy.
        QRectF background;
        QList<QRect> underlines;
        std::optional<QRect> ink;
        // A line drawn once may never come again: copies start at its second drawing.
        bool drawn = false;
        std::vector<Sprite> sprites;
    };
    std::vector<Line> lines;
};

// The drawn texts of every font, by font and bytes; started afresh when full. Painting
// happens on the GUI thread only.
std::unordered_map<std::string, LaidOutText>& LayoutCache()
{
    static std::unordered_map<std::string, LaidOutText> cache;
    return cache;
}
constexpr std::size_t kCachedTexts = 8192;
} // namespace

struct CDC::Impl {
    explicit Impl(QPainter* p) : painter(p) {}

    QPainter* painter;
    CFont stockFont;
    CFont* selected = &stockFont;
    QFont font;
    BYTE charSet = DEFAULT_CHARSET;
    // What the last drawing set up for the selected font: reused until another is selected.
    bool fontApplied = false;
    std::optional<QFontMetrics> metrics;
    int ascent = 0;
    int lineHeight = 0;
    // The characters of the 256 bytes in the character set's code page.
    const std::array<QString, 256>* characters = nullptr;
    // A cache key: what tells the painter's font and character set apart, then the bytes.
    std::string key;
    std::size_t fontKeyLength = 0;
    COLORREF background = RGB(255, 255, 255);

    void PrepareFont()
    {
        if (!fontApplied) {
            painter->setFont(font);
            const QFont& applied = painter->font();
            metrics.emplace(applied);
            ascent = metrics->ascent();
            lineHeight = metrics->height();
            const int dpi = painter->device() != nullptr ? painter->device()->logicalDpiY() : 0;
            key = QStringLiteral("%1|%2|%3|%4|").arg(applied.key(), applied.families().join(u','))
                      .arg(dpi).arg(charSet).toStdString();
            fontKeyLength = key.size();
            characters = &CharactersOf(charSet);
            fontApplied = true;
        }
    }

    LaidOutText& LayOut(const char* text, std::size_t length)
    {
        key.resize(fontKeyLength);
        key.append(text, length);
        auto& cache = LayoutCache();
        if (const auto found = cache.find(key); found != cache.end()) {
            return found->second;
        }
        if (cache.size() >= kCachedTexts) {
            cache.clear();
        } else if (cache.empty()) {
            // Fonts must go before the application does.
            qAddPostRoutine([] { LayoutCache().clear(); });
        }
        return cache.emplace(key, LayOut(std::string_view(text, length))).first->second;
    }

    LaidOutText LayOut(std::string_view bytes) const
    {
        const QFontMetrics& m = *metrics;
        const QFontMetricsF exact(painter->font());
        LaidOutText result;
        std::size_t start = 0;
        for (;;) {
            // A line ends at a line feed, a carriage return or both together.
            const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
            std::vector<std::size_t> underlined;
            QString text;
            for (char byte : StripPrefixes(bytes.substr(start, end - start), underlined)) {
                text += (*characters)[static_cast<unsigned char>(byte)];
            }
            LaidOutText::Line& line = result.lines.emplace_back();
            line.glyphs = std::make_unique<QTextLayout>(text, painter->font(), painter->device());
            // Keeps the shaped glyphs for drawing.
            line.glyphs->setCacheEnabled(true);
            line.glyphs->beginLayout();
            const QTextLine laidOut = line.glyphs->createLine();
            line.glyphs->endLayout();
            line.ascent = laidOut.ascent();
            line.background = QRectF(0, -exact.ascent(), laidOut.horizontalAdvance(), exact.ascent() + exact.descent());
            // Each byte is one character of a single-byte code page.
            for (std::size_t position : underlined) {
                const auto at = static_cast<qsizetype>(position);
                line.underlines.append(QRect(m.horizontalAdvance(text.left(at)), m.underlinePos(),
                                             m.horizontalAdvance(text.mid(at, 1)), std::max(1, m.lineWidth())));
            }
            if (end >= bytes.size()) {
                break;
            }
            start = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
        }
        return result;
    }

    void DrawGlyphs(QPainter& onto, const LaidOutText::Line& line, QPoint origin) const
    {
        line.glyphs->draw(&onto, origin - QPointF(0, line.ascent));
        for (const QRect& underline : line.underlines) {
            onto.fillRect(underline.translated(origin), Qt::black);
        }
    }

    // The image that the painter puts its pixels straight onto, when a line drawn on
    // another image of its kind can be copied there unchanged; null otherwise.
    QImage* CopyTarget() const
    {
        const QPaintEngine* engine = painter->paintEngine();
        QPaintDevice* device = engine != nullptr && engine->type() == QPaintEngine::Raster ? engine->paintDevice() : nullptr;
        if (device == nullptr || device->devType() != QInternal::Image) {
            return nullptr;
        }
        auto* image = static_cast<QImage*>(device);
        const QTransform& transform = painter->deviceTransform();
        const bool plain = (image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32_Premultiplied)
            && image->devicePixelRatio() == 1 && transform.type() <= QTransform::TxTranslate
            && transform.dx() == std::round(transform.dx()) && transform.dy() == std::round(transform.dy())
            && painter->opacity() == 1 && painter->compositionMode() == QPainter::CompositionMode_SourceOver
            && !painter->testRenderHint(QPainter::Antialiasing);
        return plain ? image : nullptr;
    }

    QImage Blank(const QImage& kind, QSize size, const QColor& colour) const
    {
        QImage image(size, kind.format());
        image.setDotsPerMeterX(kind.dotsPerMeterX());
        image.setDotsPerMeterY(kind.dotsPerMeterY());
        image.fill(colour);
        return image;
    }

    QPainter& Prepare(QPainter& onto) const
    {
        onto.setRenderHints(painter->renderHints());
        onto.setFont(painter->font());
        onto.setPen(Qt::black);
        return onto;
    }

    // The pixels that the glyphs touch, relative to the origin: the glyphs drawn alone
    // with room around them. When they reach beyond that room, more than it.
    QRect MeasureInk(const QImage& kind, const LaidOutText::Line& line) const
    {
        const int room = lineHeight;
        const QRect around = line.background.toAlignedRect().adjusted(-room, -room, room, room);
        QImage scratch = Blank(kind, around.size(), Qt::transparent);
        if (!scratch.hasAlphaChannel()) {
            scratch = scratch.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            scratch.fill(Qt::transparent);
        }
        {
            QPainter onto(&scratch);
            DrawGlyphs(Prepare(onto), line, -around.topLeft());
        }
        QRect ink;
        for (int y = 0; y < scratch.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
            for (int x = 0; x < scratch.width(); ++x) {
                if (qAlpha(row[x]) != 0) {
                    ink |= QRect(x, y, 1, 1);
                }
            }
        }
        if (!ink.isEmpty() && !scratch.rect().adjusted(1, 1, -1, -1).contains(ink)) {
            ink = scratch.rect().adjusted(-1, -1, 1, 1);
        }
        return ink.translated(around.topLeft());
    }

    // Copies the line onto the image when its glyphs stay inside their background box,
    // from a copy drawn at the same offset from the pixel grid. False when it cannot.
    bool CopyLine(QImage& target, LaidOutText::Line& line, QPoint origin, const QColor& background) const
    {
        if (!std::exchange(line.drawn, true)) {
            return false;
        }
        if (!line.ink) {
            line.ink = MeasureInk(target, line);
        }
        // The pixels that filling the box covers: Qt rounds its edges on the device.
        const QTransform& transform = painter->deviceTransform();
        const QPoint shift(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
        const QRectF box = line.background.translated(origin + shift);
        const QPoint corner(qRound(box.left()), qRound(box.top()));
        const QRect filled(corner, QPoint(qRound(box.right()), qRound(box.bottom())) - QPoint(1, 1));
        if (!line.ink->isEmpty() && !filled.contains(line.ink->translated(origin + shift))) {
            return false;
        }
        const QPoint offset = origin + shift - corner;
        auto sprite = std::find_if(line.sprites.begin(), line.sprites.end(), [&](const LaidOutText::Sprite& s) {
            return s.background == background.rgb() && s.hints == painter->renderHints() && s.origin == offset && s.pixels.size() == filled.size()
                && s.pixels.format() == target.format() && s.pixels.dotsPerMeterY() == target.dotsPerMeterY();
        });
        if (sprite == line.sprites.end()) {
            if (line.sprites.size() >= LaidOutText::kSpritesPerLine) {
                line.sprites.erase(line.sprites.begin());
            }
            QImage pixels = Blank(target, filled.size(), background);
            {
                QPainter onto(&pixels);
                DrawGlyphs(Prepare(onto), line, offset);
            }
            line.sprites.push_back({background.rgb(), painter->renderHints(), offset, std::move(pixels)});
            sprite = line.sprites.end() - 1;
        }
        painter->drawImage(filled.topLeft() - shift, sprite->pixels);
        return true;
    }

    QRect Box(const RECT& rect) const
    {
        return QRect(ClampToInt(rect.left), ClampToInt(rect.top),
                     std::max(0, ClampToInt(static_cast<long long>(rect.right) - rect.left)),
                     std::max(0, ClampToInt(static_cast<long long>(rect.bottom) - rect.top)));
    }
};

CDC::CDC(QPainter* painter) : m_impl(std::make_unique<Impl>(painter))
{
    painter->save();
    m_impl->font = painter->font();
    m_impl->stockFont.AttachQFont(m_impl->font, DEFAULT_CHARSET);
}

CDC::~CDC()
{
    if (m_impl->painter->isActive()) {
        m_impl->painter->restore();
    }
}

CFont* CDC::SelectObject(CFont* font)
{
    if (font == nullptr || font->GetQFont() == nullptr) {
        return nullptr;
    }
    m_impl->font = *font->GetQFont();
    m_impl->charSet = font->m_charSet;
    m_impl->fontApplied = false;
    return std::exchange(m_impl->selected, font);
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    // The top byte marks palette colours, which this platform does not have.
    return std::exchange(m_impl->background, color & 0x00FFFFFF);
}

int CDC::DrawText(LPCSTR text, int count, RECT* rect, UINT /*format*/)
{
    if (text == nullptr || rect == nullptr) {
        return 0;
    }
    Impl& d = *m_impl;
    d.PrepareFont();
    const std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    LaidOutText& laidOut = d.LayOut(text, length);

    QPainter& painter = *d.painter;
    static const QPen black(Qt::black);
    if (painter.pen() != black) {
        painter.setPen(black);
    }
    // The background goes behind the glyph boxes, filled here.
    painter.setBackgroundMode(Qt::TransparentMode);
    const QColor background(GetRValue(d.background), GetGValue(d.background), GetBValue(d.background));
    const QRect box = d.Box(*rect);
    const int lineHeight = d.lineHeight;
    // Most texts fit their rectangles, as their glyphs measured once show: clipping
    // them would only cost.
    bool clip = false;
    for (std::size_t i = 0; i < laidOut.lines.size() && !clip; ++i) {
        const std::optional<QRect>& ink = laidOut.lines[i].ink;
        clip = !ink || (!ink->isEmpty() && !box.contains(ink->translated(box.left(), box.top() + static_cast<int>(i) * lineHeight + d.ascent)));
    }
    if (clip) {
        // Within the clip the painter came with, which comes back after the text.
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
    }
    long long top = rect->top;
    QImage* target = d.CopyTarget();
    for (LaidOutText::Line& line : laidOut.lines) {
        if (top >= rect->bottom) {
            break;
        }
        if (line.background.width() > 0) {
            const QPoint origin(ClampToInt(rect->left), ClampToInt(top + d.ascent));
            if (target == nullptr || !d.CopyLine(*target, line, origin, background)) {
                painter.fillRect(line.background.translated(origin), background);
                d.DrawGlyphs(painter, line, origin);
            }
        }
        top += lineHeight;
    }
    if (clip) {
        painter.restore();
    }
    return ClampToInt(static_cast<long long>(laidOut.lines.size()) * lineHeight);
}
