#pragma once
// What the fuzz targets share: a scratch folder for the targets that work on
// files, and checks that stop the run with a message when a property breaks.

#include "fuzz/FuzzInput.h"
#include "tables/CTableHandler.h"
#include "tests/HandlerImage.h"
#include "tests/TempDir.h"

#include <cstdio>
#include <utility>

namespace fuzz {

inline void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

// A private folder, on a memory file system where there is one (the sync of
// every write costs nothing there), removed when the process ends.
inline const std::string& ScratchFolder()
{
    static const TempDir dir(std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path());
    static const std::string path = dir.Path().string();
    Require(!path.empty(), "a scratch folder");
    return path;
}

// The handlers never write the slack, which AllocateData cleared.
inline void RequireSlackUntouched(const CTableHandler& handler)
{
    for (std::int32_t i = 0; i < CTableHandler::kSlack; ++i) {
        Require(handler.m_data[handler.m_length + i] == 0, "slack untouched");
    }
}

// Ranges [begin, end) of a file.
using Ranges = std::vector<std::pair<std::int64_t, std::int64_t>>;

// Every byte of the file outside the ranges is as loaded: the loaded image with
// the handler's bytes of the ranges put in is the handler's image.
inline void RequireUnchangedOutside(const CTableHandler& handler, const std::vector<std::uint8_t>& original,
                                    const Ranges& ranges)
{
    static std::vector<std::uint8_t> expected; // reused: see ParseInput
    expected = original;
    for (const auto& [begin, end] : ranges) {
        const std::int64_t last = std::min<std::int64_t>(end, handler.m_length);
        if (begin < last) {
            std::copy(handler.m_data + begin, handler.m_data + last, expected.begin() + begin);
        }
    }
    Require(expected.empty() || std::memcmp(handler.m_data, expected.data(), expected.size()) == 0,
            "bytes outside the tables unchanged");
}

// Runs Assign and tells whether it took effect: a successful Assign sets the byte's flag.
inline bool AssignTookEffect(CTableHandler& handler, std::uint8_t byte, std::uint16_t unicode)
{
    handler.m_modified[byte] = 0;
    handler.Assign(byte, unicode);
    return handler.m_modified[byte] == 1;
}

// One Assign, which takes effect exactly when CanAssign said it would, and
// changes no byte when refused. Tells whether it took effect.
inline bool RequireAssignAsForetold(CTableHandler& handler, std::uint8_t byte, std::uint16_t unicode)
{
    static std::vector<std::uint8_t> before;
    before.assign(handler.m_data, handler.m_data + handler.m_length);
    const bool predicted = handler.CanAssign({{byte, unicode}});
    const bool done = AssignTookEffect(handler, byte, unicode);
    Require(done == predicted, "CanAssign foretells Assign");
    Require(done || before.empty() || std::memcmp(handler.m_data, before.data(), before.size()) == 0,
            "a refused assignment changes nothing");
    return done;
}

// The operations after ops[i], up to ops[i].byte % 8 of them, as one change:
// when CanAssign says it fits, every step takes effect. Tells whether any did.
inline bool RequireForetoldSequence(CTableHandler& handler, const std::vector<Operation>& ops, std::size_t i)
{
    std::vector<TableAssignment> sequence;
    for (std::size_t j = i + 1; j < ops.size() && sequence.size() < ops[i].byte % 8u; ++j) {
        sequence.push_back({ops[j].byte, ops[j].word});
    }
    if (!handler.CanAssign(sequence)) {
        return false;
    }
    for (const TableAssignment& change : sequence) {
        Require(AssignTookEffect(handler, change.byte, change.unicode), "a foretold sequence succeeds");
    }
    return !sequence.empty();
}

// The code-page targets' operations, by kind % 4: 0 Lookup, 1 ReverseLookup, 2 Assign as CanAssign foretold,
// 3 the foretold sequence of those that follow. after(op, done, assigned) follows each of kinds 0-2: done
// tells whether this Assign took effect, assigned whether any has so far. Tells the latter.
template <typename Handler, typename After>
bool RunTableOperations(Handler& handler, const std::vector<Operation>& ops, After after)
{
    bool assigned = false;
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const Operation& op = ops[i];
        bool done = false;
        switch (op.kind % 4) {
        case 0: handler.Lookup(op.byte); break;
        case 1: handler.ReverseLookup(op.word); break;
        case 2: done = RequireAssignAsForetold(handler, op.byte, op.word); break;
        default: assigned = RequireForetoldSequence(handler, ops, i) || assigned; continue;
        }
        assigned = assigned || done;
        after(op, done, assigned);
    }
    return assigned;
}

// What a handler target does with its input: the image loaded into a fresh Handler, operate(handler,
// operations) run on it, which gives the ranges that the operations may write; then nothing else may differ.
template <typename Handler>
int RunOnImage(const std::uint8_t* data, std::size_t size, Ranges (*operate)(Handler&, const std::vector<Operation>&))
{
    static Input input; // reused: see ParseInput
    ParseInput(data, size, input);
    Handler handler;
    if (LoadImage(handler, input.image)) {
        RequireUnchangedOutside(handler, input.image, operate(handler, input.operations));
        RequireSlackUntouched(handler);
    }
    return 0;
}

} // namespace fuzz
