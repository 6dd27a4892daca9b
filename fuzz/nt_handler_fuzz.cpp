// An arbitrary image as an NT code-page file, and a sequence of table operations.

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzSupport.h"
#include "tests/HandlerImage.h"
#include "tables/CNtCodePageHandler.h"

#include <vector>

namespace {

void RequireAssigned(CNtCodePageHandler& handler, std::uint8_t byte, std::uint16_t unicode)
{
    fuzz::Require(handler.Lookup(byte) == unicode, "NT: the forward entry holds the value");
    fuzz::Require(handler.ReverseLookup(unicode) == byte, "NT: the reverse entry names the byte");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static fuzz::Input input;
    fuzz::ParseInput(data, size, input);
    CNtCodePageHandler handler;
    if (!LoadImage(handler, input.image)) {
        return 0;
    }
    const std::int32_t reverseOffset = handler.ReverseTableOffset();
    const bool longEnough = handler.IsImageLongEnough();
    const std::vector<fuzz::Operation>& ops = input.operations;
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
            static std::vector<std::uint8_t> before;
            before.assign(handler.m_data, handler.m_data + handler.m_length);
            bool predicted = handler.CanAssign({{op.byte, op.word}});
            fuzz::Require(!longEnough || predicted, "NT: a long enough image takes every assignment");
            bool done = fuzz::AssignTookEffect(handler, op.byte, op.word);
            fuzz::Require(done == predicted, "NT: CanAssign foretells Assign");
            if (done) {
                RequireAssigned(handler, op.byte, op.word);
            } else {
                fuzz::Require(fuzz::SameFileBytes(handler, before), "NT: a refused assignment changes nothing");
            }
            break;
        }
        default: {
            // The next few operations as one change: all of it fits or CanAssign says no.
            std::vector<TableAssignment> sequence;
            for (std::size_t j = i + 1; j < ops.size() && sequence.size() < op.byte % 8u; ++j) {
                sequence.push_back({ops[j].byte, ops[j].word});
            }
            if (handler.CanAssign(sequence)) {
                for (const TableAssignment& change : sequence) {
                    fuzz::Require(fuzz::AssignTookEffect(handler, change.byte, change.unicode), "NT: a foretold sequence succeeds");
                }
            }
            break;
        }
        }
        if (op.kind % 4 != 3) {
            fuzz::Require(handler.m_reverseOffset == reverseOffset, "NT: the table operations follow the header");
        }
    }
    fuzz::RequireSlackUntouched(handler);
    fuzz::RequireUnchangedOutside(handler, input.image,
                                  {{CNtCodePageHandler::kForwardOffset, CNtCodePageHandler::kForwardOffset + 512},
                                   {reverseOffset, reverseOffset + CNtCodePageHandler::kReverseTableSize}});
    return 0;
}
