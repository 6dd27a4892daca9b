#pragma once
// A view: a window that shows one document. The document keeps the list of
// its views and asks them to update through UpdateAllViews.

#include "platform/CWnd.h"

class CDC;
class CDocument;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    // Leaves its document's view list.
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Paints the document into the device context.
    virtual void OnDraw(CDC* pDC) = 0;
    // Called once the view is bound to its document, before it is first shown.
    virtual void OnInitialUpdate();

protected:
    friend class CDocument;
    // The document changed: by default the whole view is invalidated and so repainted.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);

    CDocument* m_pDocument = nullptr;
};
