#pragma once
// Reading what a table view shows from the pixels of a grab of its window:
// which cells and key columns carry a pure background colour.

#include "platform/CView.h"
#include "tables/CKeyboardHandler.h"
#include "view/TableLayout.h"

#include <QImage>
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

inline RECT TableArea(CView& view)
{
    RECT client;
    view.GetClientRect(&client);
    return GetTableArea(client);
}

// The bytes whose cells, or the keys whose columns, show the colour.
template <typename Box>
std::vector<int> Showing(CView& view, QRgb colour, int first, int last, Box box)
{
    const QImage image = view.GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::vector<int> found;
    for (int i = first; i <= last; ++i) {
        if (Holds(image, box(TableArea(view), i), colour)) {
            found.push_back(i);
        }
    }
    return found;
}

inline std::vector<int> CellsIn(CView& view, QRgb colour) { return Showing(view, colour, 0x80, 0xFF, CellBox); }
inline std::vector<int> KeysIn(CView& view, QRgb colour)
{
    return Showing(view, colour, 0, CKeyboardHandler::kKeyCount - 1, KeyBox);
}

} // namespace view_pixels
