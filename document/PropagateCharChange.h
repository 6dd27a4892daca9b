#pragma once
// One confirmed character change applied to every open document at once:
// code-page tables take the new entry (and give the old one to the byte that
// held the value, so the two entries change places), keyboard layouts exchange
// the two byte values on their keys. Needs no window, so the command-line tool
// and tests call it as the click editor does.

#include "tables/CTableHandler.h"

#include <cstdint>
#include <string>
#include <vector>

class CVarnoDoc;
class CWinApp;

// A byte that no table entry holds: the answer of a reverse lookup that finds nothing.
constexpr std::uint8_t kUnmappedByte = 0x3F;

struct CharChangeResult {
    enum Refusal {
        none,
        noRoom,    // a 9x file whose rebuilt reverse table would not fit
        tableLost, // a GDI module whose table the search would no longer find
    };
    Refusal refusal = none;
    // The first document that cannot take the change; null when it was applied.
    CVarnoDoc* pRefused = nullptr;
    // That document's path.
    std::string refusedName;

    bool Applied() const { return pRefused == nullptr; }
};

// The byte that holds the value in the clicked table, the previous holder of a change to it: the
// table's reverse entry of the value, when that byte's own forward entry is the value. A reverse entry
// naming a byte that holds another value (one that an earlier Assign left behind, or a best-fit entry
// of the file) names no holder, and so does 0x3F: both answer kUnmappedByte.
std::uint8_t PreviousHolder(CTableHandler& clicked, std::uint16_t unicode);

// Every open document of the application: templates in registration order,
// each template's documents in the order they were opened.
std::vector<CVarnoDoc*> AllOpenDocuments(CWinApp& app);

// Applies the change to the documents in their order. clickedByte (b) is the
// byte that was edited, newByte (n) and unicode (u) what the edit gave back,
// previousHolder (p) and oldValue (o) the clicked table's PreviousHolder of u
// and lookup of b, read before anything changed; they are used unchanged for
// every document. Each code-page document gets Assign(n, u) and, when n == b
// and p is a byte, Assign(p, o) and Assign(n, u) again; each keyboard layout
// gets SwapChars(p, b) unless p is 0 or no byte. All views of a document so
// edited are asked to update; it is marked modified when a byte of its file
// changed (CVarnoDoc::ApplyEdit). Reference documents are passed over.
//
// Every affected code-page table is asked first whether it can take its
// Assign calls; when one cannot (a 9x file whose rebuilt reverse table would
// not fit, a GDI module whose table could no longer be found), no document is
// changed, marked or updated, and the result names it and the reason.
CharChangeResult PropagateCharChange(const std::vector<CVarnoDoc*>& documents, std::uint8_t clickedByte,
                                     std::uint8_t newByte, std::uint16_t unicode, std::uint8_t previousHolder,
                                     std::uint16_t oldValue);

// Why a table whose CanAssign refuses the sequence does so: a GDI module whose table could no
// longer be found, or else no room.
CharChangeResult::Refusal RefusalReason(const CTableHandler& handler, const std::vector<TableAssignment>& sequence);

// The message for a refused change, naming the file and the reason.
std::string RefusalMessage(const CharChangeResult& result);
