#include "view/TableLayout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {
constexpr LONG kTopMargin = 10;
constexpr LONG kRowLabelWidth = 75;
constexpr int kRows = 16;
// The column headers' line, above the rows.
constexpr int kHeaderLines = 1;
constexpr int kGridLines = kHeaderLines + kRows;
constexpr int kColumns = 8;
constexpr int kKeySteps = 16;
constexpr int kHeaderSteps = 2;
constexpr int kKeys = 14;
constexpr int kKeyTableLines = 7;
constexpr int kFirstByte = 0x80;
constexpr int kLastByte = 0xFF;

// Products are formed before the division, which truncates toward zero. They are
// worked out in 64 bits so that no rectangle of any size overflows; the results
// are the 32-bit ones wherever those do not overflow.
using Wide = std::int64_t;

LONG Narrow(Wide value)
{
    return static_cast<LONG>(
        std::clamp<Wide>(value, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

Wide Width(const RECT& area) { return Wide{area.right} - area.left; }
Wide Height(const RECT& area) { return Wide{area.bottom} - area.top; }

LONG RowTop(const RECT& area, int row)
{
    return Narrow(Wide{area.top} + Height(area) * (row + kHeaderLines) / kGridLines);
}

LONG ColumnLeft(const RECT& area, int column)
{
    return Narrow(Wide{area.left} + kRowLabelWidth + (Width(area) - kRowLabelWidth) * column / kColumns);
}

RECT FromCorner(const RECT& area, LONG left, LONG top) { return RECT{left, top, area.right, area.bottom}; }
} // namespace

RECT GetDrawingRect(const RECT& clientRect, SIZE totalSize, POINT scrollPosition)
{
    const LONG left = Narrow(Wide{clientRect.left} - scrollPosition.x);
    const LONG top = Narrow(Wide{clientRect.top} - scrollPosition.y);
    const Wide width = std::max<Wide>(Width(clientRect), totalSize.cx);
    const Wide height = std::max<Wide>(Height(clientRect), totalSize.cy);
    return RECT{left, top, Narrow(left + width), Narrow(top + height)};
}

RECT GetTableArea(const RECT& drawingRect)
{
    RECT area = drawingRect;
    area.top = Narrow(Wide{drawingRect.top} + kTopMargin);
    return area;
}

RECT GetColumnHeaderRect(const RECT& area, int column) { return FromCorner(area, ColumnLeft(area, column), area.top); }

RECT GetRowLabelRect(const RECT& area, int row) { return FromCorner(area, area.left, RowTop(area, row)); }

RECT GetCharCellRect(const RECT& area, int byte)
{
    const int row = byte / kColumns - kFirstByte / kColumns;
    const int column = byte % kColumns;
    return FromCorner(area, ColumnLeft(area, column), RowTop(area, row));
}

RECT GetKeyColumnRect(const RECT& area, int key)
{
    return FromCorner(area, Narrow(Wide{area.left} + Width(area) * (Wide{key} + kHeaderSteps) / kKeySteps), area.top);
}

SIZE GetCharGridClientSize(LONG cellWidth, LONG lineHeight)
{
    return {Narrow(kRowLabelWidth + Wide{kColumns} * cellWidth), Narrow(kTopMargin + Wide{kGridLines} * lineHeight)};
}

SIZE GetKeyTableClientSize(LONG stepWidth, LONG lineHeight)
{
    return {Narrow(Wide{kKeySteps} * stepWidth), Narrow(kTopMargin + Wide{kKeyTableLines} * lineHeight)};
}

int HitTestChar(const RECT& area, POINT point)
{
    // Scanning down from the last byte lets the higher byte win where cells coincide.
    for (int byte = kLastByte; byte >= kFirstByte; --byte) {
        const RECT cell = GetCharCellRect(area, byte);
        if (cell.left < point.x && cell.top < point.y) {
            return byte;
        }
    }
    return kNoHit;
}

int HitTestKey(const RECT& area, POINT point)
{
    if (point.y <= area.top) {
        return kNoHit;
    }
    for (int key = kKeys - 1; key >= 0; --key) {
        if (GetKeyColumnRect(area, key).left < point.x) {
            return key;
        }
    }
    return kNoHit;
}

RECT GetCharCellBox(const RECT& area, int byte)
{
    RECT box = GetCharCellRect(area, byte);
    if (byte % kColumns != kColumns - 1) {
        box.right = GetCharCellRect(area, byte + 1).left;
    }
    if (byte + kColumns <= kLastByte) {
        box.bottom = GetCharCellRect(area, byte + kColumns).top;
    }
    return box;
}

RECT GetKeyColumnBox(const RECT& area, int key)
{
    RECT box = GetKeyColumnRect(area, key);
    if (key < kKeys - 1) {
        box.right = GetKeyColumnRect(area, key + 1).left;
    }
    return box;
}
