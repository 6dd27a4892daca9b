#pragma once
// The template of a multiple-document application: any number of documents
// open at once, each with its own frame and view.

#include "platform/CDocTemplate.h"

#include <vector>

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                      const CRuntimeClass* pViewClass);
    // Closes the documents that are still open.
    ~CMultiDocTemplate() override;

    POSITION GetFirstDocPosition() const override { return AfxHeadPosition(m_docList); }
    CDocument* GetNextDoc(POSITION& rPos) const override { return AfxGetNextAt(m_docList, rPos); }
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;

    CDocument* OpenDocumentFile(LPCSTR lpszPathName) override;

private:
    std::vector<CDocument*> m_docList;
};
