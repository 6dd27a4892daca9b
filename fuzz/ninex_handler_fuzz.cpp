// An arbitrary image as a 9x code-page file, and a sequence of table operations.

#include "fuzz/FuzzSupport.h"
#include "tables/C9xCodePageHandler.h"

#include <array>

namespace {

using Forward = std::array<std::uint16_t, 256>;

Forward ReadForward(C9xCodePageHandler& handler)
{
    Forward forward;
    for (int byte = 0; byte < 256; ++byte) {
        forward[static_cast<std::size_t>(byte)] = handler.Lookup(static_cast<std::uint8_t>(byte));
    }
    return forward;
}

// After a rebuild a value's reverse entry names the highest byte that holds it
// (0x3F when that is 0x3F itself), and 0x3F when no byte holds it.
std::uint8_t ExpectedReverse(const Forward& forward, std::uint16_t unicode)
{
    for (int byte = 255; byte >= 0; --byte) {
        if (forward[static_cast<std::size_t>(byte)] == unicode) {
            return static_cast<std::uint8_t>(byte);
        }
    }
    return 0x3F;
}

// After a rebuild every value's reverse entry names its highest holder: sorted
// by value and then by byte, the last of each run of equal values.
void RequireWholeTableRebuilt(C9xCodePageHandler& handler)
{
    Forward forward = ReadForward(handler);
    std::array<std::uint32_t, 256> keys;
    for (std::size_t byte = 0; byte < 256; ++byte) {
        keys[byte] = static_cast<std::uint32_t>(forward[byte]) << 8 | static_cast<std::uint32_t>(byte);
    }
    std::sort(keys.begin(), keys.end());
    for (std::size_t i = 0; i < 256; ++i) {
        if (i + 1 == 256 || keys[i + 1] >> 8 != keys[i] >> 8) {
            fuzz::Require(handler.ReverseLookup(static_cast<std::uint16_t>(keys[i] >> 8)) == (keys[i] & 0xFF),
                          "9x: every value's reverse entry names its highest holder");
        }
    }
}

fuzz::Ranges Operate(C9xCodePageHandler& handler, const std::vector<fuzz::Operation>& ops)
{
    const bool rebuilt = fuzz::RunTableOperations(handler, ops, [&](const fuzz::Operation& op, bool done, bool assigned) {
        if (op.kind % 4 == 1 && assigned) {
            fuzz::Require(handler.ReverseLookup(op.word) == ExpectedReverse(ReadForward(handler), op.word),
                          "9x: reverse lookups follow the forward table");
        }
        if (done) {
            fuzz::Require(handler.Lookup(op.byte) == op.word, "9x: the forward entry holds the value");
            RequireWholeTableRebuilt(handler);
        }
    });
    if (rebuilt) {
        RequireWholeTableRebuilt(handler);
    }
    return {{C9xCodePageHandler::kForwardOffset, C9xCodePageHandler::kReverseOffset + 2 * C9xCodePageHandler::kMaxEntries}};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::RunOnImage(data, size, Operate);
}
