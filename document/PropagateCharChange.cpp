#include "document/PropagateCharChange.h"

#include "document/CVarnoDoc.h"
#include "platform/CWinApp.h"
#include "tables/CGdiTableHandler.h"
#include "tables/CKeyboardHandler.h"

namespace {

// The keyboard handler of a keyboard layout document, or null for any other document.
CKeyboardHandler* KeyboardOf(const CVarnoDoc& doc)
{
    return doc.m_nKind == CVarnoDoc::kindKeyboard ? dynamic_cast<CKeyboardHandler*>(doc.m_pHandler) : nullptr;
}

} // namespace

std::uint8_t PreviousHolder(CTableHandler& clicked, std::uint16_t unicode)
{
    const std::uint8_t holder = clicked.ReverseLookup(unicode);
    return clicked.Lookup(holder) == unicode ? holder : kUnmappedByte;
}

std::vector<CVarnoDoc*> AllOpenDocuments(CWinApp& app)
{
    std::vector<CVarnoDoc*> documents;
    for (CDocument* doc : app.GetOpenDocuments()) {
        if (doc->IsKindOf(RUNTIME_CLASS(CVarnoDoc))) {
            documents.push_back(static_cast<CVarnoDoc*>(doc));
        }
    }
    return documents;
}

CharChangeResult PropagateCharChange(const std::vector<CVarnoDoc*>& documents, std::uint8_t clickedByte,
                                     std::uint8_t newByte, std::uint16_t unicode, std::uint8_t previousHolder,
                                     std::uint16_t oldValue)
{
    // The same calls for every code-page table. The last one gives b its new
    // value back when p == b made the exchange overwrite it.
    std::vector<TableAssignment> assignments{{newByte, unicode}};
    if (newByte == clickedByte && previousHolder != kUnmappedByte) {
        assignments.push_back({previousHolder, oldValue});
        assignments.push_back({newByte, unicode});
    }
    const bool swapOnKeys = previousHolder != 0 && previousHolder != kUnmappedByte;

    // Reference documents take no part.
    std::vector<CVarnoDoc*> taking;
    for (CVarnoDoc* doc : documents) {
        if (doc != nullptr && doc->m_pHandler != nullptr && !doc->m_bReferenceOnly) {
            taking.push_back(doc);
        }
    }

    CharChangeResult result;
    for (CVarnoDoc* doc : taking) {
        if (CVarnoDoc::IsCodePageKind(doc->m_nKind) && !doc->m_pHandler->CanAssign(assignments)) {
            result.refusal = RefusalReason(*doc->m_pHandler, assignments);
            result.pRefused = doc;
            result.refusedName = doc->GetPathName();
            return result;
        }
    }

    for (CVarnoDoc* doc : taking) {
        if (CVarnoDoc::IsCodePageKind(doc->m_nKind)) {
            doc->ApplyEdit([&] {
                for (const TableAssignment& assignment : assignments) {
                    doc->m_pHandler->Assign(assignment.byte, assignment.unicode);
                }
            });
        } else if (CKeyboardHandler* keyboard = KeyboardOf(*doc); keyboard != nullptr && swapOnKeys) {
            doc->ApplyEdit([&] { keyboard->SwapChars(previousHolder, clickedByte); });
        }
    }
    return result;
}

CharChangeResult::Refusal RefusalReason(const CTableHandler& handler, const std::vector<TableAssignment>& sequence)
{
    const auto* gdi = dynamic_cast<const CGdiTableHandler*>(&handler);
    return gdi != nullptr && !gdi->KeepsTableFindable(sequence) ? CharChangeResult::tableLost : CharChangeResult::noRoom;
}

std::string RefusalMessage(const CharChangeResult& result)
{
    const std::string reason = result.refusal == CharChangeResult::tableLost
        ? "The table of " + result.refusedName + " could no longer be found after this change."
        : "The table of " + result.refusedName + " has no room for this change.";
    return reason + "\nNo open file was changed.";
}
