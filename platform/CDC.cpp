#include "platform/CDC.h"

#include "platform/CCharSetDecoder.h"
#include "platform/CFont.h"
#include "platform/LogFont.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>
#include <utility>

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
    std::optional<CCharSetDecoder> decoder;
    COLORREF background = RGB(255, 255, 255);
    bool hadClip = false;
    QRegion originalClip;

    void PrepareFont()
    {
        if (!fontApplied) {
            painter->setFont(font);
            metrics.emplace(painter->fontMetrics());
            fontApplied = true;
        }
        if (!decoder || decoder->GetCharSet() != charSet) {
            decoder.emplace(charSet);
        }
    }

    void ClipTo(const RECT& rect)
    {
        const QRect box(ClampToInt(rect.left), ClampToInt(rect.top),
                        std::max(0, ClampToInt(static_cast<long long>(rect.right) - rect.left)),
                        std::max(0, ClampToInt(static_cast<long long>(rect.bottom) - rect.top)));
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
    const QString decoded = d.decoder->Decode(text, static_cast<qsizetype>(length));

    QPainter& painter = *d.painter;
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(ToQColor(d.background));
    d.ClipTo(*rect);

    const QFontMetrics& metrics = *d.metrics;
    const int lineHeight = metrics.height();
    int lineCount = 0;
    qsizetype start = 0;
    for (;;) {
        // A line ends at a line feed, a carriage return or both together.
        qsizetype end = start;
        while (end < decoded.size() && decoded[end] != u'\n' && decoded[end] != u'\r') {
            ++end;
        }
        const long long top = static_cast<long long>(rect->top) + static_cast<long long>(lineCount) * lineHeight;
        ++lineCount;
        if (top < rect->bottom) {
            const PrefixedLine line = StripPrefixes(QStringView(decoded).sliced(start, end - start));
            const int baseline = ClampToInt(top + metrics.ascent());
            painter.drawText(QPoint(ClampToInt(rect->left), baseline), line.text);
            for (qsizetype position : line.underlined) {
                const qsizetype width = line.text[position].isHighSurrogate() ? 2 : 1;
                const int x = ClampToInt(rect->left + static_cast<long long>(metrics.horizontalAdvance(line.text.left(position))));
                painter.fillRect(x, baseline + metrics.underlinePos(), metrics.horizontalAdvance(line.text.mid(position, width)),
                                 std::max(1, metrics.lineWidth()), Qt::black);
            }
        }
        if (end >= decoded.size()) {
            break;
        }
        start = end + (decoded[end] == u'\r' && end + 1 < decoded.size() && decoded[end + 1] == u'\n' ? 2 : 1);
    }
    d.Unclip();
    return ClampToInt(static_cast<long long>(lineCount) * lineHeight);
}
