#include "platform/CDC.h"

#include "platform/CFont.h"
#include "platform/CodePageDecoding.h"

#include <QCache>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QRegion>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

namespace {
// A line of text drawn on its background, to be copied at the paints that follow:
// shaping and drawing glyphs is what costs, and views draw the same texts at every paint.
struct DrawnLine {
    // A line drawn once may never come again: its pixels are kept from its second drawing on.
    bool kept = false;
    // Null for a line that is drawn afresh each time.
    QImage pixels;
    // Where the pixels start, from the top left of the line.
    QPoint offset;
};

// The lines of every font, bounded by their bytes; the least recently drawn go first.
// Painting happens on the GUI thread only.
QCache<QByteArray, DrawnLine>& DrawnLines()
{
    static QCache<QByteArray, DrawnLine> cache(16 * 1024 * 1024);
    return cache;
}

// The characters of the 256 bytes of each character set, decoded once.
const std::array<QString, 256>& CharactersOf(BYTE charSet)
{
    static std::map<BYTE, std::array<QString, 256>> tables;
    auto found = tables.find(charSet);
    if (found == tables.end()) {
        found = tables.emplace(charSet, AfxDecodeCodePage(AfxCodePageOfCharSet(charSet))).first;
    }
    return found->second;
}

// A font as the kept lines know it: its key, how it is drawn and at what resolution. Views select
// the same font at every paint, and making its key costs more than comparing fonts.
QByteArray FontKey(const QFont& font, int hints, int dpi)
{
    static QFont lastFont;
    static int lastHints = -1;
    static int lastDpi = -1;
    static QByteArray last;
    if (last.isEmpty() || font != lastFont || hints != lastHints || dpi != lastDpi) {
        lastFont = font;
        lastHints = hints;
        lastDpi = dpi;
        last = QStringLiteral("%1|%2|%3|").arg(font.key()).arg(hints).arg(dpi).toUtf8();
    }
    return last;
}

// Pixels drawn once land unchanged only on a raster device at its own scale; onto
// anything else (a printer, a scaled painter) texts are drawn afresh.
bool CanCopyOnto(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster) {
        return false;
    }
    return painter.deviceTransform().type() <= QTransform::TxTranslate;
}

// The bounds of the pixels that are not wholly transparent.
QRect InkedPixels(const QImage& image)
{
    QRect inked;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int left = 0;
        int right = image.width() - 1;
        while (left <= right && qAlpha(row[left]) == 0) {
            ++left;
        }
        while (right > left && qAlpha(row[right]) == 0) {
            --right;
        }
        if (left <= right) {
            inked |= QRect(QPoint(left, y), QPoint(right, y));
        }
    }
    return inked;
}

// The rectangle's pixels; an inverted rectangle holds none, for Qt as for the window system.
QRect PixelsOf(const RECT& rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// The width of the glyph boxes of a line laid out as DrawText shows it.
int WidthOf(const QTextLayout& shown) { return qRound(shown.lineAt(0).horizontalAdvance()); }
} // namespace

struct CDC::Impl {
    explicit Impl(QPainter* p) : painter(p), canCopy(CanCopyOnto(*p)) {}

    QPainter* painter;
    CFont stockFont;
    CFont* selected = &stockFont;
    QFont font;
    // Made once the font draws (Measure).
    std::optional<QFontMetrics> metrics;
    const std::array<QString, 256>* characters = nullptr;
    // The characters of the bytes that DrawText was given.
    QString decoded;
    // A line's key among the kept lines: the font and how it is drawn, then the background and the text.
    QByteArray key;
    qsizetype fontKeyLength = 0;
    COLORREF background = RGB(255, 255, 255);
    bool canCopy;
    bool clipped = painter->hasClipping();
    QRegion clip = clipped ? painter->clipRegion() : QRegion();

    void Select(const QFont& selectedFont, BYTE charSet)
    {
        font = selectedFont;
        characters = &CharactersOf(charSet);
        metrics.reset();
    }

    // The metrics and the key of the selected font, made when it first draws: a font selected
    // and left unused costs nothing.
    void Measure()
    {
        if (metrics.has_value()) {
            return;
        }
        metrics.emplace(font, painter->device());
        key = FontKey(font, painter->renderHints().toInt(), painter->device()->logicalDpiY());
        fontKeyLength = key.size();
    }

    // The bytes as characters of the selected font's character set.
    QStringView Decoded(std::string_view bytes)
    {
        decoded.resize(0);
        for (const char byte : bytes) {
            decoded += (*characters)[static_cast<unsigned char>(byte)];
        }
        return decoded;
    }

    // The line shaped once for measuring and drawing: "&&" shows as "&", and a single "&" is
    // dropped (the program writes every "&" it shows doubled).
    std::unique_ptr<QTextLayout> Shown(QStringView line) const
    {
        QString text;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line[i] == u'&') {
                ++i;
                if (i == line.size()) {
                    break;
                }
            }
            text += line[i];
        }
        auto shown = std::make_unique<QTextLayout>(text, font, painter->device());
        // The window system reads a line from left to right unless told otherwise.
        QTextOption leftToRight;
        leftToRight.setTextDirection(Qt::LeftToRight);
        shown->setTextOption(leftToRight);
        // Keeps the shaped glyphs for drawing.
        shown->setCacheEnabled(true);
        shown->beginLayout();
        shown->createLine();
        shown->endLayout();
        return shown;
    }

    // The background behind the glyph boxes, then the glyphs in black.
    void Paint(QPainter& onto, const QTextLayout& shown, QPoint topLeft) const
    {
        const QColor backgroundColor(GetRValue(background), GetGValue(background), GetBValue(background));
        onto.fillRect(QRect(topLeft, QSize(WidthOf(shown), metrics->height())), backgroundColor);
        onto.setPen(Qt::black);
        onto.setBackgroundMode(Qt::TransparentMode);
        const QPoint baseline = topLeft + QPoint(0, metrics->ascent());
        const QTextLine line = shown.lineAt(0);
        line.draw(&onto, baseline - QPointF(0, line.ascent()));
    }

    // The line drawn with room around it for glyphs that reach beyond their boxes
    // (italics, accents), cut to the pixels it covers.
    DrawnLine Keep(QStringView line) const
    {
        const auto shown = Shown(line);
        const int room = metrics->height() / 2;
        QImage canvas(WidthOf(*shown) + 2 * room, metrics->height() + 2 * room, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        {
            QPainter onto(&canvas);
            onto.setRenderHints(painter->renderHints());
            Paint(onto, *shown, QPoint(room, room));
        }
        const QRect inked = InkedPixels(canvas);
        if (!canvas.rect().adjusted(1, 1, -1, -1).contains(inked)) {
            // Glyphs that reach beyond the room are drawn afresh each time.
            return {true, QImage(), QPoint()};
        }
        return {true, canvas.copy(inked), inked.topLeft() - QPoint(room, room)};
    }

    // The kept pixels of the line; null at its first drawing.
    DrawnLine Kept(QStringView line)
    {
        key.truncate(fontKeyLength);
        key.append(reinterpret_cast<const char*>(&background), sizeof background);
        key.append(reinterpret_cast<const char*>(line.utf16()), line.size() * qsizetype(sizeof(char16_t)));
        QCache<QByteArray, DrawnLine>& cache = DrawnLines();
        const DrawnLine* found = cache.object(key);
        if (found == nullptr) {
            cache.insert(key, new DrawnLine, key.size());
            return {};
        }
        if (found->kept) {
            return *found;
        }
        const DrawnLine drawn = Keep(line);
        cache.insert(key, new DrawnLine(drawn), drawn.pixels.sizeInBytes() + key.size());
        return drawn;
    }

    void DrawLine(QStringView line, QPoint topLeft, const QRect& clip)
    {
        DrawnLine drawn;
        if (canCopy) {
            drawn = Kept(line);
        }
        if (drawn.pixels.isNull()) {
            painter->save();
            painter->setClipRect(clip, Qt::IntersectClip);
            Paint(*painter, *Shown(line), topLeft);
            painter->restore();
            return;
        }
        // Copying only what lies inside the rectangle is the clipping.
        const QRect placed(topLeft + drawn.offset, drawn.pixels.size());
        const QRect shown = placed & clip;
        if (!shown.isEmpty()) {
            painter->drawImage(shown.topLeft(), drawn.pixels, shown.translated(-placed.topLeft()));
        }
    }
};

CDC::CDC(QPainter* painter) : m_impl(std::make_unique<Impl>(painter))
{
    m_impl->stockFont.m_font = std::make_unique<QFont>(painter->font());
    m_impl->Select(painter->font(), DEFAULT_CHARSET);
}

CDC::~CDC() = default;

CFont* CDC::SelectObject(CFont* font)
{
    if (font == nullptr || font->m_font == nullptr) {
        return nullptr;
    }
    m_impl->Select(*font->m_font, font->m_charSet);
    return std::exchange(m_impl->selected, font);
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    // The top byte marks palette colours, which this platform does not have.
    return std::exchange(m_impl->background, color & 0x00FFFFFF);
}

BOOL CDC::RectVisible(const RECT* rect) const
{
    if (!m_impl->clipped) {
        return TRUE;
    }
    return m_impl->clip.intersects(PixelsOf(*rect)) ? TRUE : FALSE;
}

int CDC::DrawText(LPCSTR text, int count, RECT* rect, UINT /*format*/)
{
    std::size_t length = static_cast<std::size_t>(count);
    if (count < 0) {
        length = std::strlen(text);
    }
    return DrawLines(m_impl->Decoded(std::string_view(text, length)), *rect);
}

int CDC::DrawTextW(LPCWSTR text, int count, RECT* rect, UINT /*format*/)
{
    std::size_t length = static_cast<std::size_t>(count);
    if (count < 0) {
        length = std::char_traits<char16_t>::length(text);
    }
    return DrawLines(QStringView(text, static_cast<qsizetype>(length)), *rect);
}

int CDC::DrawLines(QStringView text, const RECT& rect)
{
    m_impl->Measure();
    const QRect clip = PixelsOf(rect);
    const int lineHeight = m_impl->metrics->height();
    int lines = 0;
    qsizetype start = 0;
    for (;;) {
        // A line ends at a line feed, a carriage return or both together.
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') {
            ++end;
        }
        const int top = rect.top + lines * lineHeight;
        if (end > start && top < rect.bottom) {
            m_impl->DrawLine(text.sliced(start, end - start), QPoint(clip.left(), top), clip);
        }
        ++lines;
        if (end == text.size()) {
            break;
        }
        start = end + 1;
        if (text[end] == u'\r' && start < text.size() && text[start] == u'\n') {
            ++start;
        }
    }
    return lines * lineHeight;
}
