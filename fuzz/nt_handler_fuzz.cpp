// An arbitrary image as an NT code-page file, and a sequence of table operations.

#include "fuzz/FuzzSupport.h"
#include "tables/CNtCodePageHandler.h"

namespace {

fuzz::Ranges Operate(CNtCodePageHandler& handler, const std::vector<fuzz::Operation>& ops)
{
    const std::int32_t reverseOffset = handler.ReverseTableOffset();
    fuzz::RunTableOperations(handler, ops, [&](const fuzz::Operation& op, bool done, bool) {
        if (op.kind % 4 == 2) {
            fuzz::Require(!handler.IsImageLongEnough() || done, "NT: a long enough image takes every assignment");
        }
        if (done) {
            fuzz::Require(handler.Lookup(op.byte) == op.word, "NT: the forward entry holds the value");
            fuzz::Require(handler.ReverseLookup(op.word) == op.byte, "NT: the reverse entry names the byte");
        }
        fuzz::Require(handler.m_reverseOffset == reverseOffset, "NT: the table operations follow the header");
    });
    return {{CNtCodePageHandler::kForwardOffset, CNtCodePageHandler::kForwardOffset + 512},
            {reverseOffset, reverseOffset + CNtCodePageHandler::kReverseTableSize}};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::RunOnImage(data, size, Operate);
}
