#include "document/TableTake.h"

#include "document/CVarnoDoc.h"
#include "document/PropagateCharChange.h"
#include "document/StringPrintf.h"
#include "tables/CTableHandler.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// The first assignment whose value a byte that the sequence leaves alone holds; false when there is none.
bool FindKeptHolder(const std::vector<TableAssignment>& sequence, const std::array<std::uint16_t, 256>& values, TakeResult& result)
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

using Values = std::array<std::uint16_t, 256>;

Values ValuesOf(CTableHandler& handler)
{
    Values values;
    for (unsigned byte = 0; byte < 256; ++byte) {
        values[byte] = handler.Lookup(static_cast<std::uint8_t>(byte));
    }
    return values;
}

// What the target would take, and whether it can; nothing changes.
TakeResult Ask(CVarnoDoc& target, const TableValues& source, ByteRange range, std::vector<TableAssignment>& sequence)
{
    TakeResult result;
    CTableHandler* handler = target.m_pHandler;
    if (handler == nullptr || !CVarnoDoc::IsCodePageKind(target.m_nKind)) {
        result.refusal = TakeResult::notCodePage;
        return result;
    }
    for (unsigned byte = range.first; byte <= std::min(range.last, 0xFFu); ++byte) {
        if (source[byte]) {
            sequence.push_back({static_cast<std::uint8_t>(byte), *source[byte]});
        }
    }
    if (FindKeptHolder(sequence, ValuesOf(*handler), result)) {
        result.refusal = TakeResult::keptHolder;
    } else if (!handler->CanAssignAll(sequence)) {
        const bool lost = RefusalReason(*handler, sequence) == CharChangeResult::tableLost;
        result.refusal = lost ? TakeResult::tableLost : TakeResult::noRoom;
    }
    return result;
}

// Gives the target the sequence, which it can take, and counts the entries that changed.
void Assign(CVarnoDoc& target, const std::vector<TableAssignment>& sequence, TakeResult& result)
{
    CTableHandler& handler = *target.m_pHandler;
    const Values before = ValuesOf(handler);
    const std::vector<std::uint8_t> image(handler.m_data, handler.m_data + handler.m_length);
    std::uint8_t flags[256];
    std::copy(std::begin(handler.m_modified), std::end(handler.m_modified), flags);
    handler.AssignAll(sequence);
    for (const TableAssignment& change : sequence) {
        if (handler.Lookup(change.byte) == before[change.byte]) {
            handler.m_modified[change.byte] = flags[change.byte];
        } else {
            ++result.changedEntries;
        }
    }
    if (!std::equal(image.begin(), image.end(), handler.m_data)) {
        target.SetModifiedFlag(TRUE);
        target.UpdateEntryViews();
    }
}

} // namespace

TakeResults TakeTable(const std::vector<CVarnoDoc*>& targets, const TableValues& source, ByteRange range)
{
    TakeResults results;
    std::vector<std::vector<TableAssignment>> sequences(targets.size());
    for (std::size_t i = 0; i < targets.size(); ++i) {
        results.targets.push_back(Ask(*targets[i], source, range, sequences[i]));
        if (!results.targets.back().Taken()) {
            results.refused = i;
            return results;
        }
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        Assign(*targets[i], sequences[i], results.targets[i]);
    }
    return results;
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
