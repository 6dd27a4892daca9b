#include "document/TableTake.h"

#include "document/CVarnoDoc.h"
#include "document/PropagateCharChange.h"
#include "document/StringPrintf.h"
#include "tables/CTableHandler.h"

#include <algorithm>
#include <vector>

namespace {

// The first assignment whose value a byte that the sequence leaves alone holds; false when there is none.
bool FindKeptHolder(const std::vector<TableAssignment>& sequence, const std::uint16_t (&values)[256], TakeResult& result)
{
    bool taken[256] = {};
    for (const TableAssignment& change : sequence) {
        taken[change.byte] = true;
    }
    for (const TableAssignment& change : sequence) {
        for (unsigned other = 0; other < 256; ++other) {
            if (!taken[other] && values[other] == change.unicode) {
                result.byte = change.byte;
                result.unicode = change.unicode;
                result.holder = static_cast<std::uint8_t>(other);
                return true;
            }
        }
    }
    return false;
}

} // namespace

TakeResult TakeTable(CVarnoDoc& target, const TableValues& source, ByteRange range)
{
    TakeResult result;
    CTableHandler* handler = target.m_pHandler;
    if (handler == nullptr || !CVarnoDoc::IsCodePageKind(target.m_nKind)) {
        result.refusal = TakeResult::notCodePage;
        return result;
    }
    std::vector<TableAssignment> sequence;
    for (unsigned byte = range.first; byte <= std::min(range.last, 0xFFu); ++byte) {
        if (source[byte]) {
            sequence.push_back({static_cast<std::uint8_t>(byte), *source[byte]});
        }
    }
    std::uint16_t before[256];
    for (unsigned byte = 0; byte < 256; ++byte) {
        before[byte] = handler->Lookup(static_cast<std::uint8_t>(byte));
    }
    if (FindKeptHolder(sequence, before, result)) {
        result.refusal = TakeResult::keptHolder;
        return result;
    }

    const std::vector<std::uint8_t> image(handler->m_data, handler->m_data + handler->m_length);
    std::uint8_t flags[256];
    std::copy(std::begin(handler->m_modified), std::end(handler->m_modified), flags);
    if (!handler->AssignAll(sequence)) {
        const bool lost = RefusalReason(*handler, sequence) == CharChangeResult::tableLost;
        result.refusal = lost ? TakeResult::tableLost : TakeResult::noRoom;
        return result;
    }
    for (const TableAssignment& change : sequence) {
        if (handler->Lookup(change.byte) == before[change.byte]) {
            handler->m_modified[change.byte] = flags[change.byte];
        } else {
            ++result.changedEntries;
        }
    }
    if (!std::equal(image.begin(), image.end(), handler->m_data)) {
        target.SetModifiedFlag(TRUE);
        target.UpdateAllViews(nullptr, CVarnoDoc::hintEntries);
    }
    return result;
}

std::string TakeRefusalReason(const TakeResult& result)
{
    switch (result.refusal) {
    case TakeResult::notCodePage: return "only code-page files and GDI modules take a table";
    case TakeResult::keptHolder:
        return StringPrintf("byte %02X would take %04X, which byte %02X keeps, so %04X would no longer convert back to %02X",
                            result.byte, result.unicode, result.holder, result.unicode, result.holder);
    case TakeResult::noRoom: return "its table has no room for this change";
    case TakeResult::tableLost:
        return "entries C0-C4 would no longer hold 0410-0414, so that its table could no longer be found";
    case TakeResult::none: break;
    }
    return {};
}
