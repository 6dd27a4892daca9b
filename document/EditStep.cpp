#include "document/EditStep.h"

#include "tables/CTableHandler.h"

#include <algorithm>
#include <cstring>

namespace {

// Runs of changed bytes closer than this are kept as one.
constexpr std::size_t kJoinGap = 16;

// No edit state is ever this one: the file of a document changed outside the history holds none.
constexpr std::uint64_t kNoState = UINT64_MAX;

std::uint64_t NewEditState()
{
    static std::uint64_t last = 0;
    return ++last;
}

// The whole allocation, slack included: every byte a handler may write.
std::size_t ImageSize(const CTableHandler& handler)
{
    return handler.m_data == nullptr ? 0 : static_cast<std::size_t>(handler.m_length) + CTableHandler::kSlack;
}

// The first offset from `from` on where the two differ, or size.
std::size_t FirstDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t from, std::size_t size)
{
    // Whole blocks by memcmp first: the images are large and their changes few.
    constexpr std::size_t kBlock = 256;
    while (from + kBlock <= size && std::memcmp(a + from, b + from, kBlock) == 0) {
        from += kBlock;
    }
    while (from < size && a[from] == b[from]) {
        ++from;
    }
    return from;
}

} // namespace

EditStep::EditStep(const QString& text, const std::vector<CVarnoDoc*>& documents) : QUndoCommand(text), m_name(text)
{
    for (CVarnoDoc* document : documents) {
        if (document == nullptr || document->m_pHandler == nullptr) {
            continue;
        }
        const CTableHandler& handler = *document->m_pHandler;
        CVarnoDoc::EditState& state = *document->m_editState;
        // Modified, yet in the state its file holds: changed outside the history, so unsaved in every state.
        if (document->IsModified() && state.current == state.saved) {
            state.saved = kNoState;
        }
        Snapshot& snapshot = m_snapshots.emplace_back();
        snapshot.document = document;
        snapshot.image.assign(handler.m_data, handler.m_data + ImageSize(handler));
        std::copy(std::begin(handler.m_modified), std::end(handler.m_modified), snapshot.flags.begin());
        snapshot.table = document->ShownTable();
        snapshot.modified = document->IsModified() != FALSE;
    }
}

EditStep::~EditStep() = default;

std::vector<EditStep::Run> EditStep::ChangedRuns(const std::uint8_t* before, const std::uint8_t* after,
                                                 std::size_t size)
{
    std::vector<Run> runs;
    std::size_t start = FirstDifference(before, after, 0, size);
    while (start < size) {
        std::size_t end = start + 1;
        std::size_t next = FirstDifference(before, after, end, size);
        while (next < size && next - end < kJoinGap) {
            end = next + 1;
            next = FirstDifference(before, after, end, size);
        }
        runs.push_back({start, {before + start, before + end}, {after + start, after + end}});
        start = next;
    }
    return runs;
}

bool EditStep::Finish()
{
    for (const Snapshot& snapshot : m_snapshots) {
        CVarnoDoc& document = *snapshot.document;
        const CTableHandler* handler = document.m_pHandler;
        // An edit that replaced the image leaves nothing that a step could put back.
        if (handler == nullptr || ImageSize(*handler) != snapshot.image.size()) {
            continue;
        }
        DocumentChange change{document.m_editState, snapshot.image.size(), {}, {}, snapshot.table, 0, 0};
        change.image = ChangedRuns(snapshot.image.data(), handler->m_data, snapshot.image.size());
        change.flags = ChangedRuns(snapshot.flags.data(), handler->m_modified, snapshot.flags.size());
        const bool markChanged = (document.IsModified() != FALSE) != snapshot.modified;
        if (change.image.empty() && change.flags.empty() && !markChanged) {
            continue;
        }
        CVarnoDoc::EditState& state = *document.m_editState;
        change.stateBefore = state.current;
        // A step that changed only entry flags leaves the bytes, and so the state they are in, as they were.
        change.stateAfter = change.image.empty() ? state.current : NewEditState();
        state.current = change.stateAfter;
        m_changes.push_back(std::move(change));
    }
    m_snapshots = {};
    return !m_changes.empty();
}

std::size_t EditStep::OpenDocumentCount() const
{
    return static_cast<std::size_t>(
        std::ranges::count_if(m_changes, [](const DocumentChange& change) { return !change.document.expired(); }));
}

bool EditStep::HasOpenDocument() const { return OpenDocumentCount() > 0; }

void EditStep::Rename()
{
    const std::size_t open = OpenDocumentCount();
    if (open == m_changes.size() || open == 0) {
        setText(m_name);
        return;
    }
    setText(QStringLiteral("%1 (%2 of %3 files open)").arg(m_name).arg(open).arg(m_changes.size()));
}

void EditStep::undo() { PutBack(false); }

void EditStep::redo()
{
    if (m_firstRedo) {
        m_firstRedo = false;
        return;
    }
    PutBack(true);
}

void EditStep::PutBack(bool after)
{
    bool anyOpen = false;
    for (const DocumentChange& change : m_changes) {
        const std::shared_ptr<CVarnoDoc::EditState> state = change.document.lock();
        CTableHandler* handler = state != nullptr ? state->document->m_pHandler : nullptr;
        if (handler == nullptr || ImageSize(*handler) != change.imageSize) {
            continue;
        }
        anyOpen = true;
        CVarnoDoc& document = *state->document;
        // The flags are that table's, and the user sees what is taken back or done again.
        document.ShowTable(change.table);
        // Inside the image, which has the size it had when the step was made.
        for (const Run& run : change.image) {
            handler->PutBack(static_cast<std::int64_t>(run.offset), after ? run.after : run.before);
        }
        for (const Run& run : change.flags) {
            const std::vector<std::uint8_t>& bytes = after ? run.after : run.before;
            std::copy(bytes.begin(), bytes.end(), handler->m_modified + run.offset);
        }
        state->current = after ? change.stateAfter : change.stateBefore;
        document.SetModifiedFlag(state->current != state->saved);
        document.UpdateEntryViews();
    }
    if (!anyOpen) {
        setObsolete(true);
    }
}
