#pragma once
// The document of one open table file. The file's name decides its format
// kind and so its table handler (the application chooses one for a name that
// makes none, KindChooser.h); the whole file is read into the
// handler's image and written back byte for byte, so a saved file differs
// from the loaded one only in the edited bytes. New, empty documents are refused.

#include "platform/CDocument.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CFile;
class CGdiTableHandler;
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
    // "NT code page", "keyboard layout", ...: the kind as the title of a window names it.
    static const char* KindTitle(int kind);
    // The rule by which names make kinds, one sentence.
    static const char* const kKindRule;
    // What the user is told of a file whose name makes no kind: "Undefined format", the path,
    // and kKindRule, a line each.
    static std::string UndefinedFormatText(const std::string& path);
    // Whether documents of the kind hold a byte-to-Unicode table (NT, 9x, GDI module).
    static bool IsCodePageKind(int kind)
    {
        return kind == kindNtCodePage || kind == kind9xCodePage || kind == kindGdiModule;
    }

    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    // A successful save makes the edit state the document is in the one its file holds.
    BOOL OnSaveDocument(LPCSTR lpszPathName) override;
    // The title keeps saying "(reference)" under a new name.
    void SetPathName(LPCSTR lpszPathName) override;

    // Marks the document as a reference, or no longer, and says so in its title, as it says
    // the kind that was chosen for a file whose name makes none. Those that follow every open
    // table hear of it (OpenTablesFollowers.h), and so of a document that opened and took its name.
    void SetReferenceOnly(bool referenceOnly);

    // The handler of a GDI module; null for every other kind.
    CGdiTableHandler* GdiModule() const;
    // The table that every window of the document shows and edits: a GDI module's selected one,
    // else 0, the one table of the file.
    std::size_t ShownTable() const;
    // Every window of the document shows the table at index from now on, and the title names it
    // (views update with hintTable, and those that follow every open table hear). False, changing
    // nothing, for a table the document has not.
    bool ShowTable(std::size_t index);

    // The hint with which an edit asks the views to update (UpdateAllViews): entries of the table
    // changed, so a view repaints the cells whose text or colour did. Any other hint repaints it whole.
    static constexpr LPARAM hintEntries = 1;
    // The hint with which the document asks its views to show another of its tables.
    static constexpr LPARAM hintTable = 2;

    // After entries changed: the title names the shown table as it now is (its code page may have
    // changed), all views update (hintEntries), and those that follow every open table hear
    // (OpenTablesFollowers.h).
    void UpdateEntryViews();

    // Runs an edit of the handler, then asks all views to update (hintEntries), for the entries
    // that it marked (green). The document is marked modified only when a byte of its file changed: an entry or
    // key given the value it held leaves nothing to save.
    void ApplyEdit(const std::function<void()>& edit);

    // The handler of the loaded file, of the class that m_nKind names; null
    // before the first load. Owned by the document.
    CTableHandler* m_pHandler = nullptr;
    int m_nKind = kindUndefined;
    // The name made no kind: m_nKind was chosen (KindChooser.h).
    bool m_bKindChosen = false;
    // A reference document takes no change from a propagation, and a click opens no edit in it.
    bool m_bReferenceOnly = false;

    // The document as the edit history knows it (document/EditStep.h): the edit state it is in
    // and the one its file holds, so that it is modified exactly when the two differ. Steps hold
    // it weakly, so that a step never reaches a closed document.
    struct EditState {
        // Goes with the document, whose steps then count it as closed.
        ~EditState()
        {
            if (closed) {
                closed();
            }
        }
        CVarnoDoc* document;
        std::uint64_t current = 0;
        std::uint64_t saved = 0;
        // Told as the document goes: the history that holds steps of it renames or drops them.
        std::function<void()> closed = nullptr;
    };
    const std::shared_ptr<EditState> m_editState;

private:
    // The file's name, then the kind chosen for it, the table shown when a GDI module has several,
    // and "(reference)".
    void UpdateTitle();
    void Load(CArchive& ar);
    void Store(CArchive& ar);
    // The kind of the file being read: the one its name makes, else the one chosen for it;
    // kindUndefined when there is none (the user has been told).
    int KindOfFile(const CFile& file);
    // Drops the handler and refuses the load with the reason.
    void RefuseLoad(CArchive& ar, const std::string& reason);
};
