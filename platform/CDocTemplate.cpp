#include "platform/CDocTemplate.h"

#include "platform/CDocument.h"
#include "platform/ResourceStrings.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate != nullptr && pDoc->m_pDocTemplate != this) {
        pDoc->m_pDocTemplate->RemoveDocument(pDoc);
    }
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this) {
        pDoc->m_pDocTemplate = nullptr;
    }
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == nullptr || !m_pDocClass->IsDerivedFrom(RUNTIME_CLASS(CDocument))) {
        return nullptr;
    }
    auto* document = static_cast<CDocument*>(m_pDocClass->CreateObject());
    if (document != nullptr) {
        AddDocument(document);
    }
    return document;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION position = GetFirstDocPosition();
    while (position != nullptr) {
        GetNextDoc(position)->OnCloseDocument();
    }
}

BOOL CDocTemplate::CreateFrameAndView(CDocument*) { return TRUE; }

void CDocTemplate::ActivateDocument(CDocument*) {}

BOOL CDocTemplate::GetDocString(std::string& rString, DocStringIndex index) const
{
    rString.clear();
    const char* text = AfxLoadString(m_nIDResource);
    if (text == nullptr) {
        return FALSE;
    }
    std::string all = text;
    std::size_t start = 0;
    for (int field = 0; field < index; ++field) {
        start = all.find('\n', start);
        if (start == std::string::npos) {
            return FALSE;
        }
        ++start;
    }
    std::size_t end = all.find('\n', start);
    rString = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return rString.empty() ? FALSE : TRUE;
}
