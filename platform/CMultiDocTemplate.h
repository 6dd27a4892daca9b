#pragma once
// The template of a multiple-document application: each document opens in a
// frame of the frame class, in the main window, with a view of the view class.

#include "platform/CDocTemplate.h"

class CMultiDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;

    // Makes and shows the frame and view of a document just opened or created;
    // nothing without a main window or frame class. FALSE drops the document.
    BOOL CreateFrameAndView(CDocument* pDocument) override;
    void ActivateDocument(CDocument* pDocument) override;
    // A new frame of the frame class in the main window, with a new view of the
    // document (pOther, the frame it copies, adds nothing here). Null on failure.
    CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) override;
};
