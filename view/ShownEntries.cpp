#include "view/ShownEntries.h"

#include "document/CVarnoDoc.h"
#include "tables/CKeyboardHandler.h"

std::vector<ShownEntry> ReadShownEntries(CVarnoDoc& doc)
{
    std::vector<ShownEntry> entries;
    CTableHandler* handler = doc.m_pHandler;
    if (handler == nullptr) {
        return entries;
    }
    if (doc.m_nKind == CVarnoDoc::kindKeyboard) {
        const auto* keys = dynamic_cast<const CKeyboardHandler*>(handler);
        for (int key = 0; keys != nullptr && key < CKeyboardHandler::kKeyCount; ++key) {
            const auto bytes = static_cast<std::uint16_t>(keys->GetLow(key) | keys->GetHigh(key) << 8);
            entries.push_back({bytes, keys->GetCapsLock(key) ? std::uint8_t{1} : std::uint8_t{0}, keys->m_modified[key]});
        }
        return entries;
    }
    if (!CVarnoDoc::IsCodePageKind(doc.m_nKind)) {
        return entries;
    }
    // A GDI module has no reverse table: nothing maps back.
    const bool mapsBack = doc.m_nKind != CVarnoDoc::kindGdiModule;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::uint16_t unicode = handler->Lookup(static_cast<std::uint8_t>(byte));
        const std::uint8_t back = mapsBack ? handler->ReverseLookup(unicode) : std::uint8_t{0};
        entries.push_back({unicode, back, handler->m_modified[byte]});
    }
    return entries;
}

std::vector<int> ChangedCells(const std::vector<ShownEntry>& before, const std::vector<ShownEntry>& after)
{
    std::vector<int> changed;
    for (std::size_t cell = 0; cell < before.size() && cell < after.size(); ++cell) {
        if (before[cell] != after[cell]) {
            changed.push_back(static_cast<int>(cell));
        }
    }
    return changed;
}
