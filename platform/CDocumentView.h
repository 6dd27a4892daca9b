#pragma once
// A view as its document knows it. A document needs no window: it reaches the windows
// that show it only through these calls, which CView answers, so that a program
// without windows builds its documents without any window code.

#include "platform/WinTypes.h"

class CDocument;
class CFrameWnd;
class CObject;
class CView;

class CDocumentView {
public:
    CDocument* GetDocument() const { return m_pDocument; }
    // The view itself.
    virtual CView* GetView() = 0;
    // The frame window that holds the view; null when none.
    virtual CFrameWnd* GetParentFrame() const = 0;

protected:
    friend class CDocument;
    ~CDocumentView() = default;

    // The document changed: by default the whole view is repainted.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) = 0;
    // The document's title, modified flag or number of windows changed: the view's frame shows
    // nWindow after the document's title (0 shows none) and retitles itself.
    virtual void UpdateFrameTitle(int nWindow) = 0;
    // The document closes: the view's frame is destroyed, and with it the view.
    virtual void DestroyFrame() = 0;

    CDocument* m_pDocument = nullptr;
};
