#pragma once
// BLAKE2b with a 256-bit result: a digest of a file's bytes that is cheap enough
// to take at every open and every save (a file of 64 KiB in a fraction of a
// millisecond), written here as storage/ depends on the standard library alone.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class ContentDigest {
public:
    ContentDigest();
    void Add(std::string_view bytes);
    // The 32 bytes of the digest of all that was added; ends the digest.
    std::string Result();

private:
    void Compress(bool last);

    std::array<std::uint64_t, 8> m_state;
    std::array<std::uint8_t, 128> m_block{};
    std::size_t m_filled = 0;
    std::uint64_t m_count = 0; // bytes compressed so far, the block being compressed included
};

std::string Digest(std::string_view bytes);
