#pragma once
// A view: a window that shows one document, updated through UpdateAllViews. A
// view made by Create paints through OnDraw on the window colour, gives a left
// click to the ON_WM_LBUTTONDOWN handler of its message map and GetTotalSize
// as its window's size hint. It belongs to its window and goes with it. The
// program's views scroll: CScrollView makes their windows.

#include "platform/CDocumentView.h"
#include "platform/CWnd.h"

class CDC;

class CView : public CWnd, public CDocumentView {
public:
    // Leaves its document's view list.
    ~CView() override;

    CView* GetView() override { return this; }
    CFrameWnd* GetParentFrame() const override { return CWnd::GetParentFrame(); }

    // Makes the view's window, a child of the parent's window when there is one.
    BOOL Create(CWnd* pParentWnd);

    virtual void OnDraw(CDC* pDC) = 0;
    // The client size at which the view shows all it holds; 0 x 0 (the default) when it
    // has no such size. Document windows take their size from it.
    virtual SIZE GetTotalSize() const { return {0, 0}; }
    // Called once the view is bound to its document, before it is first shown.
    virtual void OnInitialUpdate();

    BOOL OnCmdMsg(UINT nID) override;

protected:
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void UpdateFrameTitle(int nWindow) override;
    void DestroyFrame() override;
    // The view's window, made by Create.
    virtual QWidget* CreateViewWidget(QWidget* parent) = 0;
};
