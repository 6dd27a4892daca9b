#include "view/CVarnoView.h"

#include "view/ClickEditing.h"
#include "view/FindCommands.h"
#include "view/TableTextCommands.h"
#include "view/TakeTableCommand.h"

#include "document/CVarnoDoc.h"
#include "platform/CDC.h"
#include "platform/AfxRes.h"
#include "platform/CFont.h"
#include "res/Resource.h"
#include "tables/CKeyboardHandler.h"
#include "view/CharacterNames.h"
#include "view/DisplayFont.h"
#include "view/LegibleSize.h"
#include "view/TableChoice.h"
#include "view/TableLayout.h"
#include "view/TableViewInput.h"

#include <QChar>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {
// A key's byte as the key table shows it: the character, then its value in
// parentheses. A 0 byte has no character that a text could hold, so only its
// value shows and the rest of the column stays on its lines. An "&" is doubled:
// drawn alone it would vanish and underline the "(" after it.
int FormatKeyByte(char* text, std::size_t size, std::uint8_t value)
{
    if (value == 0) {
        return std::snprintf(text, size, "(%02X)", value);
    }
    if (value == '&') {
        return std::snprintf(text, size, "&&(%02X)", value);
    }
    return std::snprintf(text, size, "%c(%02X)", value, value);
}

// A cell's text with the table's character as its letter (CellCharacter), then the rest, which is
// ASCII. An "&" is doubled, as for a key.
void FormatTableCharacter(WCHAR* text, std::size_t size, std::uint16_t unicode, const char* rest)
{
    QString shown = CellCharacter(unicode);
    if (shown == QStringLiteral("&")) {
        shown += QLatin1Char('&');
    }
    shown += QLatin1String(rest);
    const std::size_t used = std::min(size - 1, static_cast<std::size_t>(shown.size()));
    std::copy_n(shown.utf16(), used, text);
    text[used] = u'\0';
}

// What the cells of one paint of a character grid share.
struct GridPaint {
    CDC* dc;
    RECT area;
    CTableHandler* handler;
    // NT and 9x code-page files: values map back to bytes, shown and coloured red where not to their own.
    bool codePageFile;
    bool tableCharacters;
};

// The cell of the byte, when it lies in the paint's clip.
void DrawCharCell(const GridPaint& grid, int byte, char* text, std::size_t size)
{
    const RECT box = GetCharCellBox(grid.area, byte);
    if (!grid.dc->RectVisible(&box)) {
        return;
    }
    const std::uint16_t unicode = grid.handler->Lookup(static_cast<std::uint8_t>(byte));
    COLORREF background = grid.handler->m_modified[byte] != 0 ? CVarnoView::kGreen : CVarnoView::kWhite;
    // The text after the letter.
    char rest[32];
    if (grid.codePageFile) {
        const std::uint8_t back = grid.handler->ReverseLookup(unicode);
        std::snprintf(rest, sizeof rest, "=%04X=%02X", unicode, back);
        if (back != byte) {
            background = CVarnoView::kRed;
        }
    } else {
        std::snprintf(rest, sizeof rest, "(%02X)=%04X", byte, unicode);
    }
    grid.dc->SetBkColor(background);
    RECT cell = GetCharCellRect(grid.area, byte);
    if (grid.tableCharacters) {
        WCHAR wide[32];
        FormatTableCharacter(wide, std::size(wide), unicode, rest);
        grid.dc->DrawTextW(wide, -1, &cell, 0);
    } else {
        // The byte itself, a character of the display font's character set.
        std::snprintf(text, size, "%c%s", byte, rest);
        grid.dc->DrawText(text, -1, &cell, 0);
    }
}

std::size_t Appended(int written, std::size_t used, std::size_t size)
{
    if (written < 0) {
        return used;
    }
    return std::min(size - 1, used + static_cast<std::size_t>(written));
}
} // namespace

IMPLEMENT_DYNCREATE(CVarnoView, CScrollView)

BEGIN_MESSAGE_MAP(CVarnoView, CScrollView)
    ON_WM_LBUTTONDOWN()
    ON_COMMAND(ID_EDIT_TAKE_TABLE, OnEditTakeTable)
    ON_COMMAND(ID_EDIT_GO_TO_BYTE, OnEditGoToByte)
    ON_COMMAND(ID_EDIT_FIND, OnEditFind)
    ON_COMMAND(ID_EDIT_FIND_NEXT, OnEditFindNext)
    ON_COMMAND(ID_EDIT_FIND_PREVIOUS, OnEditFindPrevious)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_COPY_TABLE, OnEditCopyTable)
    ON_COMMAND(ID_FILE_EXPORT_MAPPING, OnFileExportMapping)
END_MESSAGE_MAP()

CVarnoView::CVarnoView() = default;

CVarnoView::~CVarnoView() = default;

void CVarnoView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    if (QWidget* window = GetWidget()) {
        m_pInput = new TableViewInput(window, GetClientWidget());
    }
}

QWidget* CVarnoView::CreateTableChoice()
{
    if (m_pChoice == nullptr) {
        m_pChoice = new TableChoice(GetWidget());
    }
    return m_pChoice;
}

void CVarnoView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    std::vector<ShownEntry> shown;
    CVarnoDoc* document = GetDocument();
    if (document != nullptr) {
        shown = ReadShownEntries(*document);
    }
    if (lHint == CVarnoDoc::hintEntries && shown.size() == m_shown.size()) {
        InvalidateCells(ChangedCells(m_shown, shown));
    } else {
        if (document != nullptr) {
            SetScrollSizes(MM_TEXT, GetLegibleSize(CurrentDisplayFont(), document->m_nKind));
        }
        CScrollView::OnUpdate(pSender, lHint, pHint);
    }
    m_shown = std::move(shown);
    if (m_pChoice != nullptr && document != nullptr) {
        m_pChoice->Refresh(*document);
    }
    if (m_pInput != nullptr) {
        m_pInput->Refresh();
    }
}

void CVarnoView::InvalidateCells(const std::vector<int>& cells)
{
    const CVarnoDoc* document = GetDocument();
    if (document == nullptr) {
        return;
    }
    // In the client area's pixels, where the window is invalidated.
    const RECT area = GetClientTableArea();
    const bool keys = document->m_nKind == CVarnoDoc::kindKeyboard;
    for (const int cell : cells) {
        const RECT box = keys ? GetKeyColumnBox(area, cell) : GetCharCellBox(area, 0x80 + cell);
        InvalidateRect(&box);
    }
}

CVarnoDoc* CVarnoView::GetDocument() const
{
    CDocument* document = CView::GetDocument();
    return document != nullptr && document->IsKindOf(RUNTIME_CLASS(CVarnoDoc)) ? static_cast<CVarnoDoc*>(document)
                                                                                : nullptr;
}

void CVarnoView::OnDraw(CDC* pDC)
{
    CVarnoDoc* document = GetDocument();
    if (document == nullptr || document->m_pHandler == nullptr) {
        return;
    }
    const LOGFONT logFont = CurrentDisplayFont();

    char text[512] = {};
    CFont font;
    font.CreateFontIndirect(&logFont);
    CFont* oldFont = pDC->SelectObject(&font);

    // In logical units: the context's origin follows the scroll position.
    const RECT area = TableAreaScrolledTo(POINT{0, 0});
    switch (document->m_nKind) {
    case CVarnoDoc::kindNtCodePage:
    case CVarnoDoc::kind9xCodePage:
    case CVarnoDoc::kindGdiModule:
        DrawColumnHeaders(pDC, area, text, sizeof text);
        DrawCharGrid(pDC, area, document, text, sizeof text);
        break;
    case CVarnoDoc::kindKeyboard: DrawKeyTable(pDC, area, document, text, sizeof text); break;
    default: break;
    }

    pDC->SelectObject(oldFont);
    font.DeleteObject();
}

RECT CVarnoView::TableAreaScrolledTo(POINT scrollPosition) const
{
    RECT client;
    GetClientRect(&client);
    return GetTableArea(GetDrawingRect(client, GetTotalSize(), scrollPosition));
}

TableViewInput* CVarnoView::Input() const { return m_pInput; }

RECT CVarnoView::GetClientTableArea() const { return TableAreaScrolledTo(GetScrollPosition()); }

void CVarnoView::ScrollIntoView(const RECT& box)
{
    RECT client;
    GetClientRect(&client);
    // Along one axis: first the far edge into view, then the near one, which wins.
    const auto shift = [](LONG nearEdge, LONG farEdge, LONG clientEnd) {
        const LONG past = std::max<LONG>(0, farEdge - clientEnd);
        return std::min(past, nearEdge);
    };
    POINT position = GetScrollPosition();
    position.x += shift(box.left, box.right, client.right);
    position.y += shift(box.top, box.bottom, client.bottom);
    ScrollToPosition(position);
}

void CVarnoView::DrawColumnHeaders(CDC* pDC, const RECT& area, char* text, std::size_t size)
{
    pDC->SetBkColor(kWhite);
    for (int column = 0; column < 8; ++column) {
        std::snprintf(text, size, "+%X", column);
        RECT header = GetColumnHeaderRect(area, column);
        pDC->DrawText(text, -1, &header, 0);
    }
}

// Only what lies in the paint's clip is drawn: after an edit, that is the cells it changed.
void CVarnoView::DrawCharGrid(CDC* pDC, const RECT& area, CVarnoDoc* pDoc, char* text, std::size_t size)
{
    const GridPaint grid{pDC, area, pDoc->m_pHandler, pDoc->m_nKind != CVarnoDoc::kindGdiModule,
                         CurrentLetters() == Letters::tableCharacters};
    for (int row = 0; row < 16; ++row) {
        const int first = 0x80 + 8 * row;
        // A row's label is drawn whenever any of the row is.
        const RECT box = GetCharCellBox(area, first);
        const RECT band{area.left, box.top, area.right, box.bottom};
        if (!pDC->RectVisible(&band)) {
            continue;
        }
        std::snprintf(text, size, "%02X", first);
        pDC->SetBkColor(kWhite);
        RECT label = GetRowLabelRect(area, row);
        pDC->DrawText(text, -1, &label, 0);
        for (int byte = first; byte < first + 8; ++byte) {
            DrawCharCell(grid, byte, text, size);
        }
    }
}

void CVarnoView::DrawKeyTable(CDC* pDC, const RECT& area, CVarnoDoc* pDoc, char* text, std::size_t size)
{
    // The header keeps the background that the context has.
    RECT header = area;
    pDC->DrawText("Key\n\nlow\n\nHIGH\n\nCapsLock", -1, &header, 0);

    auto* handler = dynamic_cast<CKeyboardHandler*>(pDoc->m_pHandler);
    if (handler == nullptr) {
        return;
    }
    char name[CKeyboardHandler::kKeyNameSize] = {};
    for (int key = 0; key < CKeyboardHandler::kKeyCount; ++key) {
        const RECT box = GetKeyColumnBox(area, key);
        if (!pDC->RectVisible(&box)) {
            continue;
        }
        handler->GetKeyName(key, name);
        std::size_t used = Appended(std::snprintf(text, size, "%s\n\n", name), 0, size);
        used = Appended(FormatKeyByte(text + used, size - used, handler->GetLow(key)), used, size);
        used = Appended(std::snprintf(text + used, size - used, "\n\n"), used, size);
        used = Appended(FormatKeyByte(text + used, size - used, handler->GetHigh(key)), used, size);
        std::snprintf(text + used, size - used, "\n\n%s", handler->GetCapsLock(key) ? "ON" : "off");
        pDC->SetBkColor(handler->m_modified[key] != 0 ? kGreen : kWhite);
        RECT column = GetKeyColumnRect(area, key);
        pDC->DrawText(text, -1, &column, 0);
    }
}

void CVarnoView::OnLButtonDown(UINT, POINT point)
{
    EditAtPoint(*this, point);
    Default();
}

void CVarnoView::OnEditTakeTable()
{
    if (CVarnoDoc* document = GetDocument()) {
        TakeTableInto(*document);
    }
}

void CVarnoView::OnEditGoToByte() { GoToByte(*this); }

void CVarnoView::OnEditFind() { FindInView(*this); }

void CVarnoView::OnEditFindNext() { FindAgain(*this, +1); }

void CVarnoView::OnEditFindPrevious() { FindAgain(*this, -1); }

void CVarnoView::OnEditCopy() { CopyCursorEntry(*this); }

void CVarnoView::OnEditCopyTable() { CopyTable(*this); }

void CVarnoView::OnFileExportMapping() { ExportMapping(*this); }
