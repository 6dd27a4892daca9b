#include "view/ClickEditing.h"

#include "document/CVarnoDoc.h"
#include "document/EditHistory.h"
#include "document/PropagateCharChange.h"
#include "platform/CWinApp.h"
#include "platform/FilePath.h"
#include "platform/MessageBox.h"
#include "tables/CKeyboardHandler.h"
#include "view/CChangeCharDlg.h"
#include "view/CChangeKeyDlg.h"
#include "view/CVarnoView.h"
#include "view/TableLayout.h"
#include "view/TableViewInput.h"

#include <QString>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The key's name as a text shows it: its "&&" drawn as one "&".
std::string KeyName(const CKeyboardHandler& keyboard, int key)
{
    char name[CKeyboardHandler::kKeyNameSize];
    keyboard.GetKeyName(key, name);
    std::string text = name;
    if (const std::size_t doubled = text.find("&&"); doubled != std::string::npos) {
        text.erase(doubled, 1);
    }
    return text;
}

} // namespace

void EditAtPoint(CVarnoView& view, POINT point)
{
    CVarnoDoc* document = view.GetDocument();
    if (document == nullptr) {
        return;
    }
    // A reference is only looked at.
    if (document->m_bReferenceOnly) {
        if (TableViewInput* input = view.Input()) {
            input->Say(QString::fromStdString(AfxGetFileName(document->GetPathName()))
                       + QStringLiteral(" is a reference and takes no change; Edit > Reference Only makes it editable."));
        }
        return;
    }
    CVarnoDoc& doc = *document;
    const RECT area = view.GetClientTableArea();
    switch (doc.m_nKind) {
    case CVarnoDoc::kindNtCodePage:
    case CVarnoDoc::kind9xCodePage:
    case CVarnoDoc::kindGdiModule: EditCharAtPoint(doc, area, point); break;
    case CVarnoDoc::kindKeyboard: EditKeyAtPoint(doc, area, point); break;
    default: break;
    }
}

void EditKeyAtPoint(CVarnoDoc& doc, const RECT& area, POINT point)
{
    auto* keyboard = dynamic_cast<CKeyboardHandler*>(doc.m_pHandler);
    const int key = HitTestKey(area, point);
    if (keyboard == nullptr || key == kNoHit) {
        return;
    }
    CChangeKeyDlg dialog(nullptr);
    dialog.m_nKey = key;
    dialog.m_nHigh = keyboard->GetHigh(key);
    dialog.m_nLow = keyboard->GetLow(key);
    dialog.m_bCapsLock = keyboard->GetCapsLock(key);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    // Marked when a value changed, so that closing asks to save it; every view repaints, the clicked one included.
    ApplicationEditHistory().Record("Change key " + KeyName(*keyboard, key), {&doc}, [&] {
        doc.ApplyEdit([&] {
            // The handler keeps the low 8 bits of what the fields gave.
            keyboard->SetHigh(key, static_cast<std::uint8_t>(dialog.m_nHigh));
            keyboard->SetLow(key, static_cast<std::uint8_t>(dialog.m_nLow));
            keyboard->SetCapsLock(key, dialog.m_bCapsLock);
        });
    });
}

void EditCharAtPoint(CVarnoDoc& doc, const RECT& area, POINT point)
{
    const int hit = HitTestChar(area, point);
    if (doc.m_pHandler == nullptr || hit == kNoHit) {
        return;
    }
    const auto b = static_cast<std::uint8_t>(hit);
    CChangeCharDlg dialog(nullptr);
    dialog.m_nChar = b;
    dialog.m_nUnicode = doc.m_pHandler->Lookup(b);
    dialog.m_pHandler = doc.m_pHandler;
    if (dialog.DoModal() != IDOK) {
        return;
    }
    const auto n = static_cast<std::uint8_t>(dialog.m_nChar);
    const auto u = static_cast<std::uint16_t>(dialog.m_nUnicode);
    // Read only now, from the tables as the dialog leaves them.
    ChangeCharEverywhere(b, n, u, PreviousHolder(*doc.m_pHandler, u), doc.m_pHandler->Lookup(b));
}

void ChangeCharEverywhere(std::uint8_t b, std::uint8_t n, std::uint16_t u, std::uint8_t p, std::uint16_t o)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return;
    }
    const std::vector<CVarnoDoc*> documents = AllOpenDocuments(*app);
    char name[32];
    std::snprintf(name, sizeof name, "Change %02X to %04X", n, u);
    CharChangeResult result;
    ApplicationEditHistory().Record(name, documents, [&] { result = PropagateCharChange(documents, b, n, u, p, o); });
    if (!result.Applied()) {
        AfxMessageBox(RefusalMessage(result).c_str(), MB_ICONSTOP);
    }
}
