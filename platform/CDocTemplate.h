#pragma once
// A document template binds a document class, a frame class and a view class
// (by their run-time classes) to a resource id, creates the documents of that
// type and keeps them in the order they were opened; any number of them are
// open at once. This one makes no windows: CMultiDocTemplate gives each
// document its own frame and view.

#include "platform/CCmdTarget.h"
#include "platform/Position.h"

#include <string>
#include <vector>

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
public:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);

    // The fields of the document string (the string resource of the template's id), separated by
    // '\n', that are read: the window title, document name and new-file name come before them.
    enum DocStringIndex { filterName = 3, filterExt = 4 };

    POSITION GetFirstDocPosition() const { return AfxHeadPosition(m_docList); }
    CDocument* GetNextDoc(POSITION& rPos) const { return AfxGetNextAt(m_docList, rPos); }
    void RemoveDocument(CDocument* pDoc);

    // With a path, opens that file as a new document; with null, makes a new
    // empty document. Null when the document refuses or fails (it has then
    // reported why) and no document of it remains.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName);
    virtual void CloseAllDocuments(BOOL bEndSession);

    // Makes and shows the windows of a document just opened or created: none here.
    // FALSE drops the document.
    virtual BOOL CreateFrameAndView(CDocument* pDocument);
    // Brings an open document's window to the front (its file was opened again): none here.
    virtual void ActivateDocument(CDocument* pDocument);
    // A new frame with a new view of the document; null on failure, and here.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);

    // The field of the document string; FALSE when there is none.
    BOOL GetDocString(std::string& rString, DocStringIndex index) const;

protected:
    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;

private:
    std::vector<CDocument*> m_docList;
};
