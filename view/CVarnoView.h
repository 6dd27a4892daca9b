#pragma once
// The table view of a document window: the character grid of the bytes
// 0x80-0xFF (NT and 9x code-page files, GDI modules) or the key table of a
// keyboard layout, drawn afresh from the document's handler at every paint in
// the main window's display font, each cell with the letters that View > Letters
// chose (view/DisplayFont.h). Green marks an entry changed since loading, red
// (code-page files only) a value that does not map back to its byte. An edit
// repaints only the cells that it changed. A cell cursor, the status bar and
// tooltips describe the entries. A window smaller than the size at which its
// table is legible scrolls the table.

#include "platform/CScrollView.h"

#include "view/ShownEntries.h"

#include <QPointer>

#include <vector>

class CVarnoDoc;
class QWidget;
class TableChoice;
class TableViewInput;

class CVarnoView : public CScrollView {
    DECLARE_DYNCREATE(CVarnoView)
public:
    CVarnoView();
    ~CVarnoView() override;

    void OnDraw(CDC* pDC) override;
    // Sets up the keyboard and the mouse beyond the click (TableViewInput.h).
    void OnInitialUpdate() override;

    CVarnoDoc* GetDocument() const;

    // The choice of a GDI module's table (TableChoice.h), for the frame to put above the view; made
    // once, owned by the widget it is laid into, kept up to date by the view.
    QWidget* CreateTableChoice();

    // The table area in the client area's pixels at the present scroll position,
    // where clicks, the cell cursor and tooltips find their cells.
    RECT GetClientTableArea() const;
    // Scrolls as little as it takes to show the box (client pixels) whole, or its top left.
    void ScrollIntoView(const RECT& box);
    // The keyboard, the cell cursor and the marks of Find; null before the first update.
    TableViewInput* Input() const;

    static constexpr COLORREF kWhite = 0xFFFFFF;
    static constexpr COLORREF kGreen = 0x00FF00;
    static constexpr COLORREF kRed = 0x0000FF;

protected:
    // A click edits the entry under it.
    void OnLButtonDown(UINT nFlags, POINT point);
    // Edit > Take Table From on the view's document.
    void OnEditTakeTable();
    // Edit > Go to Byte, Find, Find Next and Find Previous (FindCommands.h).
    void OnEditGoToByte();
    void OnEditFind();
    void OnEditFindNext();
    void OnEditFindPrevious();
    // Edit > Copy and Copy Table, File > Export Mapping (TableTextCommands.h).
    void OnEditCopy();
    void OnEditCopyTable();
    void OnFileExportMapping();
    // After an edit (CVarnoDoc::hintEntries) repaints only the cells whose text or colour changed;
    // else repaints all at the size at which the table is legible in the display font. The status
    // bar's description of this view and the choice of a GDI module's table follow the table.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    DECLARE_MESSAGE_MAP()

private:
    // Owned by the view's window.
    QPointer<TableViewInput> m_pInput;
    QPointer<TableChoice> m_pChoice;
    // What the cells showed at the last update, to tell which ones an edit changed.
    std::vector<ShownEntry> m_shown;

    // The table area at the given scroll position.
    RECT TableAreaScrolledTo(POINT scrollPosition) const;
    // The whole cells (keys of a keyboard layout, else bytes from 0x80 on) repaint.
    void InvalidateCells(const std::vector<int>& cells);
    void DrawColumnHeaders(CDC* pDC, const RECT& area, char* text, std::size_t size);
    void DrawCharGrid(CDC* pDC, const RECT& area, CVarnoDoc* pDoc, char* text, std::size_t size);
    void DrawKeyTable(CDC* pDC, const RECT& area, CVarnoDoc* pDoc, char* text, std::size_t size);
};
