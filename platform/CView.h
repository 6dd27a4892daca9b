#pragma once
// A view: a window that shows one document, updated through UpdateAllViews. A
// view made by Create paints through OnDraw on the window colour, sends
// WM_LBUTTONDOWN through its message map, gives GetTotalSize as its window's
// size hint, and deletes itself with its window.

#include "platform/CWnd.h"

class CDC;
class CDocument;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    // Leaves its document's view list.
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

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
    friend class CDocument;
    // The document changed: by default the whole view is invalidated and so repainted.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    void PostNcDestroy() override;

    CDocument* m_pDocument = nullptr;
};
