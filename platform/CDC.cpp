#include "platform/CDC.h"

#include "platform/CCharSetDecoder.h"
#include "platform/CFont.h"
#include "platform/LogFont.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QRegion>
#include <QStaticText>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cstring>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {
QColor ToQColor(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

int ClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN / 2, INT_MAX / 2));
}

// One line of text with its prefix characters taken out, and the positions of the
// characters that they underline.
struct PrefixedLine {
    QString text;
    QList<qsizetype> underlined;
};

PrefixedLine StripPrefixes(QStringView line)
{
    PrefixedLine result;
    result.text.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != u'&') {
            result.text.append(line[i]);
        } else if (i + 1 < line.size()) {
            ++i;
            if (line[i] != u'&') {
                result.underlined.append(result.text.size());
            }
            result.text.append(line[i]);
        }
    }
    return result;
}

// A text laid out once for a font, ready to be drawn again: shaping it is what costs,
// and views draw the same texts at every paint.
struct LaidOutText {
    struct Line {
        QStaticText glyphs; // laid out at its first drawing, with the painter's font
        qreal width = 0;    // the advance: the background box is this wide
        QList<QRect> underlines; // relative to the left end of the baseline
    };
    std::vector<Line> lines;
    // Everything that drawing puts on the device, relative to the top left of the text.
    QRectF ink;
};

// The most recently drawn texts of every font. Painting happens on the GUI thread only.
class LayoutCache {
public:
    static LayoutCache& Instance()
    {
        static LayoutCache cache;
        return cache;
    }

    LaidOutText* Find(std::string_view key)
    {
        const auto found = m_index.find(key);
        if (found == m_index.end()) {
            return nullptr;
        }
        m_order.splice(m_order.begin(), m_order, found->second);
        return &found->second->second;
    }

    LaidOutText& Insert(std::string_view key, LaidOutText text)
    {
        if (m_order.empty()) {
            // Fonts must go before the application does.
            qAddPostRoutine([] { Instance().Clear(); });
        }
        if (m_order.size() >= kCapacity) {
            m_index.erase(m_order.back().first);
            m_order.pop_back();
        }
        m_order.emplace_front(std::string(key), std::move(text));
        m_index.emplace(m_order.front().first, m_order.begin());
        return m_order.front().second;
    }

    void Clear()
    {
        m_index.clear();
        m_order.clear();
    }

private:
    static constexpr std::size_t kCapacity = 8192;
    using Entry = std::pair<std::string, LaidOutText>;
    std::list<Entry> m_order; // most recent first
    std::unordered_map<std::string_view, std::list<Entry>::iterator> m_index; // keys live in m_order
};
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
    std::optional<QFontMetricsF> exactMetrics;
    std::optional<CCharSetDecoder> decoder;
    // A cache key: what tells the painter's font and character set apart, then the bytes.
    std::string key;
    std::size_t fontKeyLength = 0;
    COLORREF background = RGB(255, 255, 255);
    bool hadClip = false;
    QRegion originalClip;

    void PrepareFont()
    {
        if (!fontApplied) {
            painter->setFont(font);
            const QFont& applied = painter->font();
            metrics.emplace(applied);
            exactMetrics.emplace(applied);
            const int dpi = painter->device() != nullptr ? painter->device()->logicalDpiY() : 0;
            key = QStringLiteral("%1|%2|%3|%4|").arg(applied.key(), applied.families().join(u','))
                      .arg(dpi).arg(charSet).toStdString();
            fontKeyLength = key.size();
            fontApplied = true;
        }
        if (!decoder || decoder->GetCharSet() != charSet) {
            decoder.emplace(charSet);
        }
    }

    const LaidOutText& LayOut(const char* text, std::size_t length)
    {
        key.resize(fontKeyLength);
        key.append(text, length);
        LayoutCache& cache = LayoutCache::Instance();
        if (LaidOutText* found = cache.Find(key)) {
            return *found;
        }
        return cache.Insert(key, LayOut(decoder->Decode(text, static_cast<qsizetype>(length))));
    }

    LaidOutText LayOut(const QString& decoded) const
    {
        const QFontMetrics& m = *metrics;
        const QFontMetricsF& exact = *exactMetrics;
        LaidOutText result;
        qsizetype start = 0;
        for (;;) {
            // A line ends at a line feed, a carriage return or both together.
            qsizetype end = start;
            while (end < decoded.size() && decoded[end] != u'\n' && decoded[end] != u'\r') {
                ++end;
            }
            const PrefixedLine prefixed = StripPrefixes(QStringView(decoded).sliced(start, end - start));
            LaidOutText::Line& line = result.lines.emplace_back();
            line.glyphs.setText(prefixed.text);
            line.glyphs.setTextFormat(Qt::PlainText);
            line.glyphs.setPerformanceHint(QStaticText::AggressiveCaching);
            line.width = Advance(prefixed.text);
            for (qsizetype position : prefixed.underlined) {
                const qsizetype width = prefixed.text[position].isHighSurrogate() ? 2 : 1;
                line.underlines.append(QRect(m.horizontalAdvance(prefixed.text.left(position)), m.underlinePos(),
                                             m.horizontalAdvance(prefixed.text.mid(position, width)), std::max(1, m.lineWidth())));
            }
            const qreal baseline = static_cast<qreal>(result.lines.size() - 1) * m.height() + m.ascent();
            if (!prefixed.text.isEmpty()) {
                QRectF box = exact.boundingRect(prefixed.text) | QRectF(0, -exact.ascent(), line.width, exact.height());
                for (const QRect& underline : line.underlines) {
                    box |= underline;
                }
                // Smoothing may reach a pixel past the outlines.
                result.ink |= box.translated(0, baseline).adjusted(-1, -1, 1, 1);
            }
            if (end >= decoded.size()) {
                break;
            }
            start = end + (decoded[end] == u'\r' && end + 1 < decoded.size() && decoded[end + 1] == u'\n' ? 2 : 1);
        }
        return result;
    }

    // The advance of a line the way drawing lays it out: measuring the string alone
    // gives nothing for texts with control characters.
    qreal Advance(const QString& text) const
    {
        QTextLayout layout(text, painter->font(), painter->device());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        return line.horizontalAdvance();
    }

    QRect Box(const RECT& rect) const
    {
        return QRect(ClampToInt(rect.left), ClampToInt(rect.top),
                     std::max(0, ClampToInt(static_cast<long long>(rect.right) - rect.left)),
                     std::max(0, ClampToInt(static_cast<long long>(rect.bottom) - rect.top)));
    }

    void ClipTo(const QRect& box)
    {
        if (hadClip) {
            painter->setClipRegion(originalClip);
            painter->setClipRect(box, Qt::IntersectClip);
        } else {
            painter->setClipRect(box);
        }
    }

    void Unclip()
    {
        if (hadClip) {
            painter->setClipRegion(originalClip);
        } else {
            painter->setClipping(false);
        }
    }
};

CDC::CDC(QPainter* painter) : m_impl(std::make_unique<Impl>(painter))
{
    painter->save();
    m_impl->font = painter->font();
    m_impl->stockFont.AttachQFont(m_impl->font, DEFAULT_CHARSET);
    m_impl->hadClip = painter->hasClipping();
    if (m_impl->hadClip) {
        m_impl->originalClip = painter->clipRegion();
    }
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
    LOGFONT logFont{};
    font->GetLogFont(&logFont);
    m_impl->font = *font->GetQFont();
    m_impl->charSet = logFont.lfCharSet;
    m_impl->fontApplied = false;
    return std::exchange(m_impl->selected, font);
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    // The top byte marks palette colours, which this platform does not have.
    return std::exchange(m_impl->background, color & 0x00FFFFFF);
}

COLORREF CDC::GetBkColor() const { return m_impl->background; }

QPainter* CDC::GetPainter() const { return m_impl->painter; }

int CDC::DrawText(LPCSTR text, int count, RECT* rect, UINT /*format*/)
{
    if (text == nullptr || rect == nullptr) {
        return 0;
    }
    Impl& d = *m_impl;
    d.PrepareFont();
    const std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    const LaidOutText& laidOut = d.LayOut(text, length);

    QPainter& painter = *d.painter;
    painter.setPen(Qt::black);
    // The background goes behind the glyph boxes, filled here.
    painter.setBackgroundMode(Qt::TransparentMode);
    const QColor background = ToQColor(d.background);
    const QRect box = d.Box(*rect);
    // Most texts fit their rectangles: clipping them would only cost.
    const bool clip = !QRectF(box).contains(laidOut.ink.translated(box.topLeft()));
    if (clip) {
        d.ClipTo(box);
    }

    const QFontMetrics& metrics = *d.metrics;
    const QFontMetricsF& exact = *d.exactMetrics;
    const int lineHeight = metrics.height();
    long long top = rect->top;
    for (const LaidOutText::Line& line : laidOut.lines) {
        if (top >= rect->bottom) {
            break;
        }
        if (line.width > 0) {
            const int baseline = ClampToInt(top + metrics.ascent());
            const QPointF origin(ClampToInt(rect->left), baseline);
            painter.fillRect(QRectF(origin.x(), baseline - exact.ascent(), line.width, exact.ascent() + exact.descent()), background);
            painter.drawStaticText(origin - QPointF(0, exact.ascent()), line.glyphs);
            for (const QRect& underline : line.underlines) {
                painter.fillRect(underline.translated(origin.toPoint()), Qt::black);
            }
        }
        top += lineHeight;
    }
    if (clip) {
        d.Unclip();
    }
    return ClampToInt(static_cast<long long>(laidOut.lines.size()) * lineHeight);
}
