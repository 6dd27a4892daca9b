#include "document/CVarnoDoc.h"

#include "document/GdiTableNames.h"
#include "document/KindChooser.h"
#include "document/OpenTablesFollowers.h"
#include "platform/CArchive.h"
#include "platform/CFile.h"
#include "platform/CWinApp.h"
#include "platform/FilePath.h"
#include "platform/MessageBox.h"
#include "tables/C9xCodePageHandler.h"
#include "tables/CGdiTableHandler.h"
#include "tables/CKeyboardHandler.h"
#include "tables/CNtCodePageHandler.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

CTableHandler* CreateHandler(int kind)
{
    switch (kind) {
    case CVarnoDoc::kindNtCodePage: return new CNtCodePageHandler;
    case CVarnoDoc::kind9xCodePage: return new C9xCodePageHandler;
    case CVarnoDoc::kindKeyboard: return new CKeyboardHandler;
    case CVarnoDoc::kindGdiModule: return new CGdiTableHandler;
    default: return new CTableHandler;
    }
}

const char* KindName(int kind)
{
    switch (kind) {
    case CVarnoDoc::kindNtCodePage: return "an NT code-page file";
    case CVarnoDoc::kind9xCodePage: return "a 9x code-page file";
    case CVarnoDoc::kindKeyboard: return "a keyboard layout file";
    case CVarnoDoc::kindGdiModule: return "a GDI module";
    default: return "its kind";
    }
}

} // namespace

IMPLEMENT_DYNCREATE(CVarnoDoc, CDocument)

CVarnoDoc::CVarnoDoc() : m_editState(std::make_shared<EditState>(EditState{this})) {}

CVarnoDoc::~CVarnoDoc()
{
    delete m_pHandler;
    TellOpenTablesFollowers();
}

int CVarnoDoc::KindFromFileName(const std::string& fileName)
{
    std::string name = fileName;
    for (char& ch : name) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
    const struct {
        const char* part;
        int kind;
    } rules[] = {
        {".exe", kindGdiModule}, {"gdi", kindGdiModule}, {".kbd", kindKeyboard},
        {"c_", kindNtCodePage},  {"cp_", kind9xCodePage},
    };
    for (const auto& rule : rules) {
        if (name.find(rule.part) != std::string::npos) {
            return rule.kind;
        }
    }
    return kindUndefined;
}

const char* CVarnoDoc::KindTitle(int kind)
{
    switch (kind) {
    case kindNtCodePage: return "NT code page";
    case kind9xCodePage: return "9x code page";
    case kindKeyboard: return "keyboard layout";
    case kindGdiModule: return "GDI module";
    default: return "undefined format";
    }
}

const char* const CVarnoDoc::kKindRule = "The kind of a file comes from its name: c_ makes an NT code page, cp_ a 9x "
                                         "code page, .kbd a keyboard layout, .exe or gdi a GDI module.";

std::string CVarnoDoc::UndefinedFormatText(const std::string& path)
{
    return "Undefined format\n" + path + "\n" + kKindRule;
}

BOOL CVarnoDoc::OnNewDocument() { return FALSE; }

BOOL CVarnoDoc::OnSaveDocument(LPCSTR lpszPathName)
{
    if (!CDocument::OnSaveDocument(lpszPathName)) {
        return FALSE;
    }
    m_editState->saved = m_editState->current;
    return TRUE;
}

void CVarnoDoc::SetPathName(LPCSTR lpszPathName)
{
    CDocument::SetPathName(lpszPathName);
    SetReferenceOnly(m_bReferenceOnly);
}

void CVarnoDoc::SetReferenceOnly(bool referenceOnly)
{
    m_bReferenceOnly = referenceOnly;
    UpdateTitle();
    TellOpenTablesFollowers();
}

void CVarnoDoc::UpdateTitle()
{
    std::string title = AfxGetFileName(GetPathName());
    if (m_bKindChosen) {
        title += std::string(" (") + KindTitle(m_nKind) + ")";
    }
    if (const CGdiTableHandler* gdi = GdiModule(); gdi != nullptr && gdi->Tables().size() > 1) {
        title += " \u2014 " + GdiTableTitle(*gdi, gdi->SelectedTable());
    }
    if (m_bReferenceOnly) {
        title += " (reference)";
    }
    if (title != GetTitle()) {
        SetTitle(title.c_str());
    }
}

CGdiTableHandler* CVarnoDoc::GdiModule() const
{
    return m_nKind == kindGdiModule ? dynamic_cast<CGdiTableHandler*>(m_pHandler) : nullptr;
}

std::size_t CVarnoDoc::ShownTable() const
{
    const CGdiTableHandler* gdi = GdiModule();
    return gdi != nullptr ? gdi->SelectedTable() : 0;
}

bool CVarnoDoc::ShowTable(std::size_t index)
{
    CGdiTableHandler* gdi = GdiModule();
    if (gdi == nullptr) {
        return index == 0;
    }
    if (index == gdi->SelectedTable()) {
        return true;
    }
    if (!gdi->SelectTable(index)) {
        return false;
    }
    UpdateTitle();
    UpdateAllViews(nullptr, hintTable);
    TellOpenTablesFollowers();
    return true;
}

void CVarnoDoc::ApplyEdit(const std::function<void()>& edit)
{
    std::vector<std::uint8_t> before;
    if (m_pHandler != nullptr) {
        before.assign(m_pHandler->m_data, m_pHandler->m_data + m_pHandler->m_length);
    }
    edit();
    if (m_pHandler != nullptr
        && !std::equal(before.begin(), before.end(), m_pHandler->m_data, m_pHandler->m_data + m_pHandler->m_length)) {
        SetModifiedFlag(TRUE);
    }
    UpdateEntryViews();
}

void CVarnoDoc::UpdateEntryViews()
{
    UpdateTitle();
    UpdateAllViews(nullptr, hintEntries);
    TellOpenTablesFollowers();
}

void CVarnoDoc::Serialize(CArchive& ar)
{
    if (ar.IsLoading()) {
        Load(ar);
    } else {
        Store(ar);
    }
}

void CVarnoDoc::Load(CArchive& ar)
{
    delete m_pHandler;
    m_pHandler = nullptr;
    CFile* file = ar.GetFile();
    m_nKind = KindOfFile(*file);
    if (m_nKind == kindUndefined) {
        // No window is left for a file that holds no table.
        ar.SetCancelled();
        return;
    }
    m_pHandler = CreateHandler(m_nKind);

    // The framework has refused a file of 2 GiB or more (AfxIsFileTooLarge).
    const auto length = static_cast<std::int32_t>(file->GetLength());
    if (!m_pHandler->AllocateData(length)) {
        RefuseLoad(ar, "There is not enough memory to load the file.");
        return;
    }
    m_pHandler->m_length = static_cast<std::int32_t>(ar.Read(m_pHandler->m_data, static_cast<UINT>(length)));
    if (ar.HasError()) {
        RefuseLoad(ar, ar.GetErrorText());
        return;
    }

    if (m_nKind == kindGdiModule) {
        auto* gdi = static_cast<CGdiTableHandler*>(m_pHandler);
        // A module without a table has nothing to edit.
        if (gdi->FindTables() == 0) {
            RefuseLoad(ar, "No code-page table was found in this GDI module.");
            return;
        }
    }
    // Edits outside the file's bytes would be lost on save, or land outside the image.
    if (!m_pHandler->IsImageLongEnough()) {
        RefuseLoad(ar, std::string("The file is too short for ") + KindName(m_nKind) + ".");
    }
}

int CVarnoDoc::KindOfFile(const CFile& file)
{
    const int named = KindFromFileName(file.GetFileName());
    m_bKindChosen = named == kindUndefined;
    if (!m_bKindChosen) {
        return named;
    }
    if (auto* chooser = dynamic_cast<KindChooser*>(AfxGetApp())) {
        return chooser->ChooseKind(file.GetFilePath());
    }
    AfxMessageBox(UndefinedFormatText(file.GetFilePath()).c_str(), MB_OK);
    return kindUndefined;
}

void CVarnoDoc::RefuseLoad(CArchive& ar, const std::string& reason)
{
    delete m_pHandler;
    m_pHandler = nullptr;
    m_nKind = kindUndefined;
    ar.SetError(reason.c_str());
}

void CVarnoDoc::Store(CArchive& ar)
{
    // Writing nothing would replace the file with an empty one.
    if (m_pHandler == nullptr || m_pHandler->m_data == nullptr) {
        ar.SetError("The document holds no file image to save.");
        return;
    }
    ar.Write(m_pHandler->m_data, static_cast<UINT>(m_pHandler->m_length));
}
