#include "storage/ContentDigest.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string Hex(const std::string& bytes)
{
    std::string text;
    for (const unsigned char byte : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", byte);
        text += pair;
    }
    return text;
}

// The first 0-255 byte values, over and over.
std::string Counting(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t k = 0; k < size; ++k) {
        bytes[k] = static_cast<char>(k);
    }
    return bytes;
}

// BLAKE2b-256 as its reference implementation gives it, whether the bytes come whole or in pieces that end
// before, at or after the end of a block of 128 bytes.
TEST(ContentDigest, IsBlake2bWhateverPiecesTheBytesComeIn)
{
    const struct {
        std::string bytes;
        std::size_t piece;
        const char* digest;
    } cases[] = {
        {"", 1, "0e5751c026e543b2e8ab2eb06099daa1d1e5df47778f7787faab45cdf12fe3a8"},
        {"abc", 3, "bddd813c634239723171ef3fee98579b94964e3bb1cb3e427262c8c068d52319"},
        {Counting(129), 1, "f7f3c46ba2564ff4c4c162da1f5b605f9f1c4aa6a20652a9f9a337c1a2f5b9c9"},
        {Counting(129), 128, "f7f3c46ba2564ff4c4c162da1f5b605f9f1c4aa6a20652a9f9a337c1a2f5b9c9"},
        {Counting(1024), 127, "f1551feeb252c7e60bb362205bd1ac2f70b145260a91d41e8c5d0a187549a5f2"},
        {Counting(1024), 1024, "f1551feeb252c7e60bb362205bd1ac2f70b145260a91d41e8c5d0a187549a5f2"},
    };
    for (const auto& c : cases) {
        ContentDigest digest;
        for (std::size_t at = 0; at < c.bytes.size(); at += c.piece) {
            digest.Add(std::string_view(c.bytes).substr(at, c.piece));
        }
        EXPECT_EQ(Hex(digest.Result()), c.digest) << c.bytes.size() << " bytes in pieces of " << c.piece;
    }
}

} // namespace
