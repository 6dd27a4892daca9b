#pragma once
// Reading what a table view shows from the pixels that it paints: which cells
// and key columns carry a pure background colour.

#include "platform/CDC.h"
#include "platform/CFont.h"
#include "tables/CKeyboardHandler.h"
#include "view/CVarnoView.h"
#include "view/TableLayout.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace view_pixels {

// Pure colours occur only where the view fills a background: glyph edges blend.
constexpr QRgb kPureRed = 0xFFFF0000;
constexpr QRgb kPureGreen = 0xFF00FF00;

inline QRect ToQRect(const RECT& box)
{
    return QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
}
inline QRect CellBox(const RECT& area, int byte) { return ToQRect(GetCharCellBox(area, byte)); }
inline QRect KeyBox(const RECT& area, int key) { return ToQRect(GetKeyColumnBox(area, key)); }

inline bool Holds(const QImage& image, const QRect& box, QRgb colour)
{
    const QImage part = image.copy(box);
    const auto* pixels = reinterpret_cast<const QRgb*>(part.constBits());
    return std::find(pixels, pixels + part.width() * part.height(), colour) != pixels + part.width() * part.height();
}

// In the view's client pixels, at its scroll position.
inline RECT TableArea(const CVarnoView& view) { return view.GetClientTableArea(); }

// The whole of the view's drawing as its paint makes it, whatever part of it the window shows,
// and the table area in it.
struct Drawing {
    QImage image;
    RECT area;
};
inline Drawing DrawingOf(CVarnoView& view)
{
    RECT client;
    view.GetClientRect(&client);
    const RECT drawing = GetDrawingRect(client, view.GetTotalSize(), POINT{0, 0});
    QImage image(drawing.right, drawing.bottom, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CDC dc(&painter);
        view.OnDraw(&dc);
    }
    return {image, GetTableArea(drawing)};
}

// The bytes whose cells, or the keys whose columns, show the colour.
template <typename Box>
std::vector<int> Showing(CVarnoView& view, QRgb colour, int first, int last, Box box)
{
    const Drawing drawn = DrawingOf(view);
    std::vector<int> found;
    for (int i = first; i <= last; ++i) {
        if (Holds(drawn.image, box(drawn.area, i), colour)) {
            found.push_back(i);
        }
    }
    return found;
}

// The pixels of the byte's cell as the view's paint makes them.
inline QImage ShownCell(CVarnoView& view, int byte)
{
    const Drawing drawn = DrawingOf(view);
    return drawn.image.copy(CellBox(drawn.area, byte));
}

// The pixels of the byte's cell as the screen shows them: what the paints so far left there.
inline QImage CellOnScreen(CVarnoView& view, int byte)
{
    QWidget* client = view.GetClientWidget();
    const QRect box = CellBox(TableArea(view), byte);
    const QPoint corner = client->mapTo(client->window(), box.topLeft());
    const QImage shown = client->screen()->grabWindow(client->window()->winId()).toImage();
    return shown.copy(QRect(corner, box.size())).convertToFormat(QImage::Format_RGB32);
}

// The pixels that the cell would show with the text, drawn on its own as the view draws a cell.
inline QImage CellDrawnWith(CVarnoView& view, int byte, const LOGFONT& logFont, const QString& text,
                            COLORREF background)
{
    Drawing drawn = DrawingOf(view);
    drawn.image.fill(Qt::white);
    {
        QPainter painter(&drawn.image);
        CDC dc(&painter);
        CFont font;
        font.CreateFontIndirect(&logFont);
        dc.SelectObject(&font);
        dc.SetBkColor(background);
        RECT cell = GetCharCellRect(drawn.area, byte);
        dc.DrawTextW(reinterpret_cast<LPCWSTR>(text.utf16()), static_cast<int>(text.size()), &cell, 0);
    }
    return drawn.image.copy(CellBox(drawn.area, byte));
}

inline std::vector<int> CellsIn(CVarnoView& view, QRgb colour) { return Showing(view, colour, 0x80, 0xFF, CellBox); }
inline std::vector<int> KeysIn(CVarnoView& view, QRgb colour)
{
    return Showing(view, colour, 0, CKeyboardHandler::kKeyCount - 1, KeyBox);
}

} // namespace view_pixels
