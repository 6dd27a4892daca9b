#pragma once
// The document of one open table file. The file's name alone decides its
// format kind and so its table handler; the whole file is read into the
// handler's image and written back byte for byte, so a saved file differs
// from the loaded one only in the edited bytes. New, empty documents are refused.

#include "platform/CDocument.h"

#include <string>

class CTableHandler;

class CVarnoDoc : public CDocument {
    DECLARE_DYNCREATE(CVarnoDoc)
public:
    enum Kind : int {
        kindUndefined = 0,
        kindNtCodePage = 1,
        kind9xCodePage = 2,
        kindKeyboard = 3,
        kindGdiModule = 4,
    };

    CVarnoDoc();
    ~CVarnoDoc() override;

    // The kind of a file from its name (the last path component), lower-cased
    // and tested in order for ".exe", "gdi", ".kbd", "c_" and "cp_" anywhere in it.
    static int KindFromFileName(const std::string& fileName);
    // Whether documents of the kind hold a byte-to-Unicode table (NT, 9x, GDI module).
    static bool IsCodePageKind(int kind)
    {
        return kind == kindNtCodePage || kind == kind9xCodePage || kind == kindGdiModule;
    }

    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;

    // The handler of the loaded file, of the class that m_nKind names; null
    // before the first load. Owned by the document.
    CTableHandler* m_pHandler = nullptr;
    int m_nKind = kindUndefined;

private:
    void Load(CArchive& ar);
    void Store(CArchive& ar);
    // Drops the handler and refuses the load with the reason.
    void RefuseLoad(CArchive& ar, const std::string& reason);
};
