#include "view/TableLayout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The window of the worked example: 1000 x 350, so the area is 1000 x 340 below a 10-pixel margin: the
// column headers' line and 16 rows, 20 pixels each.
constexpr RECT kClient{0, 0, 1000, 350};

TEST(TableLayout, RectanglesOfTheWorkedExample)
{
    const RECT area = GetTableArea(kClient);
    const struct {
        const char* what;
        RECT rect;
        POINT corner; // every rectangle runs on to the area's right and bottom edges
    } cases[] = {
        {"header of column 0", GetColumnHeaderRect(area, 0), {75, 10}},
        {"header of column 1", GetColumnHeaderRect(area, 1), {75 + 115, 10}},
        {"header of column 7", GetColumnHeaderRect(area, 7), {75 + 809, 10}},
        {"label of row 0", GetRowLabelRect(area, 0), {0, 30}},
        {"label of row 1", GetRowLabelRect(area, 1), {0, 50}},
        {"label of row 15", GetRowLabelRect(area, 15), {0, 330}},
        {"cell 0x80", GetCharCellRect(area, 0x80), {75, 30}},
        {"cell 0x81", GetCharCellRect(area, 0x81), {75 + 115, 30}},
        {"cell 0x87", GetCharCellRect(area, 0x87), {75 + 809, 30}},
        {"cell 0x88", GetCharCellRect(area, 0x88), {75, 50}},
        {"cell 0x8F", GetCharCellRect(area, 0x8F), {884, 50}},
        {"cell 0xFF", GetCharCellRect(area, 0xFF), {884, 330}},
        {"key 0", GetKeyColumnRect(area, 0), {125, 10}},
        {"key 1", GetKeyColumnRect(area, 1), {187, 10}},
        {"key 13", GetKeyColumnRect(area, 13), {937, 10}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::tuple(c.rect.left, c.rect.top, c.rect.right, c.rect.bottom),
                  std::tuple(c.corner.x, c.corner.y, area.right, area.bottom))
            << c.what;
    }
}

TEST(TableLayout, HitTestsOfTheWorkedExample)
{
    const RECT area = GetTableArea(kClient);
    const struct {
        POINT point;
        int byte;
        int key;
    } cases[] = {
        {{884, 50}, 0x86, 12},   // on the corner of 0x8F: strictly inside only
        {{885, 51}, 0x8F, 12},
        {{75, 100}, kNoHit, kNoHit}, // the label column, inside the key table's header
        {{76, 100}, 0x98, kNoHit},
        {{190, 51}, 0x88, 1},    // on the left edge of 0x89
        {{191, 51}, 0x89, 1},
        {{500, 50}, 0x83, 5},    // on the top edge of row 1 and the left edge of key 6
        {{500, 10}, kNoHit, kNoHit}, // the top margin
        {{500, 11}, kNoHit, 5},  // the column headers
        {{500, 30}, kNoHit, 5},
        {{500, 31}, 0x83, 5},
        {{126, 31}, 0x80, 0},
        {{125, 31}, 0x80, kNoHit}, // the key table's header column
        {{0, 200}, kNoHit, kNoHit},
        {{999, 349}, 0xFF, 13},
        {{5000, 5000}, 0xFF, 13}, // past the window: the last cell and key reach to infinity
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.point.x << ", " << c.point.y << ")");
        EXPECT_EQ(HitTestChar(area, c.point), c.byte);
        EXPECT_EQ(HitTestKey(area, c.point), c.key);
    }
}

// The boxes that the cell cursor frames tile the area as the hit tests divide it: a point just inside a box's
// top-left corner, and its bottom-right corner, name its own byte or key.
TEST(TableLayout, BoxesCoverWhatTheHitTestsName)
{
    const RECT area = GetTableArea(kClient);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const RECT box = GetCharCellBox(area, byte);
        EXPECT_EQ(HitTestChar(area, POINT{box.left + 1, box.top + 1}), byte);
        EXPECT_EQ(HitTestChar(area, POINT{box.right, box.bottom}), byte);
    }
    for (int key = 0; key < 14; ++key) {
        const RECT box = GetKeyColumnBox(area, key);
        EXPECT_EQ(HitTestKey(area, POINT{box.left + 1, box.top + 1}), key);
        EXPECT_EQ(HitTestKey(area, POINT{box.right, box.bottom}), key);
    }
    const RECT last = GetCharCellBox(area, 0xFF);
    EXPECT_EQ(std::tuple(last.right, last.bottom), std::tuple(area.right, area.bottom));
}

// A window smaller than the table keeps the table whole and moves it by the scroll position; a larger one
// stretches it.
TEST(TableLayout, DrawingOfAViewThatScrolls)
{
    constexpr SIZE kTotal{1000, 350};
    const struct {
        RECT client;
        POINT scroll;
        RECT drawing;
    } cases[] = {
        {{0, 0, 300, 200}, {0, 0}, {0, 0, 1000, 350}},
        {{0, 0, 300, 200}, {700, 150}, {-700, -150, 300, 200}},
        {{0, 0, 1200, 400}, {0, 0}, {0, 0, 1200, 400}},
        {{0, 0, 1200, 200}, {0, 100}, {0, -100, 1200, 250}},
    };
    for (const auto& c : cases) {
        const RECT drawing = GetDrawingRect(c.client, kTotal, c.scroll);
        EXPECT_EQ(std::tuple(drawing.left, drawing.top, drawing.right, drawing.bottom),
                  std::tuple(c.drawing.left, c.drawing.top, c.drawing.right, c.drawing.bottom))
            << c.client.right << " x " << c.client.bottom << " at " << c.scroll.x << ", " << c.scroll.y;
    }
    // Byte 0xFF's cell, at (884, 330) in the whole drawing, is found where the scroll position puts it.
    const RECT scrolled = GetTableArea(GetDrawingRect(RECT{0, 0, 300, 200}, kTotal, POINT{700, 150}));
    EXPECT_EQ(HitTestChar(scrolled, POINT{185, 181}), 0xFF);
    EXPECT_EQ(HitTestChar(scrolled, POINT{184, 181}), 0xFE);
}

// Narrow and flat windows: positions truncate toward zero, and where cells
// coincide the higher byte takes the click.
TEST(TableLayout, WindowsTooSmallForTheTable)
{
    // 75 wide: the eight columns of a row share one corner.
    const RECT exact = GetTableArea(RECT{0, 0, 75, 330});
    EXPECT_EQ(GetCharCellRect(exact, 0x81).left, 75);
    EXPECT_EQ(HitTestChar(exact, POINT{76, 29}), 0x87);
    EXPECT_EQ(HitTestChar(exact, POINT{75, 29}), kNoHit);
    // 50 wide: (50 - 75) * 7 / 8 = -21.875 goes to -21, not -22; the last column starts leftmost.
    const RECT narrow = GetTableArea(RECT{0, 0, 50, 330});
    EXPECT_EQ(GetCharCellRect(narrow, 0x87).left, 54);
    EXPECT_EQ(GetCharCellRect(narrow, 0x81).left, 72);
    EXPECT_EQ(HitTestChar(narrow, POINT{60, 48}), 0x8F);
    EXPECT_EQ(HitTestChar(narrow, POINT{54, 48}), kNoHit);
    // A client lower than the margin: all rows share the top, the negative height truncates too.
    const RECT flat = GetTableArea(RECT{0, 0, 1000, 10});
    EXPECT_EQ(GetCharCellRect(flat, 0xFF).top, 10);
    EXPECT_EQ(HitTestChar(flat, POINT{100, 11}), 0xF8);
    EXPECT_EQ(GetRowLabelRect(GetTableArea(RECT{0, 0, 1000, 5}), 15).top, 6);
    // Keys in a sliver of a window coincide in the same way.
    EXPECT_EQ(HitTestKey(GetTableArea(RECT{0, 0, 8, 100}), POINT{8, 50}), 13);
}

} // namespace
