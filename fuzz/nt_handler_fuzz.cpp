// An arbitrary image as an NT code-page file, and a sequence of table operations.

#include "fuzz/FuzzSupport.h"
#include "tables/CNtCodePageHandler.h"

#include <vector>

namespace {

void RequireAssigned(CNtCodePageHandler& handler, std::uint8_t byte, std::uint16_t unicode)
{
    fuzz::Require(handler.Lookup(byte) == unicode, "NT: the forward entry holds the value");
    fuzz::Require(handler.ReverseLookup(unicode) == byte, "NT: the reverse entry names the byte");
}

// The operations on the loaded image; the ranges that they may write.
fuzz::Ranges Operate(CNtCodePageHandler& handler, const std::vector<fuzz::Operation>& ops)
{
    const std::int32_t reverseOffset = handler.ReverseTableOffset();
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const fuzz::Operation& op = ops[i];
        switch (op.kind % 4) {
        case 0:
            handler.Lookup(op.byte);
            break;
        case 1:
            handler.ReverseLookup(op.word);
            break;
        case 2: {
            const bool longEnough = handler.IsImageLongEnough();
            const bool done = fuzz::RequireAssignAsForetold(handler, op.byte, op.word);
            fuzz::Require(!longEnough || done, "NT: a long enough image takes every assignment");
            if (done) {
                RequireAssigned(handler, op.byte, op.word);
            }
            break;
        }
        default:
            fuzz::RequireForetoldSequence(handler, ops, i);
            break;
        }
        if (op.kind % 4 != 3) {
            fuzz::Require(handler.m_reverseOffset == reverseOffset, "NT: the table operations follow the header");
        }
    }
    return {{CNtCodePageHandler::kForwardOffset, CNtCodePageHandler::kForwardOffset + 512},
            {reverseOffset, reverseOffset + CNtCodePageHandler::kReverseTableSize}};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::RunOnImage(data, size, Operate);
}
