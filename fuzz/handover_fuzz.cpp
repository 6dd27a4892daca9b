// The hand-over message as the editor reads it from a connection: any bytes, taken
// as a message, and the same bytes taken as a list of paths (each ending at a zero
// byte) that varno-open would send.

#include "fuzz/FuzzSupport.h"
#include "open/HandOverSocket.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> paths;
    if (DecodeHandOver(bytes, paths) == HandOverMessage::complete) {
        fuzz::Require(EncodeHandOver(paths) == bytes, "a complete message is exactly the encoding of its paths");
        for (const std::string& path : paths) {
            fuzz::Require(!path.empty() && path.size() <= kMaxHandOverPath && path.find('\0') == std::string::npos,
                          "every path is whole: not empty, not too long, no zero byte");
        }
        // It arrives in pieces: a part of it asks for more.
        std::vector<std::string> none;
        for (const std::size_t cut : {size / 2, size - 1}) {
            fuzz::Require(DecodeHandOver(bytes.substr(0, cut), none) == HandOverMessage::incomplete,
                          "a part of a message is incomplete");
        }
    }

    std::vector<std::string> sent;
    for (std::size_t at = 0; at < size;) {
        const std::size_t end = std::min(bytes.find('\0', at), size);
        if (end > at && end - at <= kMaxHandOverPath) {
            sent.push_back(bytes.substr(at, end - at));
        }
        at = end + 1;
    }
    std::vector<std::string> received;
    fuzz::Require(DecodeHandOver(EncodeHandOver(sent), received) == HandOverMessage::complete && received == sent,
                  "the paths that varno-open sends arrive as sent");
    return 0;
}
