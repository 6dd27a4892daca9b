#pragma once
// The table view of a document window: the character grid of the bytes
// 0x80-0xFF (NT and 9x code-page files, GDI modules) or the key table of a
// keyboard layout, drawn afresh from the document's handler at every paint in
// the main window's display font. Green marks an entry changed since loading,
// red (code-page files only) a value that does not map back to its byte. A
// cell cursor, the status bar and tooltips describe the entries.

#include "platform/CView.h"

#include <QPointer>

class CVarnoDoc;
class TableViewInput;

class CVarnoView : public CView {
    DECLARE_DYNCREATE(CVarnoView)
public:
    CVarnoView();
    ~CVarnoView() override;

    void OnDraw(CDC* pDC) override;
    // Sets up the keyboard and the mouse beyond the click (TableViewInput.h).
    void OnInitialUpdate() override;
    // The size at which the table is legible in the display font.
    SIZE GetTotalSize() const override;

    CVarnoDoc* GetDocument() const;

    static constexpr COLORREF kWhite = 0xFFFFFF;
    static constexpr COLORREF kGreen = 0x00FF00;
    static constexpr COLORREF kRed = 0x0000FF;

protected:
    // A click edits the entry under it.
    void OnLButtonDown(UINT nFlags, POINT point);
    // Edit > Take Table From on the view's document.
    void OnEditTakeTable();
    // Repaints, and the status bar's description of this view follows the table.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    DECLARE_MESSAGE_MAP()

private:
    // Owned by the view's window.
    QPointer<TableViewInput> m_pInput;

    void DrawColumnHeaders(CDC* pDC, const RECT& area, char* text, std::size_t size);
    void DrawCharGrid(CDC* pDC, const RECT& area, CVarnoDoc* pDoc, char* text, std::size_t size);
    void DrawKeyTable(CDC* pDC, const RECT& area, CVarnoDoc* pDoc, char* text, std::size_t size);
};
