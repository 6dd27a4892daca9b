// The hand-over message as the editor reads it from a connection: any bytes, taken
// as a message, and the same bytes taken as a list of paths (each ending at a zero
// byte) that varno-open would send.

#include "fuzz/FuzzSupport.h"
#include "open/HandOverSocket.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    HandOverReader whole;
    if (whole.Take(bytes) == HandOverMessage::complete) {
        fuzz::Require(EncodeHandOver(whole.Paths()) == bytes,
                      "a complete message is exactly the encoding of its paths");
        for (const std::string& path : whole.Paths()) {
            fuzz::Require(!path.empty() && path.size() <= kMaxHandOverPath && path.find('\0') == std::string::npos,
                          "every path is whole: not empty, not too long, no zero byte");
        }
        // It arrives in pieces, as small as a byte: each part but the last asks for more.
        HandOverReader byBytes;
        for (std::size_t at = 0; at + 1 < size; ++at) {
            fuzz::Require(byBytes.Take(bytes.substr(at, 1)) == HandOverMessage::incomplete,
                          "a part of a message is incomplete");
        }
        fuzz::Require(byBytes.Take(bytes.substr(size - 1)) == HandOverMessage::complete
                          && byBytes.Paths() == whole.Paths(),
                      "a message read in pieces holds the same paths");
    }

    std::vector<std::string> sent;
    for (std::size_t at = 0; at < size;) {
        const std::size_t end = std::min(bytes.find('\0', at), size);
        if (end > at && end - at <= kMaxHandOverPath) {
            sent.push_back(bytes.substr(at, end - at));
        }
        at = end + 1;
    }
    HandOverReader received;
    fuzz::Require(received.Take(EncodeHandOver(sent)) == HandOverMessage::complete && received.Paths() == sent,
                  "the paths that varno-open sends arrive as sent");
    return 0;
}
